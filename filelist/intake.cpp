#include "intake.h"

#include "fspath.h"

#include "platform/files.h"

#include <QMimeData>
#include <QUrl>

#include <algorithm>
#include <exception>
#include <system_error>
#include <thread>

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

namespace {

// Shorter lists are read on the calling thread: starting a thread costs about as much as
// reading the attributes of a few hundred local files.
constexpr qsizetype ReadOnThreadsFrom = 4096;
constexpr unsigned MostReadingThreads = 8;

// Reads the kinds of paths [begin, end) into their places; returns the first position
// whose attributes could not be read, or -1.
qsizetype readKindsOf(const QStringList& paths, qsizetype begin, qsizetype end,
                      std::vector<EntryKind>& kinds) {
    qsizetype missing = -1;
    for (qsizetype i = begin; i < end; ++i) {
        const auto attributes = platform::fileAttributes(toNativePath(paths.at(i)));
        if (!attributes && missing < 0) missing = i;
        kinds[static_cast<std::size_t>(i)] = kindOf(attributes.value_or(0));
    }
    return missing;
}

} // namespace

KindsRead readKinds(const QStringList& paths) {
    KindsRead read;
    const qsizetype n = paths.size();
    read.kinds.resize(static_cast<std::size_t>(n));
    const unsigned blocks = n < ReadOnThreadsFrom ? 1u
                                                  : std::clamp(std::thread::hardware_concurrency(),
                                                               1u, MostReadingThreads);
    // Block b covers [n * b / blocks, n * (b + 1) / blocks). A thread's exception is thrown
    // again here, after every thread has ended.
    std::vector<qsizetype> missing(blocks, -1);
    std::vector<std::exception_ptr> failures(blocks);
    const auto readBlock = [&](unsigned b) {
        try {
            missing[b] = readKindsOf(paths, n * b / blocks, n * (b + 1) / blocks, read.kinds);
        } catch (...) {
            failures[b] = std::current_exception();
        }
    };
    {
        std::vector<std::jthread> threads;
        threads.reserve(blocks - 1);
        unsigned started = 1;
        try {
            for (; started < blocks; ++started)
                threads.emplace_back(readBlock, started);
        } catch (const std::system_error&) {
            // No thread to be had: the blocks left are read here.
        }
        readBlock(0);
        for (unsigned b = started; b < blocks; ++b)
            readBlock(b);
    } // the threads are joined here
    for (const std::exception_ptr& failure : failures)
        if (failure) std::rethrow_exception(failure);
    for (const qsizetype m : missing)
        if (m >= 0) {
            read.firstMissing = m;
            break;
        }
    for (const EntryKind kind : read.kinds)
        read.counts.add(kind);
    return read;
}

std::optional<IntakeFailure> planIntake(const QStringList& paths, IntakePlan& plan) {
    if (paths.size() > MaxEntries)
        return IntakeFailure{QStringLiteral("Overflow: the list can hold at most ") +
                                 groupedNumber(MaxEntries) + QStringLiteral(" entries"),
                             6};
    KindsRead read = readKinds(paths);
    if (read.firstMissing >= 0)
        return IntakeFailure{
            QStringLiteral("File not found: ") + displayText(paths.at(read.firstMissing)), 53};
    plan = IntakePlan{paths, std::move(read.kinds), read.counts};
    return std::nullopt;
}

} // namespace chronodex
