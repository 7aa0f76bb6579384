#include "frm_DatesSource.h"

#include "editorrows.h"
#include "okcancel.h"

#include "platform/files.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace chronodex {

frm_DatesSource::frm_DatesSource(Source source, const QString& title, QWidget* parent)
    : QDialog(parent), source_(source) {
    setObjectName(QStringLiteral("frm_DatesSource"));
    setWindowTitle(title);
    const bool folder = source == Source::Folder;
    auto* label = new QLabel(folder ? QStringLiteral("&Folder of the originals:")
                                    : QStringLiteral("&Reference file:"),
                             this);
    txt_Source = new QLineEdit(this);
    txt_Source->setObjectName(QStringLiteral("txt_Source"));
    txt_Source->setMinimumWidth(fontMetrics().horizontalAdvance('M') * 30);
    label->setBuddy(txt_Source);
    com_Browse = new QPushButton(QStringLiteral("&Browse..."), this);
    com_Browse->setObjectName(QStringLiteral("com_Browse"));
    connect(com_Browse, &QPushButton::clicked, this, [this, folder] {
        const QString chosen = folder
                                   ? QFileDialog::getExistingDirectory(this, windowTitle(), path())
                                   : QFileDialog::getOpenFileName(this, windowTitle(), path());
        if (!chosen.isEmpty()) txt_Source->setText(chosen);
    });

    auto* dates = new QLabel(QStringLiteral("Dates to give the ticked files:"), this);
    const std::array<const char*, 3> names{"&Created", "&Modified", "&Accessed"};
    auto* kindRow = new QHBoxLayout;
    for (StampKind kind : AllStampKinds) {
        chk_Kind[kind] = new QCheckBox(QString::fromLatin1(names[kind]), this);
        chk_Kind[kind]->setObjectName(QStringLiteral("chk_Kind"));
        chk_Kind[kind]->setChecked(kind != Accessed);
        kindRow->addWidget(chk_Kind[kind]);
    }
    kindRow->addStretch();
    if (!platform::canSetCreationTime()) {
        chk_Kind[Created]->setChecked(false);
        chk_Kind[Created]->setEnabled(false);
        chk_Kind[Created]->setToolTip(QStringLiteral("This system cannot set a creation date."));
    }
    chk_Subfolders = new QCheckBox(QStringLiteral("Search its &subfolders too"), this);
    chk_Subfolders->setObjectName(QStringLiteral("chk_Subfolders"));
    chk_Subfolders->setVisible(folder);

    QDialogButtonBox* buttons = okCancelButtons(this, com_OK, com_Cancel);
    connect(txt_Source, &QLineEdit::textChanged, this, [this] { refresh(); });
    for (QCheckBox* box : chk_Kind)
        connect(box, &QCheckBox::toggled, this, [this] { refresh(); });

    auto* layout = new QGridLayout(this);
    layout->addWidget(label, 0, 0);
    layout->addWidget(txt_Source, 0, 1);
    layout->addWidget(com_Browse, 0, 2);
    layout->addWidget(dates, 1, 0);
    layout->addLayout(kindRow, 1, 1, 1, 2);
    layout->addWidget(chk_Subfolders, 2, 1, 1, 2);
    layout->addWidget(buttons, 3, 0, 1, 3);
    refresh();
}

QString frm_DatesSource::path() const {
    return txt_Source->text().trimmed();
}

std::array<bool, 3> frm_DatesSource::kinds() const {
    std::array<bool, 3> out{};
    for (StampKind kind : AllStampKinds)
        out[kind] = chk_Kind[kind]->isChecked() && chk_Kind[kind]->isEnabled();
    return out;
}

bool frm_DatesSource::subfolders() const {
    return source_ == Source::Folder && chk_Subfolders->isChecked();
}

void frm_DatesSource::refresh() {
    com_OK->setEnabled(!path().isEmpty() && kinds() != std::array<bool, 3>{});
}

} // namespace chronodex
