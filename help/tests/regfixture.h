// Registry export files and INI files for the settings tests, in a folder the Linux
// registry stand-in is pointed at through the XDG configuration variables.
#pragma once

#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

namespace chronodex::testing {

class SettingsFolder {
  public:
    SettingsFolder() {
        QDir(dir_.path()).mkpath(QStringLiteral("user/chronodex"));
        QDir(dir_.path()).mkpath(QStringLiteral("system/chronodex"));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir_.filePath(QStringLiteral("user"))));
        qputenv("XDG_CONFIG_DIRS", QFile::encodeName(dir_.filePath(QStringLiteral("system"))));
    }
    // Writes the machine's (or the user's) export file; version 5 files in UTF-16 as
    // regedit writes them.
    void writeRoot(const QString& rootName, const QString& text, bool utf16 = true) const {
        const bool user = rootName == QLatin1String("HKEY_CURRENT_USER");
        QFile f(dir_.filePath(
            (user ? QStringLiteral("user/chronodex/") : QStringLiteral("system/chronodex/")) +
            rootName + QStringLiteral(".reg")));
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        if (utf16) {
            QByteArray bytes("\xFF\xFE", 2);
            for (QChar c : text) {
                bytes.append(char(c.unicode() & 0xFF));
                bytes.append(char(c.unicode() >> 8));
            }
            f.write(bytes);
        } else {
            f.write(text.toUtf8());
        }
    }
    QString writeFile(const QString& name, const QByteArray& bytes) const {
        QFile f(dir_.filePath(name));
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(bytes);
        return f.fileName();
    }
    QString path() const { return dir_.path(); }

  private:
    QTemporaryDir dir_;
};

// UTF-16LE hex bytes of a text, as hex(2) and hex(7) values hold it.
inline QString utf16Hex(const QString& text) {
    QStringList parts;
    for (QChar c : text) {
        parts << QStringLiteral("%1").arg(c.unicode() & 0xFF, 2, 16, QLatin1Char('0'));
        parts << QStringLiteral("%1").arg(c.unicode() >> 8, 2, 16, QLatin1Char('0'));
    }
    return parts.join(QLatin1Char(','));
}

} // namespace chronodex::testing
