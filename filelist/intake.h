// Taking in what the user drops: what counts as a drop of files, which modifier keys were
// held, and the warning about system files and directories.
#pragma once

#include "listmodel.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class QMimeData;

namespace chronodex {

// The dropped data as the intake reads it: the ordered list of full paths.
struct DropData {
    QStringList files;
};

// The six arguments of a drop handler.
struct DropArgs {
    DropData Data;
    int Effect = 0; // 7: copy + move + link, what the shell offers for file-system objects
    int Button = 0;
    int Shift = 0; // 1 Shift, 2 Ctrl, 4 Alt, added together
    int X = 0;
    int Y = 0;
};

// A drop as the intake reads it, from one pass over its URL list: the paths of its local
// files, in order, and what the source offers. A non-empty list of local files counts as the
// shell's copy + move + link (7), whatever actions the source names: a file manager offers
// Move alone while Shift is held, and Wayland has no link action at all. Anything else
// counts as 0.
struct ReadDrop {
    DropData data;
    int effect = 0;
};
ReadDrop readDrop(const QMimeData* mime);

// The modifier keys as the numbers the intake tests: Shift 1, Ctrl 2, Alt 4.
int modifierBits(Qt::KeyboardModifiers modifiers);

// The warning lines about the system files and directories of a list, or an empty text.
QString intakeWarning(const KindCounts& counts);

// A failure of the intake: its description and number, shown on two lines; number 0 when the
// user stopped it (nothing to show).
struct IntakeFailure {
    QString description;
    int number = 0;
};

// The refusal of a list longer than it can hold.
IntakeFailure overflowFailure();

// Reads the kind of every path of the new list, or the failure that refuses the whole drop
// (an object that does not exist, or more entries than the list can hold).
struct IntakePlan {
    QStringList paths;
    std::vector<EntryKind> kinds;
    std::vector<platform::FileId> ids;
    KindCounts counts;
};
std::optional<IntakeFailure> planIntake(const QStringList& paths, IntakePlan& plan,
                                        const Progress& progress = {});

} // namespace chronodex
