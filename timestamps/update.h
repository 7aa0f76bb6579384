// "Update file date": turning the ticked editor rows into new stamps, checking their years,
// and writing them to one file.
#pragma once

#include "core/datetime.h"
#include "editorrows.h"

#include "platform/files.h"

#include <QString>

#include <array>
#include <filesystem>
#include <optional>
#include <vector>

namespace chronodex {

// A stamp loaded into an editor row: its local value as the row shows it, and the stamp
// exactly as the file keeps it.
struct LoadedStamp {
    DateTime local;
    platform::Instant exact;
};

// The texts of one editor row, day to second, whether it is ticked, and the stamp it was
// loaded from, if any.
struct RowInput {
    bool ticked = false;
    std::array<QString, FieldCount> texts;
    std::optional<LoadedStamp> loaded;
};

// A field whose text cannot make a date: the row is named by its label.
struct FieldProblem {
    StampKind row = Created;
    int field = Day;
    QString text;
    // Why: the text cannot make a date, the local time it makes is skipped by the clocks, or
    // the date is 4 September 1752, which stands for "no date" (`text` then holds the value).
    enum Reason { NotADate, SkippedHour, NoDateValue } reason = NotADate;
};

struct NewValues {
    // One value per stamp kind; an unticked row gives NoDate(1), which is never written.
    std::array<DateTime, 3> values{NoDate(1), NoDate(1), NoDate(1)};
    // A row that still holds the value it was loaded with writes the second of the stamp it
    // came from: in the hour the clocks repeat, the occurrence it was, not the first.
    std::array<std::optional<platform::Instant>, 3> loaded;
    std::vector<FieldProblem> problems;
};

// The number a text starts with, after blanks: "12abc" gives 12, "abc" nothing.
std::optional<double> leadingNumber(const QString& text);
// A whole number with blanks around it: "12" and " 5" give 12 and 5; "5.7", "x" and ""
// give nothing.
std::optional<int> integerField(const QString& text);

// Builds the new values, in local time. The Created row reads each field's leading number
// and adds its time as a span, so 25:00:00 is one o'clock the next day. The Modified and
// Accessed rows need a whole number in every field and a real date and time: no carry, so
// 31 February and minute 60 are refused. A field that cannot make a date, and the hour of a
// local time that the clocks skip, are listed as problems instead; so is a value on
// 4 September 1752, the day that stands for "no date".
NewValues buildNewValues(const std::array<RowInput, 3>& rows);

// "Created date ", "Modfied date ", "Accessed date ".
QString rowLabel(StampKind kind);

// The year check of the ticked values: two lines for each value outside 1980 to 2107, and
// whether one of them lies before 1601, which refuses the update.
struct YearReport {
    QString report;
    bool refused = false;
};
YearReport checkYears(const std::array<DateTime, 3>& values, const std::array<bool, 3>& ticked);

// The refusal text for fields that cannot make a date.
QString fieldProblemsMessage(const std::vector<FieldProblem>& problems);

// The new stamps to write (a NoDate is left out), worked out once for all the files of an
// update. A file that already has a stamp to the second keeps its fraction of a second.
platform::StampsToWrite newStamps(const NewValues& values);
// Writes the given stamps to one file and says what became of each of them; with
// `expected`, only to the object the entry named when it was listed.
// `drives` keeps each drive's rules for the rest of the update.
platform::WriteOutcome PutFileDates(const platform::NativePath& file,
                                    const platform::StampsToWrite& stamps,
                                    const platform::FileId* expected = nullptr,
                                    platform::Drives* drives = nullptr);

// What became of one ticked entry, for the report after an update.
struct EntryOutcome {
    QString name; // as the list shows it
    platform::WriteOutcome outcome;
};

// The reason a file was not written, in the user's words: "the file is read-only", ...
QString failureReason(const platform::WriteOutcome& outcome);

// Whether the report after an update names the entry: not written, or written without a
// stamp its file system does not keep; `exactly`: also written only as closely as its file
// system keeps dates (what Undo must put back exactly).
bool reported(const platform::WriteOutcome& outcome, bool exactly = false);
// Whether some entry was not written at all (the report is then a warning).
bool anyNotWritten(const std::vector<EntryOutcome>& entries);

// The report after an update: how many of the ticked entries (`ticked`, when more were ticked
// than tried) were not written, up to ten of them by name with the reason, then "and N
// more"; entries written without a stamp their file system does not keep are named too.
// Empty when every stamp asked for was written. `verb` names what was not done. `entries`
// may hold only the entries it names, `ticked` then counting them all. `exactly` as for
// reported().
QString notWrittenReport(const std::vector<EntryOutcome>& entries, std::size_t ticked = 0,
                         const QString& verb = QStringLiteral("written"), bool exactly = false);

// A header line and up to ten named lines under it, each tabbed in, then "and N more".
QString namedLines(const QString& header, const QStringList& lines);

} // namespace chronodex
