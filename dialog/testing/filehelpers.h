// Real files for tests: made in temporary folders, their stamps set and read with the
// system calls themselves.
#pragma once

#include <QDateTime>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <ctime>
#include <memory>

namespace chronodex::testing {

inline QString makeFile(const QTemporaryDir& dir, const QString& name, qint64 size = 0) {
    const QString path = dir.filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || !f.resize(size))
        qFatal("cannot create %s", qPrintable(path));
    return path;
}

// Seconds since the epoch of a UTC date-time.
inline qint64 utcSeconds(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s), Qt::UTC).toSecsSinceEpoch();
}

inline bool setStamps(const QString& path, qint64 accessed, qint64 modified, long nsec = 0) {
    const struct timespec ts[2] = {{static_cast<time_t>(accessed), nsec},
                                   {static_cast<time_t>(modified), nsec}};
    return ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), ts, 0) == 0;
}

inline struct stat statOf(const QString& path) {
    struct stat st {};
    ::stat(QFile::encodeName(path).constData(), &st);
    return st;
}

// Runs with the process in a time zone ("America/New_York"), then back in the one it had.
class ZoneScope {
  public:
    explicit ZoneScope(const QByteArray& zone) : old_(qgetenv("TZ")) {
        qputenv("TZ", zone);
        ::tzset();
    }
    ~ZoneScope() {
        qputenv("TZ", old_);
        ::tzset();
    }
    ZoneScope(const ZoneScope&) = delete;
    ZoneScope& operator=(const ZoneScope&) = delete;
    static bool available(const QByteArray& zone) {
        return QFile::exists(QStringLiteral("/usr/share/zoneinfo/") + QString::fromLatin1(zone));
    }

  private:
    QByteArray old_;
};

// A temporary folder on tmpfs, which holds any year; null where the machine has none.
inline std::unique_ptr<QTemporaryDir> tmpfsDir() {
    if (::access("/dev/shm", W_OK) != 0) return nullptr;
    auto dir = std::make_unique<QTemporaryDir>(QStringLiteral("/dev/shm/chronodex-XXXXXX"));
    return dir->isValid() ? std::move(dir) : nullptr;
}

} // namespace chronodex::testing
