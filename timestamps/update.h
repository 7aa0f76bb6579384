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

// The texts of one editor row, day to second, and whether it is ticked.
struct RowInput {
    bool ticked = false;
    std::array<QString, FieldCount> texts;
};

// A field whose text cannot make a date: the row is named by its label.
struct FieldProblem {
    StampKind row = Created;
    int field = Day;
    QString text;
    // Why: the text cannot make a date, or the local time it makes is skipped by the clocks.
    enum Reason { NotADate, SkippedHour } reason = NotADate;
};

struct NewValues {
    // One value per stamp kind; an unticked row gives NoDate(1), which is never written.
    std::array<DateTime, 3> values{NoDate(1), NoDate(1), NoDate(1)};
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
// local time that the clocks skip, are listed as problems instead.
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

// The new stamps as the system writes them (a NoDate is left out), worked out once for all
// the files of an update.
struct SystemStamps {
    std::optional<platform::SystemTime> created, accessed, modified;
};
SystemStamps systemStamps(const DateTime& created, const DateTime& modified,
                          const DateTime& accessed);
// Writes the given stamps to one file and says what became of each of them.
// `seenAsFile`: the entry was a regular file when the list last read its kind.
platform::WriteOutcome PutFileDates(const platform::NativePath& file, const SystemStamps& stamps,
                                    bool seenAsFile = false);

// What became of one ticked entry, for the report after an update.
struct EntryOutcome {
    QString name; // as the list shows it
    platform::WriteOutcome outcome;
};

// The reason a file was not written, in the user's words: "the file is read-only", ...
QString failureReason(const platform::WriteOutcome& outcome);

// Whether the report after an update names the entry: not written, or written without a
// stamp its file system does not keep.
bool reported(const platform::WriteOutcome& outcome);

// The report after an update: how many of the ticked entries (`ticked`, when more were ticked
// than tried) were not written, up to ten of them by name with the reason, then "and N
// more"; entries written without a stamp their file system does not keep are named too.
// Empty when every stamp asked for was written. `verb` names what was not done. `entries`
// may hold only the entries it names, `ticked` then counting them all.
QString notWrittenReport(const std::vector<EntryOutcome>& entries, std::size_t ticked = 0,
                         const QString& verb = QStringLiteral("written"));

// A header line and up to ten named lines under it, each tabbed in, then "and N more".
QString namedLines(const QString& header, const QStringList& lines);

} // namespace chronodex
