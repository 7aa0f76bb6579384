// "Update file date": the new stamps of the ticked rows, checked and written to every
// ticked entry of the list.
#include "commandprogress.h"
#include "frm_FlashMessage.h"
#include "frm_List.h"
#include "frm_MainWindow.h"
#include "fspath.h"
#include "newvaluespanel.h"
#include "oldvaluespanel.h"
#include "update.h"

#include "platform/files.h"

#include <QAction>

namespace chronodex {

void frm_MainWindow::com_UptateTimestamp_Click() {
    const std::array<RowInput, 3> inputs = newValues().inputs();
    const std::array<bool, 3> ticked{inputs[Created].ticked, inputs[Modified].ticked,
                                     inputs[Accessed].ticked};
    const NewValues built = buildNewValues(inputs);
    const QString crlf = QStringLiteral("\r\n");
    // Arial 10, black on white, "&OK": the dialog's own defaults.
    FlashArgs message{.TheTitle = options_.version.productName + QStringLiteral(" - Bad date"),
                      .Timer = 5000,
                      .IconNumber = 1};
    if (!built.problems.empty()) {
        message.TheMessage = fieldProblemsMessage(built.problems);
        FlashMessage(this, message);
        return;
    }
    const YearReport years = checkYears(built.values, ticked);
    if (!years.report.isEmpty() && years.refused) {
        message.TheMessage = QStringLiteral("Note:") + crlf + years.report +
                             QStringLiteral("Can't set the new date.");
        FlashMessage(this, message);
        return;
    }
    if (!years.report.isEmpty()) {
        message.TheMessage = QStringLiteral("Warning:") + crlf + years.report +
                             QStringLiteral("Set the new date anyway?");
        message.IconNumber = 2;
        message.ButtonText = QStringLiteral("&Cancel|&OK");
        if (FlashMessage(this, message) != 1) return;
    }
    // Every ticked entry is written first, its stamps kept for undo; then one report names
    // the entries that were not written (only those are named: the others are counted).
    undo_.begin();
    // The entries as they are now: the events handled between two files change nothing here.
    std::vector<std::pair<QString, platform::FileId>> entries;
    for (int slot : tickedSlots())
        entries.emplace_back(FilePaths_.at(slot), FilePaths_.id(slot));
    std::vector<EntryOutcome> named;
    const platform::StampsToWrite stamps = newStamps(built);
    CommandProgress progress(this, QStringLiteral("Writing new dates..."),
                             options_.progressAfterMs);
    const Progress step = progress.hook();
    Stopped stop;
    platform::Drives drives; // each drive's rules, looked into once
    const int total = static_cast<int>(entries.size());
    for (int done = 0; done < total; ++done) {
        if (!step(done, total)) {
            stop = {true, done, total};
            break;
        }
        const auto& [path, id] = entries[static_cast<std::size_t>(done)];
        // The writer reports the stamps the file had when it opened it; the undo keeps those.
        // Only a reported entry's name is formed.
        platform::WriteOutcome outcome = PutFileDates(toNativePath(path), stamps, &id, &drives);
        undo_.keep(path, outcome.before, outcome, id);
        if (reported(outcome)) named.push_back({entryName(path), std::move(outcome)});
    }
    progress.finish();
    afterWriting(stoppedReport(stop) + notWrittenReport(named, entries.size()),
                 stop.stopped || anyNotWritten(named));
}

QString frm_MainWindow::entryName(const QString& path) {
    return displayText(SplitPath(path, true, QLatin1Char(platform::pathSeparator)));
}

void frm_MainWindow::afterWriting(const QString& report, bool notWritten, const QString& verb) {
    // The display follows the disk: the selected entry shows the stamps it has now.
    const int selected = fra_OldValues->current() + 1;
    if (selected > 0 && FilePaths_.hasSlot(selected)) ShowOldValues(FilePaths_.at(selected), false);
    menu_EditUndo->setEnabled(undo_.canUndo());
    if (listWindow_) listWindow_->refresh();
    if (report.isEmpty()) return;
    // A warning when some entry was not written; otherwise every entry was, and the report
    // only says which stamps their file systems do not keep.
    const QString title = notWritten ? QStringLiteral(" - Not ") + verb
                                     : QStringLiteral(" - ") + verb.left(1).toUpper() +
                                           verb.mid(1) + QStringLiteral(" in part");
    FlashMessage(this, {.TheMessage = report,
                        .TheTitle = options_.version.productName + title,
                        .Timer = 0,
                        .IconNumber = notWritten ? 1 : 2});
}

} // namespace chronodex
