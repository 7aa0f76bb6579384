// Beyond setting one date: "Shift dates of ticked files...", "Undo last update" and "Dates
// from photos". Each goes through the year checks of "Update file date", keeps what it
// writes for undo, and names what it left alone in the same report.
#include "format.h"
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
    afterWriting(result.report(entries.size()), !result.allWritten());
}

void frm_MainWindow::menu_EditUndo_Click() {
    std::vector<EntryOutcome> outcomes = undo_.undo();
    for (EntryOutcome& e : outcomes) // kept by their path text
        if (reported(e.outcome, true)) e.name = entryName(e.name);
    const QString verb = QStringLiteral("put back");
    afterWriting(notWrittenReport(outcomes, 0, verb, true), anyNotWritten(outcomes), verb);
}

void frm_MainWindow::menu_EditPhotos_Click() {
    const std::vector<TickedEntry> entries = tickedEntries();
    std::vector<EntryChange> changes;
    changes.reserve(entries.size());
    for (const TickedEntry& entry : entries) {
        const PhotoTaken photo = photoTakenAt(entry.file, &entry.id);
        bool skipped = false;
        const auto at = takenInstant(photo, skipped);
        const auto local = at ? localFromInstant(*at) : std::nullopt;
        EntryChange change;
        if (!photo.taken) {
            change.skip = QString::fromStdString(photo.reason);
        } else if (!local) {
            // The words of a typed time that the clocks skip.
            change.skip = skipped
                              ? QStringLiteral("its date taken, ") + formatDateTime(*photo.taken) +
                                    QStringLiteral(", does not exist on that day in this "
                                                   "time zone (the clocks go forward)")
                              : QStringLiteral("its date taken cannot be shown in this "
                                               "time zone");
        } else {
            // The creation date too, where the file's drive takes one.
            const bool created = platform::readFileTimes(entry.file, &entry.id).creationSettable;
            change.written = {created, true, false};
            change.newLocal = {*local, *local, NoDate(1)};
            change.write = [file = entry.file, at = *at, id = entry.id] {
                return writeTakenDate(file, at, &id);
            };
        }
        changes.push_back(std::move(change));
    }
    const BatchResult result = applyChanges(
        entries, changes, undo_, [this](const QString& lines) { return confirmYears(lines); });
    if (result.cancelled) return;
    afterWriting(result.report(entries.size()), !result.allWritten());
}

} // namespace chronodex
