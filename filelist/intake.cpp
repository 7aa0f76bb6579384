#include "intake.h"

#include "fspath.h"

#include <QMimeData>
#include <QUrl>

namespace chronodex {

ReadDrop readDrop(const QMimeData* mime) {
    ReadDrop drop;
    if (!mime || !mime->hasUrls()) return drop;
    const QList<QUrl> urls = mime->urls(); // parsed once: a drop may hold 32,767 of them
    drop.data.files.reserve(urls.size());
    bool allFiles = !urls.isEmpty();
    for (const QUrl& url : urls) {
        if (!url.isLocalFile()) {
            allFiles = false;
            continue;
        }
        drop.data.files.append(pathFromUrl(url));
        allFiles = allFiles && !drop.data.files.last().isEmpty();
    }
    drop.effect = allFiles ? 7 : 0;
    return drop;
}

int modifierBits(Qt::KeyboardModifiers modifiers) {
    int bits = 0;
    if (modifiers & Qt::ShiftModifier) bits |= 1;
    if (modifiers & Qt::ControlModifier) bits |= 2;
    if (modifiers & Qt::AltModifier) bits |= 4;
    return bits;
}

QString intakeWarning(const KindCounts& counts) {
    const QString crlf = QStringLiteral("\r\n");
    QString text;
    if (counts.systemFiles == 1) {
        text += QStringLiteral("You dragded a system file here.") + crlf +
                QStringLiteral("For safety reasions you should not edit the date of this file.") +
                crlf + QStringLiteral("Please don't tick this item.") + crlf;
    } else if (counts.systemFiles >= 2) {
        text += QStringLiteral("You dragded ") + groupedNumber(counts.systemFiles) +
                QStringLiteral(" system files here.") + crlf +
                QStringLiteral("For safety reasions you should not edit the date of these files.") +
                crlf + QStringLiteral("Please don't tick them.") + crlf;
    }
    if (counts.directories == 1) {
        text += QStringLiteral("You dragded a directory here.") + crlf +
                QStringLiteral("This version can only edit file dates, sorry.") + crlf;
    } else if (counts.directories >= 2) {
        text += QStringLiteral("You dragded ") + groupedNumber(counts.directories) +
                QStringLiteral(" directories here.") + crlf +
                QStringLiteral("This version can only edit file dates, sorry.") + crlf;
    }
    return text;
}

IntakeFailure overflowFailure() {
    return {QStringLiteral("Overflow: the list can hold at most ") + groupedNumber(MaxEntries) +
                QStringLiteral(" entries"),
            6};
}

std::optional<IntakeFailure> planIntake(const QStringList& paths, IntakePlan& plan,
                                        const Progress& progress) {
    if (paths.size() > MaxEntries) return overflowFailure();
    KindsRead read = readKinds(paths, true, progress);
    if (read.stopped) return IntakeFailure{};
    if (read.firstMissing >= 0)
        return IntakeFailure{
            QStringLiteral("File not found: ") + displayText(paths.at(read.firstMissing)), 53};
    plan = IntakePlan{paths, std::move(read.kinds), std::move(read.ids), read.counts};
    return std::nullopt;
}

} // namespace chronodex
