// What the commands that write many entries at once share ("Shift dates of ticked files",
// "Dates from photos"): each entry's new stamps worked out first, the year check of
// "Update file date" entry by entry with one question for all, the writes with their old
// stamps kept for undo, and one report.
#pragma once

#include "core/datetime.h"
#include "progress.h"
#include "undo.h"
#include "update.h"

#include "platform/files.h"

#include <QString>

#include <array>
#include <filesystem>
#include <functional>
#include <vector>

namespace chronodex {

// One ticked entry of the list.
struct TickedEntry {
    std::filesystem::path file;
    QString name;        // as the list shows it
    QString path;        // as the list holds it: what the undo keeps
    platform::FileId id; // the object listed: the only one written
};

// What a command means to do to one entry, worked out before anything is written.
struct EntryChange {
    // Not empty: the entry is left as it was, for this reason in the user's words ("no date
    // taken in this file").
    QString skip;
    // The stamps it writes (indexed by StampKind) and their new local values, for the year
    // check.
    std::array<bool, 3> written{};
    std::array<DateTime, 3> newLocal{NoDate(1), NoDate(1), NoDate(1)};
    // The stamps as they are, in local time, for the preview (NoDate(1) where not known).
    std::array<DateTime, 3> oldLocal{NoDate(1), NoDate(1), NoDate(1)};
    // Writes them; the outcome says why not, for an entry whose stamps could not be read too.
    std::function<platform::WriteOutcome()> write;
};

// An entry left as it was before anything was written to it, and why.
struct SkippedEntry {
    QString name;
    QString reason;
};

// The lines about entries left as they were, in the manner of the report of what was not
// written: how many of the ticked entries, up to ten of them by name with the reason, then
// "and N more". Empty when there are none.
QString skippedReport(const std::vector<SkippedEntry>& skipped, std::size_t ticked);

// What became of a command on many entries.
struct BatchResult {
    bool cancelled = false;             // the year question was answered no: nothing written
    std::vector<SkippedEntry> skipped;  // skipped, or new date refused: not written
    std::vector<EntryOutcome> outcomes; // the entries written, or tried
    Stopped stop;                       // Cancel was pressed before all were tried
    // The lines to show afterwards: the entries left as they were, then what was not
    // written. Empty when every entry was written.
    QString report(std::size_t ticked) const;
    // Every entry was written, if not every stamp (the report is then no warning).
    bool allWritten() const;
};

// Runs a command on the ticked entries, `changes` in the same order. An entry to skip, and
// one whose new date the year check refuses (before 1601), is set aside and named. When the
// new dates of others lie outside 1980 to 2107, `confirm` is asked once with their year lines
// (each entry named, ten at most); nothing is written when it answers no. The rest are
// written, the stamps each had when it was written kept in `undo`, which then holds this
// command alone; when nothing was written, `undo` keeps what it had. `progress` is told before
// each write; when it answers false the rest are left as they were and the result says so.
BatchResult applyChanges(const std::vector<TickedEntry>& entries,
                         const std::vector<EntryChange>& changes, UndoStore& undo,
                         const std::function<bool(const QString& yearLines)>& confirm,
                         const Progress& progress = {});

// The line that says a command was stopped: how many entries were written before Cancel, that
// Undo puts them back, and how many were left as they were. Empty when it was not stopped.
QString stoppedReport(const Stopped& stop);

} // namespace chronodex
