#include "fonts.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>
#include <QWidget>

#include <algorithm>

namespace chronodex {
namespace {

// Whether the system has a face of this family: one of the installed families by name,
// alone or with its foundry ("Name [Foundry]"). The installed names are read once; asking
// the font database family by family would also resolve each name as an alias, which on
// fontconfig systems runs the whole substitution configuration once for every name.
bool installed(const QStringList& families, const QString& family) {
    const QString withFoundry = family + QStringLiteral(" [");
    return std::any_of(families.begin(), families.end(), [&](const QString& name) {
        return name.compare(family, Qt::CaseInsensitive) == 0 ||
               name.startsWith(withFoundry, Qt::CaseInsensitive);
    });
}

} // namespace

// One lookup of the installed names, so that no later font has to walk through missing
// families. A name that is there may still be only an alias, drawn in whatever face the
// system maps it to (Wine lists "MS Shell Dlg" and draws it in a serif face where no Windows
// fonts are): it counts where it is drawn as itself or as one of the sans-serif faces.
QString availableFamily(const QString& family) {
    const QStringList sans{QStringLiteral("Arial"), QStringLiteral("Tahoma"),
                           QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")};
    const QStringList present = QFontDatabase::families();
    for (const QString& f : QStringList{family} + sans) {
        if (!installed(present, f)) continue;
        const QString drawn = QFontInfo(QFont(f)).family();
        if (drawn.compare(f, Qt::CaseInsensitive) == 0 || sans.contains(drawn, Qt::CaseInsensitive))
            return f;
    }
    return family;
}

QFont dialogFont() {
    QFont font;
    font.setFamily(availableFamily(QStringLiteral("MS Sans Serif")));
    font.setPointSizeF(8.25);
    font.setBold(false); // explicit, so that controls inside the bold frames stay regular
    return font;
}

// Setting the application's font forgets the fonts set for classes, so those come after it.
void setProgramFont() {
    const char* const keep[] = {"QMessageBox", "QMenu", "QTipLabel"};
    QList<QFont> kept;
    for (const char* name : keep) {
        kept << QApplication::font(name);
        kept.back().setFamily(availableFamily(kept.back().family()));
    }
    QApplication::setFont(dialogFont());
    for (qsizetype i = 0; i < kept.size(); ++i)
        QApplication::setFont(kept[i], keep[i]);
}

// The controls get their own regular font first, so that the bold one stops at them instead
// of passing through every control and back.
void boldCaption(QWidget* frame, const QFont& regular) {
    for (QWidget* child : frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (!child->testAttribute(Qt::WA_SetFont)) child->setFont(regular); // keep own fonts
    QFont bold = regular;
    bold.setBold(true);
    frame->setFont(bold);
}

} // namespace chronodex
