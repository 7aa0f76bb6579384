#include "listmodel.h"

#include "platform/files.h"

#include <QLocale>

namespace chronodex {

QStringList FilePathTable::entries() const {
    QStringList out;
    if (slots_.size() > 1) {
        out.reserve(static_cast<qsizetype>(slots_.size() - 1));
        for (std::size_t i = 1; i < slots_.size(); ++i)
            out.append(slots_[i]);
    }
    return out;
}

void FilePathTable::assign(const QStringList& paths, const std::vector<EntryKind>& kinds) {
    resize(static_cast<int>(paths.size()));
    for (qsizetype i = 0; i < paths.size(); ++i) {
        const auto k = static_cast<std::size_t>(i);
        slots_[k + 1] = paths[i];
        if (k < kinds.size()) kinds_[k + 1] = kinds[k];
    }
}

QString SplitPath(QString Path, bool NameOnly, QChar separator) {
    const qsizetype last = Path.lastIndexOf(separator);
    if (NameOnly) return last < 0 ? Path : Path.mid(last + 1);
    return last < 0 ? QString() : Path.left(last);
}

EntryKind kindOf(std::uint32_t attributes) {
    if (attributes & platform::AttrDirectory) return EntryKind::Directory;
    if (!(attributes & platform::AttrArchive)) return EntryKind::SystemFile;
    return EntryKind::File;
}

void KindCounts::add(EntryKind kind) {
    if (kind == EntryKind::Directory) {
        ++directories;
        return;
    }
    ++files;
    if (kind == EntryKind::SystemFile) ++systemFiles;
}

QString CapitalFirst(const QString& Text) {
    if (Text.isEmpty()) return Text;
    return Text.left(1).toUpper() + Text.mid(1);
}

QString groupedNumber(qint64 n) {
    return QLocale().toString(n);
}

QString formatCount(qint64 n) {
    return groupedNumber(n) + QLatin1Char(' ');
}

QString tickedStatusText(int files, int directories) {
    QString filePhrase;
    if (files == 1)
        filePhrase = QStringLiteral("one file");
    else if (files == 0)
        filePhrase = QStringLiteral("no file");
    else
        filePhrase = groupedNumber(files) + QStringLiteral(" files");
    QString dirPhrase;
    if (directories == 1)
        dirPhrase = QStringLiteral("one directory");
    else if (directories == 0)
        dirPhrase = QStringLiteral("no directories");
    else
        dirPhrase = groupedNumber(directories) + QStringLiteral(" directories");
    return CapitalFirst(filePhrase + QStringLiteral(", ") + dirPhrase + QStringLiteral(" ticked."));
}

} // namespace chronodex
