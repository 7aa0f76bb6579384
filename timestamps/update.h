// "Update file date": turning the ticked editor rows into new stamps, checking their years,
// and writing them to one file.
#pragma once

#include "core/datetime.h"
#include "editorrows.h"

#include <QString>

#include <array>
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
};

struct NewValues {
    // One value per stamp kind; an unticked row gives NoDate(1), which is never written.
    std::array<DateTime, 3> values{NoDate(1), NoDate(1), NoDate(1)};
    std::vector<FieldProblem> problems;
};

// The number a text starts with, after blanks: "12abc" gives 12, "abc" nothing.
std::optional<double> leadingNumber(const QString& text);
// The number a text is, blanks around it allowed: "12abc" gives nothing.
std::optional<double> wholeNumber(const QString& text);

// Builds the new values. The Created row reads each field's leading number and adds its
// time as a span, so 25:00:00 is one o'clock the next day. The Modified and Accessed rows
// need whole numbers in their year, month, day and hour fields and build a real time of
// day. A field that cannot make a date (no number, hour 25 in the Modified row, a year
// outside 100 to 9999) is listed as a problem instead.
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

// Writes the stamps that are not NoDate to one file; failures are silent (the file keeps
// its stamps). Where the system cannot set a creation stamp, that value is not written.
bool PutFileDates(const QString& path, const DateTime& created, const DateTime& modified,
                  const DateTime& accessed);

// A path with the blanks at either end removed (only blanks, as the list stores paths).
QString trimBlanks(const QString& path);

} // namespace chronodex
