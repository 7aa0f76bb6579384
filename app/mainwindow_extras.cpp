// Beyond setting one date: the commands on the ticked entries (datecommands.h) and "Undo last
// update". Each command goes through the year checks of "Update file date", keeps what it
// writes for undo, and names what it left alone in the same report.
#include "datecommands.h"
#include "frm_FlashMessage.h"
#include "frm_MainWindow.h"
#include "fspath.h"
#include "oldvaluespanel.h"

namespace chronodex {
std::vector<TickedEntry> frm_MainWindow::tickedEntries() const {
    std::vector<TickedEntry> out;
    for (int slot : tickedSlots()) {
        const QString& path = FilePaths_.at(slot);
        out.push_back({toFsPath(path), entryName(path), path, FilePaths_.id(slot)});
    }
    return out;
}

bool frm_MainWindow::confirmYears(const QString& yearLines) {
    const QString crlf = QStringLiteral("\r\n");
    return FlashMessage(this,
                        {.TheMessage = QStringLiteral("Warning:") + crlf + yearLines +
                                       QStringLiteral("Set the new date anyway?"),
                         .TheTitle = options_.version.productName + QStringLiteral(" - Bad date"),
                         .Timer = 5000,
                         .IconNumber = 2,
                         .ButtonText = QStringLiteral("&Cancel|&OK")}) == 1;
}

void frm_MainWindow::runCommand(TickedCommand& command) {
    if (!AnyEntryTicked()) return;
    command.run(
        {this, options_.version.productName, tickedEntries(), &undo_,
         [this](const QString& lines) { return confirmYears(lines); },
         [this](const QString& report, bool notWritten) { afterWriting(report, notWritten); },
         options_.progressAfterMs});
}

void frm_MainWindow::menu_EditShift_Click() {
    ShiftCommand shift;
    runCommand(shift);
}

void frm_MainWindow::menu_EditUndo_Click() {
    std::vector<EntryOutcome> outcomes = undo_.undo();
    for (EntryOutcome& e : outcomes) // kept by their path text
        if (reported(e.outcome, true)) e.name = entryName(e.name);
    const QString verb = QStringLiteral("put back");
    afterWriting(notWrittenReport(outcomes, 0, verb, true), anyNotWritten(outcomes), verb);
}

void frm_MainWindow::menu_EditPhotos_Click() {
    PhotoDatesCommand photos;
    runCommand(photos);
}

} // namespace chronodex
