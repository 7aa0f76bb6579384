// A folder for settings files that the Linux registry stand-in is pointed at through the
// XDG configuration variables: the user's in user/chronodex, the machine's in system/chronodex.
#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>
#include <QTemporaryDir>

namespace chronodex::testing {

class SettingsFolder {
  public:
    SettingsFolder() {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir_.filePath(QStringLiteral("user"))));
        qputenv("XDG_CONFIG_DIRS", QFile::encodeName(dir_.filePath(QStringLiteral("system"))));
    }
    // The machine's export file, in UTF-16 with its byte order mark as regedit writes it.
    void machine(const QString& text) const {
        QStringEncoder utf16(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
        writeFile(QStringLiteral("system/chronodex/HKEY_LOCAL_MACHINE.reg"), utf16(text));
    }
    QString writeFile(const QString& name, const QByteArray& bytes) const {
        QDir(dir_.path()).mkpath(QFileInfo(name).path());
        QFile f(dir_.filePath(name));
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(bytes);
        return f.fileName();
    }
    QString path() const { return dir_.path(); }

  private:
    QTemporaryDir dir_;
};

} // namespace chronodex::testing
