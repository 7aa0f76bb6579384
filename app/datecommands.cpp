#include "datecommands.h"

#include "changeplans.h"
#include "commandprogress.h"
#include "frm_ChangePreview.h"
#include "frm_DatesSource.h"
#include "frm_FlashMessage.h"
#include "frm_ShiftDates.h"
#include "fspath.h"
#include "readers.h"
#include "shift.h"

#include <QFileInfo>

namespace chronodex {

bool TickedCommand::run(const CommandSite& site) {
    if (!ask(site.parent, site.entries)) return false;
    QString refusal;
    std::vector<EntryChange> changes;
    {
        // Reading photos on a slow drive takes a while too; Cancel there writes nothing.
        CommandProgress reading(site.parent, QStringLiteral("Reading the ticked entries..."),
                                site.progressAfterMs);
        changes = plan(site.entries, refusal, reading.hook());
        reading.finish();
    }
    if (refusal.isEmpty() && changes.size() != site.entries.size()) return false;
    if (!refusal.isEmpty()) {
        FlashMessage(site.parent, {.TheMessage = refusal,
                                   .TheTitle = site.productName + QStringLiteral(" - ") + title(),
                                   .Timer = 0,
                                   .IconNumber = 1});
        return false;
    }
    {
        frm_ChangePreview preview(title() + QStringLiteral(" - Preview"), site.entries, changes,
                                  site.parent);
        if (preview.exec() != QDialog::Accepted) return false;
    }
    CommandProgress progress(site.parent, title() + QStringLiteral("..."), site.progressAfterMs);
    const BatchResult result =
        applyChanges(site.entries, changes, *site.undo, site.confirm, progress.hook());
    progress.finish();
    if (result.cancelled) return false;
    site.written(result.report(site.entries.size()), !result.allWritten());
    return true;
}

bool ShiftCommand::ask(QWidget* parent, const std::vector<TickedEntry>& entries) {
    frm_ShiftDates dialog(parent);
    std::array<std::optional<DateTime>, 3> first;
    if (!entries.empty()) {
        const FileDates dates = ReadFileDates(entries.front().path);
        const std::array<DateTime, 3> stamps{dates.created, dates.modified, dates.accessed};
        for (StampKind kind : AllStampKinds)
            if (dates.read && !IsSameDay(stamps[kind], NoDate())) first[kind] = stamps[kind];
    }
    dialog.setPreview(first, static_cast<int>(entries.size()));
    if (dialog.exec() != QDialog::Accepted) return false;
    seconds_ = dialog.seconds();
    kinds_ = dialog.kinds();
    return true;
}

std::vector<EntryChange> ShiftCommand::plan(const std::vector<TickedEntry>& entries, QString&,
                                            const Progress& progress) {
    return changesOf(entries, progress, [this](const TickedEntry& entry) {
        return shiftChange(entry, seconds_, kinds_);
    });
}

std::vector<EntryChange> PhotoDatesCommand::plan(const std::vector<TickedEntry>& entries, QString&,
                                                 const Progress& progress) {
    return photoChanges(entries, progress);
}

std::vector<EntryChange> NameDatesCommand::plan(const std::vector<TickedEntry>& entries, QString&,
                                                const Progress& progress) {
    return nameChanges(entries, progress);
}

QString CopyDatesCommand::title() const {
    return from_ == From::Reference ? QStringLiteral("Dates from a reference file")
                                    : QStringLiteral("Dates from the originals");
}

bool CopyDatesCommand::ask(QWidget* parent, const std::vector<TickedEntry>&) {
    frm_DatesSource dialog(from_ == From::Reference ? frm_DatesSource::Source::File
                                                    : frm_DatesSource::Source::Folder,
                           title(), parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    source_ = dialog.path();
    kinds_ = dialog.kinds();
    subfolders_ = dialog.subfolders();
    return true;
}

std::vector<EntryChange> CopyDatesCommand::plan(const std::vector<TickedEntry>& entries,
                                                QString& refusal, const Progress& progress) {
    const std::filesystem::path source = toFsPath(source_);
    if (from_ == From::Reference) {
        const platform::FileTimes reference = platform::readFileTimes(source);
        if (!reference.read) {
            refusal =
                QStringLiteral("The dates of the reference file cannot be read:\r\n") + source_;
            return {};
        }
        return referenceChanges(entries, reference, kinds_, progress);
    }
    if (!QFileInfo(source_).isDir()) {
        refusal = QStringLiteral("This is not a folder:\r\n") + source_;
        return {};
    }
    return originalChanges(entries, OriginalsIndex(source, subfolders_), kinds_, progress);
}

} // namespace chronodex
