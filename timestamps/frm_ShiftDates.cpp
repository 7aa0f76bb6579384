#include "frm_ShiftDates.h"

#include "format.h"

#include "platform/files.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace chronodex {
namespace {

// The years 100 to 9999 span fewer days than this.
constexpr int MostDays = 3'660'000;

QSpinBox* amountBox(QWidget* parent, const char* name, int most) {
    auto* box = new QSpinBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setRange(0, most);
    box->setGroupSeparatorShown(true);
    box->setAccelerated(true);
    return box;
}

} // namespace

frm_ShiftDates::frm_ShiftDates(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frm_ShiftDates"));
    setWindowTitle(QStringLiteral("Shift dates of ticked files"));

    cbo_Direction = new QComboBox(this);
    cbo_Direction->setObjectName(QStringLiteral("cbo_Direction"));
    cbo_Direction->addItems({QStringLiteral("later"), QStringLiteral("earlier")});
    spn_Days = amountBox(this, "spn_Days", MostDays);
    spn_Hours = amountBox(this, "spn_Hours", 23);
    spn_Minutes = amountBox(this, "spn_Minutes", 59);
    spn_Seconds = amountBox(this, "spn_Seconds", 59);

    auto* amountGrid = new QGridLayout;
    const auto labelled = [&](int column, const QString& text, QWidget* buddy) {
        auto* label = new QLabel(text, this);
        label->setBuddy(buddy);
        amountGrid->addWidget(label, 0, column);
        amountGrid->addWidget(buddy, 1, column);
    };
    labelled(0, QStringLiteral("Mo&ve the dates"), cbo_Direction);
    labelled(1, QStringLiteral("&Days"), spn_Days);
    labelled(2, QStringLiteral("&Hours"), spn_Hours);
    labelled(3, QStringLiteral("M&inutes"), spn_Minutes);
    labelled(4, QStringLiteral("&Seconds"), spn_Seconds);

    auto* kindsRow = new QHBoxLayout;
    const std::array<QString, 3> captions{QStringLiteral("C&reated"), QStringLiteral("&Modified"),
                                          QStringLiteral("&Accessed")};
    const std::array<const char*, 3> names{"chk_ShiftCreated", "chk_ShiftModified",
                                           "chk_ShiftAccessed"};
    for (StampKind kind : {Modified, Accessed, Created}) {
        auto* box = new QCheckBox(captions[kind], this);
        box->setObjectName(QLatin1String(names[kind]));
        box->setChecked(true);
        kindsRow->addWidget(box);
        chk_Kind[kind] = box;
    }
    if (!platform::canSetCreationTime()) {
        chk_Kind[Created]->setChecked(false);
        chk_Kind[Created]->setEnabled(false);
        chk_Kind[Created]->setToolTip(
            QStringLiteral("This system does not let programs set the date a file was created."));
    }
    kindsRow->addStretch();

    lab_Preview = new QLabel(this);
    lab_Preview->setObjectName(QStringLiteral("lab_Preview"));
    lab_Preview->setTextFormat(Qt::PlainText);

    com_OK = new QPushButton(QStringLiteral("&OK"), this);
    com_OK->setObjectName(QStringLiteral("com_OK"));
    com_OK->setDefault(true);
    com_Cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    com_Cancel->setObjectName(QStringLiteral("com_Cancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(com_OK);
    buttons->addWidget(com_Cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(amountGrid);
    layout->addWidget(new QLabel(QStringLiteral("Stamps to move:"), this));
    layout->addLayout(kindsRow);
    layout->addWidget(lab_Preview);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    const std::array<QWidget*, 10> order{
        cbo_Direction,      spn_Days,           spn_Hours,         spn_Minutes, spn_Seconds,
        chk_Kind[Modified], chk_Kind[Accessed], chk_Kind[Created], com_OK,      com_Cancel};
    for (std::size_t i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(com_OK, &QPushButton::clicked, this, &QDialog::accept);
    connect(com_Cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(cbo_Direction, &QComboBox::currentIndexChanged, this, &frm_ShiftDates::refresh);
    for (QSpinBox* box : {spn_Days, spn_Hours, spn_Minutes, spn_Seconds})
        connect(box, &QSpinBox::valueChanged, this, &frm_ShiftDates::refresh);
    for (QCheckBox* box : chk_Kind)
        connect(box, &QCheckBox::toggled, this, &frm_ShiftDates::refresh);
    refresh();
    cbo_Direction->setFocus();
}

void frm_ShiftDates::setPreview(const std::array<std::optional<DateTime>, 3>& firstEntry,
                                int entries) {
    first_ = firstEntry;
    entries_ = entries;
    refresh();
}

ShiftAmount frm_ShiftDates::amount() const {
    const std::int64_t sign = cbo_Direction->currentIndex() == 1 ? -1 : 1;
    return {sign * spn_Days->value(), sign * spn_Hours->value(), sign * spn_Minutes->value(),
            sign * spn_Seconds->value()};
}

std::array<bool, 3> frm_ShiftDates::kinds() const {
    std::array<bool, 3> chosen{};
    for (StampKind kind : AllStampKinds)
        chosen[kind] = chk_Kind[kind]->isEnabled() && chk_Kind[kind]->isChecked();
    return chosen;
}

QString frm_ShiftDates::previewText() const {
    return lab_Preview->text();
}

void frm_ShiftDates::refresh() {
    const std::array<bool, 3> chosen = kinds();
    const std::int64_t by = seconds();
    const QString na = QStringLiteral(" N/A ");
    const std::array<QString, 3> names{QStringLiteral("Created"), QStringLiteral("Modified"),
                                       QStringLiteral("Accessed")};
    QStringList lines;
    lines << QLocale().toString(entries_) +
                 (entries_ == 1 ? QStringLiteral(" ticked entry")
                                : QStringLiteral(" ticked entries")) +
                 (entries_ > 0 ? QStringLiteral("; the first one:") : QStringLiteral("."));
    for (StampKind kind : {Modified, Accessed, Created}) {
        if (!chosen[kind] || entries_ == 0) continue;
        const auto& before = first_[kind];
        const auto after = before ? shiftedLocal(*before, by) : std::nullopt;
        lines << names[kind] + QStringLiteral(": ") + (before ? formatDateTime(*before) : na) +
                     QStringLiteral("  \u2192  ") + (after ? formatDateTime(*after) : na);
    }
    lab_Preview->setText(lines.join(QLatin1Char('\n')));
    com_OK->setEnabled(by != 0 && (chosen[Created] || chosen[Modified] || chosen[Accessed]));
}

} // namespace chronodex
