// The Help menu: the help document and the About box.
#include "about.h"
#include "frm_FlashMessage.h"
#include "frm_MainWindow.h"
#include "helpdocument.h"

#include <QAction>

namespace chronodex {

void frm_MainWindow::menu_Help_Click() {
    menu_HelpAbout->setText(QStringLiteral("&About ") + options_.version.productName);
}

void frm_MainWindow::menu_HelpFile_Click() {
    openHelpDocument({options_.version.productName, options_.programFolder, options_.shell,
                      [this](const FlashArgs& args) { return FlashMessage(this, args); },
                      [this](const QString& document) {
                          showHelpWindow(this, document, options_.version.productName);
                      },
                      this});
}

void frm_MainWindow::menu_HelpAbout_Click() {
    FlashMessage(this, {.TheMessage = aboutText(options_.version),
                        .TheTitle = QStringLiteral("About ") + options_.version.productName +
                                    QLatin1Char('.'),
                        .Timer = 25000,
                        .IconNumber = 0,
                        .FontName = QStringLiteral("MS Sans Serif"),
                        .FontBold = true,
                        .FontSize = 9,
                        .ButtonText = QStringLiteral("&OK"),
                        .FontColour = 0,
                        .WindowColour = 0x00DFFFFF});
}

} // namespace chronodex
