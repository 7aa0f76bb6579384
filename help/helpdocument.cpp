#include "helpdocument.h"

#include "appinfo.h"
#include "messagebox.h"
#include "readsetting.h"

#include "platform/files.h"
#include "platform/shell.h"

#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>

#include <memory>

namespace chronodex {
namespace {

bool isBlank(const QString& text) {
    return text.trimmed().isEmpty();
}

// The shell reports success with any value above 32 (ShellExecute's own rule).
bool opened(int result) {
    return result > 32;
}

QString joinFolder(const QString& folder, const QString& name) {
    return folder.isEmpty() ? name : folder + QLatin1Char(platform::pathSeparator) + name;
}

} // namespace

#ifdef _WIN32 // Linux's opener, which answers later, is in opener_posix.cpp
int desktopShellOpen(const QString& file, const QString& parameters, int showMode,
                     const ShellLater&) {
    return platform::shellExecute(file.toStdString(), parameters.toStdString(), showMode);
}
#endif

int OpenFileOrURL(const QString& FileOrURL, const QString& Parameters, int WindowMode,
                  const QString& programFolder, const ShellOpen& shell, const ShellLater& later) {
    QString target = FileOrURL;
    if (target.isEmpty()) target = joinFolder(programFolder, QStringLiteral("Help.txt"));
    const int showMode = WindowMode == 1 ? 3 : WindowMode == 2 ? 2 : 1;
    try {
        return shell(target, Parameters, showMode, later);
    } catch (const std::exception& e) {
        const QString crlf = QStringLiteral("\r\n");
        showStandardMessageBox(
            currentVersion().productName + QStringLiteral(" - File error."),
            QStringLiteral("Can't find or load file or URL;") + crlf + QLatin1Char('\t') + target +
                crlf + crlf + QStringLiteral("\tError;\t\t") + QString::fromLocal8Bit(e.what()) +
                crlf + QStringLiteral("\tError number;\t") + QString::number(5) + crlf);
        return 0;
    }
}

QStringList helpFileNames() {
    return {QStringLiteral("Help.odt"), QStringLiteral("Help.doc"), QStringLiteral("Help.rtf"),
            QStringLiteral("Help.html"), QStringLiteral("Help.txt")};
}

namespace {

// When no document opened: the one the program shows itself, else the question whether to
// show the program's folder.
void noHelpOpened(const HelpContext& c) {
    if (c.showInProgram) {
        for (const QString& name : {QStringLiteral("Help.html"), QStringLiteral("Help.txt")}) {
            const QString document = joinFolder(c.programFolder, name);
            if (QFileInfo(document).isFile()) {
                c.showInProgram(document);
                return;
            }
        }
    }

    const QString crlf = QStringLiteral("\r\n");
    QString message = QStringLiteral("Can't find or open the help file.") + crlf +
                      QStringLiteral("Do you want to view the ") + c.productName +
                      QStringLiteral(" directory?") + crlf + crlf +
                      QStringLiteral("\tIf you can't find one of the following files,") + crlf +
                      QStringLiteral("\tthen you may need to check the website for a copy.");
    for (const QString& name : helpFileNames())
        message += crlf + QStringLiteral("\t\t") + name;
    const int answer = c.ask({.TheMessage = message,
                              .TheTitle = c.productName + QStringLiteral(" - Help not found."),
                              .Timer = 30000,
                              .IconNumber = 1,
                              .ButtonText = QStringLiteral("&No|&Yes")});
    if (answer == 1) OpenFileOrURL(c.programFolder, QString(), 0, c.programFolder, c.shell);
}

// Opens the first of the documents that the desktop opens; an opener that fails later goes
// on with the ones after its own.
void openFirst(const std::shared_ptr<const HelpContext>& c, QStringList documents) {
    while (!documents.isEmpty()) {
        const QString document = documents.takeFirst();
        const ShellLater later{c->owner, [c, documents](int result) {
                                   if (!opened(result)) openFirst(c, documents);
                               }};
        const int result = OpenFileOrURL(document, QString(), 0, c->programFolder, c->shell, later);
        if (opened(result) || result == answerLater) return;
    }
    noHelpOpened(*c);
}

} // namespace

void openHelpDocument(const HelpContext& c) {
    const std::string key = "SOFTWARE\\" + c.productName.toStdString() + "\\Settings";
    auto readPriority = [&] {
        SettingValue value;
        ReadSetting("HKEY_LOCAL_MACHINE", key, "HelpFilePirority", "B", SettingValue(true), value);
        return settingNumber(value);
    };
    auto readHelpPath = [&] {
        SettingValue value;
        ReadSetting("HKEY_LOCAL_MACHINE", key, "HelpPath", "S", SettingValue(std::string()), value);
        return QString::fromStdString(settingText(value));
    };

    // The configured document, then the local ones; the configured one last when its
    // priority is stored as 0. A blank path is not tried.
    QStringList documents;
    const bool configuredFirst = readPriority() != 0;
    for (const QString& name : helpFileNames())
        documents << joinFolder(c.programFolder, name);
    const QString path = readHelpPath();
    if (!isBlank(path)) documents.insert(configuredFirst ? 0 : documents.size(), path);
    openFirst(std::make_shared<const HelpContext>(c), documents);
}

void showHelpWindow(QWidget* owner, const QString& document, const QString& productName) {
    auto* browser = owner->findChild<QTextBrowser*>(QStringLiteral("helpWindow"));
    if (!browser) {
        browser = new QTextBrowser(owner);
        browser->setObjectName(QStringLiteral("helpWindow"));
        browser->setWindowFlags(Qt::Window);
        browser->setAttribute(Qt::WA_DeleteOnClose);
        browser->setOpenExternalLinks(true); // web addresses go to the browser
        browser->resize(browser->fontMetrics().averageCharWidth() * 90,
                        browser->fontMetrics().height() * 40);
    }
    browser->setWindowTitle(productName + QStringLiteral(" - Help"));
    browser->setSource(QUrl::fromLocalFile(document));
    browser->show();
    browser->raise();
    browser->activateWindow();
}

} // namespace chronodex
