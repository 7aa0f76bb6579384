// "Shift dates of ticked files": moving each file's own stamps by the same amount of real
// time. The amount is added to the UTC instants the system keeps, so a shift of one hour
// across a change of the clocks is still one hour, and each stamp keeps its fraction of a
// second; the local values are only for showing and for the year check.
#pragma once

#include "batch.h"
#include "core/datetime.h"
#include "editorrows.h"

#include "platform/files.h"

#include <QString>

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

namespace chronodex {

// A signed amount of time; each part carries its own sign.
struct ShiftAmount {
    std::int64_t days = 0, hours = 0, minutes = 0, seconds = 0;
    bool operator==(const ShiftAmount&) const = default;
};

// The amount in seconds: days of 86,400 seconds, whatever the clocks do on them.
std::int64_t shiftSeconds(const ShiftAmount& amount);

// A local value moved by a number of seconds of real time (through its UTC instant; a
// local time that occurs twice is taken as the first). Nothing when the local time does
// not exist or the result cannot be shown (outside the years 100 to 9999).
std::optional<DateTime> shiftedLocal(const DateTime& local, std::int64_t seconds);

// One file's shift, worked out before anything is written.
struct ShiftPlan {
    // The stamps as the system read them (UTC); `before.read` false: the file is left alone.
    platform::FileTimes before;
    // Per StampKind: the stamps this shift writes (chosen, kept by the file, and settable
    // on this system), their new UTC instants, and both values in local time for the preview
    // and the year check (NoDate(1) where not moved or not showable).
    std::array<bool, 3> moved{};
    std::array<std::optional<platform::Instant>, 3> after;
    std::array<DateTime, 3> beforeLocal{NoDate(1), NoDate(1), NoDate(1)};
    std::array<DateTime, 3> afterLocal{NoDate(1), NoDate(1), NoDate(1)};
    // A moved stamp would land where the program cannot hold it (outside the years 100 to
    // 9999 in local time): the shift of this file is refused.
    bool outOfRange = false;
};

// Works out the shift of stamps already read (`kinds` indexed by StampKind). The created
// stamp moves only where the system can set it.
ShiftPlan planShift(const platform::FileTimes& before, std::int64_t seconds,
                    const std::array<bool, 3>& kinds);
// Reads the file's stamps now and works out its shift.
ShiftPlan planShift(const std::filesystem::path& file, std::int64_t seconds,
                    const std::array<bool, 3>& kinds, const platform::FileId* expected = nullptr);

// Writes the new stamps: those the opened file has, moved by `seconds` (only the object
// `expected`, when given). A file whose stamps could not be read is not written; its outcome
// gives the reason the system gives for it (missing, directory, ...).
platform::WriteOutcome writeShift(const std::filesystem::path& file, const ShiftPlan& plan,
                                  std::int64_t seconds, const platform::FileId* expected = nullptr);

// The change one entry's shift makes, for applyChanges.
EntryChange shiftChange(const TickedEntry& entry, std::int64_t seconds,
                        const std::array<bool, 3>& kinds);

// The whole command: the shift of every ticked entry through applyChanges.
BatchResult shiftEntries(const std::vector<TickedEntry>& entries, std::int64_t seconds,
                         const std::array<bool, 3>& kinds, UndoStore& undo,
                         const std::function<bool(const QString& yearLines)>& confirm);

} // namespace chronodex
