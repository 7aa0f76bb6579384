// Real files for tests: made in temporary folders, their stamps set and read through Qt's
// own file calls, which go to the system's.
#pragma once

#include "testfiles.h"

#include <QtTest>

#include <ctime>
#include <memory>

namespace chronodex::testing {

// A path in the system's own form, as a drop hands it to the program.
inline QString nativePath(const QString& path) {
    return QDir::toNativeSeparators(path);
}

// A path as std::filesystem takes it: UTF-8 text, which each system turns into its own form.
inline std::filesystem::path fsPath(const QString& path) {
    const QByteArray utf8 = path.toUtf8();
    return std::u8string(utf8.begin(), utf8.end());
}

inline QString makeFile(const QTemporaryDir& dir, const QString& name, qint64 size = 0) {
    QFile f(dir.filePath(name));
    if (!f.open(QIODevice::WriteOnly) || !f.resize(size))
        qFatal("cannot create %s", qPrintable(f.fileName()));
    return nativePath(f.fileName());
}

// Makes a new object at `path` that the program counts as a system file (see
// platform::testing), or skips the test where the system cannot make one.
#define MAKE_SYSTEM_FILE_OR_SKIP(path)                                                             \
    do {                                                                                           \
        if (!platform::testing::makeSystemFile(fsPath(path))) {                                    \
            if (platform::testing::underWine())                                                    \
                QSKIP("Wine reports the archive attribute on every file, so no file counts "       \
                      "as a system file");                                                         \
            QFAIL(qPrintable(QStringLiteral("cannot make the system file ") + (path)));            \
        }                                                                                          \
    } while (false)

// Seconds since the epoch of a UTC date-time.
inline qint64 utcSeconds(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s), Qt::UTC).toSecsSinceEpoch();
}

inline bool setStamps(const QString& path, qint64 accessed, qint64 modified, long nsec = 0) {
    return platform::testing::setFileTimes(fsPath(path), accessed, modified, nsec);
}

// A stamp of a path as the file system keeps it, in whole seconds since the epoch; invalid
// (and so no number) where the file system keeps none.
inline QDateTime stampOf(const QString& path, QFileDevice::FileTime which) {
    return QFileInfo(path).fileTime(which).toUTC();
}
inline qint64 modifiedSeconds(const QString& path) {
    return stampOf(path, QFileDevice::FileModificationTime).toSecsSinceEpoch();
}
inline qint64 accessedSeconds(const QString& path) {
    return stampOf(path, QFileDevice::FileAccessTime).toSecsSinceEpoch();
}

// The stamps of each path exactly, to the nanosecond.
using platform::testing::ExactStamps;
inline QList<ExactStamps> exactStampsOf(const QStringList& paths) {
    QList<ExactStamps> out;
    for (const QString& p : paths)
        out << platform::testing::exactStamps(fsPath(p));
    return out;
}

// Runs with the process in a time zone ("America/New_York"), then back in the one it had.
class ZoneScope {
  public:
    explicit ZoneScope(const QByteArray& zone) : old_(qgetenv("TZ")) { set(zone); }
    ~ZoneScope() { set(old_); }
    Q_DISABLE_COPY(ZoneScope)
    // Why the process cannot switch to the zone here; empty when it can.
    static QString unavailable(const QByteArray& zone) {
        if (!platform::testing::zoneFollowsTZ())
            return QStringLiteral("Windows takes the time zone from the system's settings, not "
                                  "from TZ (test_windows runs once per zone)");
        if (!QFile::exists(QStringLiteral("/usr/share/zoneinfo/") + QString::fromLatin1(zone)))
            return QStringLiteral("the time-zone database (tzdata) is not installed");
        return {};
    }

  private:
    static void set(const QByteArray& zone) {
        qputenv("TZ", zone);
        ::tzset();
    }
    QByteArray old_;
};

// Whether the file system of a folder holds the year 1850 exactly (ext4 clamps years before
// 1901; tmpfs and NTFS hold them).
inline bool holdsYear1850(const QString& folder) {
    const QString probe = folder + QStringLiteral("/chronodex-year-probe");
    const qint64 old = utcSeconds(1850, 6, 15);
    QFile(probe).open(QIODevice::WriteOnly);
    const bool held = setStamps(probe, old, old) && modifiedSeconds(probe) == old;
    QFile::remove(probe);
    return held;
}

// A temporary folder whose file system holds any year the program writes (1850 for one):
// tmpfs on Linux, the temporary folder on Windows; null where there is none. Under Wine,
// "/dev/shm" is the host's tmpfs on drive Z:.
inline std::unique_ptr<QTemporaryDir> anyYearDir() {
    for (const QString& base : {QStringLiteral("/dev/shm"), QDir::tempPath()}) {
        auto dir = std::make_unique<QTemporaryDir>(base + QStringLiteral("/chronodex-XXXXXX"));
        if (dir->isValid() && holdsYear1850(dir->path())) return dir;
    }
    return nullptr;
}

} // namespace chronodex::testing
