// Beyond setting one date: "Shift dates of ticked files...", "Undo last update" and "Dates
// from photos". Each goes through the year checks of "Update file date", keeps what it
// writes for undo, and names what it left alone in the same report.
#include "frm_FlashMessage.h"
#include "frm_MainWindow.h"
#include "frm_ShiftDates.h"
#include "fspath.h"
#include "oldvaluespanel.h"
#include "phototaken.h"
#include "readers.h"
#include "shift.h"

#include "platform/files.h"

namespace chronodex {
std::vector<TickedEntry> frm_MainWindow::tickedEntries() const {
    std::vector<TickedEntry> out;
    for (int slot : tickedSlots()) {
        const QString& path = FilePaths_.at(slot);
        out.push_back({toFsPath(path), entryName(path), path});
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

void frm_MainWindow::menu_EditShift_Click() {
    const std::vector<int> chosen = tickedSlots();
    frm_ShiftDates dialog(this);
    std::array<std::optional<DateTime>, 3> first;
    if (!chosen.empty()) {
        const FileDates dates = ReadFileDates(FilePaths_.at(chosen.front()));
        const std::array<DateTime, 3> stamps{dates.created, dates.modified, dates.accessed};
        for (StampKind kind : AllStampKinds)
            if (dates.read && !IsSameDay(stamps[kind], NoDate())) first[kind] = stamps[kind];
    }
    dialog.setPreview(first, static_cast<int>(chosen.size()));
    if (dialog.exec() != QDialog::Accepted) return;
    const std::vector<TickedEntry> entries = tickedEntries();
    const BatchResult result =
        shiftEntries(entries, dialog.seconds(), dialog.kinds(), undo_,
                     [this](const QString& lines) { return confirmYears(lines); });
    if (result.cancelled) return;
    afterWriting(result.report(entries.size()), QStringLiteral(" - Not written"));
}

void frm_MainWindow::menu_EditUndo_Click() {
    std::vector<EntryOutcome> outcomes = undo_.undo();
    for (EntryOutcome& e : outcomes) // kept by their path text
        if (reported(e.outcome)) e.name = entryName(e.name);
    afterWriting(notWrittenReport(outcomes, 0, QStringLiteral("put back")),
                 QStringLiteral(" - Not put back"));
}

void frm_MainWindow::menu_EditPhotos_Click() {
    const std::vector<TickedEntry> entries = tickedEntries();
    const bool created = platform::canSetCreationTime();
    std::vector<EntryChange> changes;
    changes.reserve(entries.size());
    for (const TickedEntry& entry : entries) {
        const PhotoTaken photo = photoTakenAt(entry.file);
        EntryChange change;
        if (!photo.taken) {
            change.skip = QString::fromStdString(photo.reason);
        } else {
            change.written = {created, true, false};
            change.newLocal = {*photo.taken, *photo.taken, NoDate(1)};
            change.write = [file = entry.file, taken = *photo.taken] {
                return writeTakenDate(file, taken);
            };
        }
        changes.push_back(std::move(change));
    }
    const BatchResult result = applyChanges(
        entries, changes, undo_, [this](const QString& lines) { return confirmYears(lines); });
    if (result.cancelled) return;
    afterWriting(result.report(entries.size()), QStringLiteral(" - Not written"));
}

} // namespace chronodex
