#include "frm_ChangePreview.h"

#include "format.h"
#include "okcancel.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <tuple>

namespace chronodex {

namespace {

QString stampText(const DateTime& value) {
    return IsSameDay(value, NoDate()) ? QStringLiteral("(none)") : formatDateTime(value);
}

auto key(const DateTime& d) {
    return std::tie(d.year, d.month, d.day, d.hour, d.minute, d.second);
}

} // namespace

ChangePreviewModel::ChangePreviewModel(const std::vector<TickedEntry>& entries,
                                       const std::vector<EntryChange>& changes, QObject* parent)
    : QAbstractTableModel(parent) {
    const std::size_t n = std::min(entries.size(), changes.size());
    rows_.reserve(n);
    order_.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        const EntryChange& change = changes[i];
        Row row{entries[i].name, change.skip, change.oldLocal, change.newLocal, {}};
        if (row.reason.isEmpty()) {
            row.written = change.written;
            if (change.written == std::array<bool, 3>{})
                row.reason = QStringLiteral("no date of it can be changed");
            else
                ++changing_;
            for (StampKind kind : AllStampKinds)
                anyWritten_[kind] = anyWritten_[kind] || change.written[kind];
        }
        rows_.push_back(std::move(row));
        order_.push_back(static_cast<int>(i));
    }
}

int ChangePreviewModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ChangePreviewModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ChangePreviewModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount()) return {};
    const Row& row = rows_[static_cast<std::size_t>(order_[static_cast<std::size_t>(index.row())])];
    switch (index.column()) {
    case Name:
        return row.name;
    case Reason:
        return row.reason;
    default: {
        const std::size_t kind = static_cast<std::size_t>(index.column() - CreatedColumn);
        if (!row.written[kind]) return QString();
        return stampText(row.from[kind]) + QStringLiteral(" \u2192 ") + stampText(row.to[kind]);
    }
    }
}

QVariant ChangePreviewModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
    switch (section) {
    case Name:
        return QStringLiteral("Name");
    case CreatedColumn:
        return QStringLiteral("Created");
    case ModifiedColumn:
        return QStringLiteral("Modified");
    case AccessedColumn:
        return QStringLiteral("Accessed");
    case Reason:
        return QStringLiteral("Left alone because");
    default:
        return {};
    }
}

void ChangePreviewModel::sort(int column, Qt::SortOrder order) {
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    const std::vector<int> shownBefore = order_;
    const auto less = [this, column](int a, int b) {
        const Row& x = rows_[static_cast<std::size_t>(a)];
        const Row& y = rows_[static_cast<std::size_t>(b)];
        switch (column) {
        case Name:
            return x.name.compare(y.name, Qt::CaseInsensitive) < 0;
        case Reason:
            return x.reason.compare(y.reason, Qt::CaseInsensitive) < 0;
        case CreatedColumn:
        case ModifiedColumn:
        case AccessedColumn: {
            // Rows that change this stamp first, by their new value.
            const std::size_t k = static_cast<std::size_t>(column - CreatedColumn);
            if (x.written[k] != y.written[k]) return x.written[k];
            return x.written[k] && key(x.to[k]) < key(y.to[k]);
        }
        default:
            return false;
        }
    };
    // Equal rows keep the order of the list.
    std::sort(order_.begin(), order_.end());
    std::stable_sort(order_.begin(), order_.end(), less);
    if (order == Qt::DescendingOrder && column >= 0) std::reverse(order_.begin(), order_.end());
    std::vector<int> shownAt(rows_.size());
    for (std::size_t i = 0; i < order_.size(); ++i)
        shownAt[static_cast<std::size_t>(order_[i])] = static_cast<int>(i);
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& index : before) {
        const int source = shownBefore[static_cast<std::size_t>(index.row())];
        after << this->index(shownAt[static_cast<std::size_t>(source)], index.column());
    }
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

frm_ChangePreview::frm_ChangePreview(const QString& title, const std::vector<TickedEntry>& entries,
                                     const std::vector<EntryChange>& changes, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("frm_ChangePreview"));
    setWindowTitle(title);
    model_ = new ChangePreviewModel(entries, changes, this);
    const QLocale locale;
    lab_Summary =
        new QLabel(locale.toString(model_->changing()) +
                       (model_->changing() == 1 ? QStringLiteral(" entry will be written, ")
                                                : QStringLiteral(" entries will be written, ")) +
                       locale.toString(model_->leftAlone()) +
                       (model_->leftAlone() == 1 ? QStringLiteral(" left as it is.")
                                                 : QStringLiteral(" left as they are.")) +
                       QStringLiteral(" Nothing is written before OK."),
                   this);
    lab_Summary->setObjectName(QStringLiteral("lab_Summary"));

    cbo_SortBy = new QComboBox(this);
    cbo_SortBy->setObjectName(QStringLiteral("cbo_SortBy"));
    cbo_SortBy->addItem(QStringLiteral("List order"), -1);
    // A stamp that no entry changes has no column.
    const auto shown = [this](int column) {
        return column < ChangePreviewModel::CreatedColumn ||
               column > ChangePreviewModel::AccessedColumn ||
               model_->changes(static_cast<StampKind>(column - ChangePreviewModel::CreatedColumn));
    };
    for (int c = 0; c < ChangePreviewModel::ColumnCount; ++c)
        if (shown(c)) cbo_SortBy->addItem(model_->headerData(c, Qt::Horizontal).toString(), c);
    auto* sortLabel = new QLabel(QStringLiteral("&Sort by:"), this);
    sortLabel->setBuddy(cbo_SortBy);

    tbl_Changes = new QTableView(this);
    tbl_Changes->setObjectName(QStringLiteral("tbl_Changes"));
    tbl_Changes->setModel(model_);
    tbl_Changes->setSelectionBehavior(QAbstractItemView::SelectRows);
    tbl_Changes->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tbl_Changes->setWordWrap(false);
    tbl_Changes->setTabKeyNavigation(false); // Tab moves on to the buttons
    // Rows of one height, columns of widths set here: nothing measures every row.
    QHeaderView* rowsHeader = tbl_Changes->verticalHeader();
    rowsHeader->hide();
    rowsHeader->setSectionResizeMode(QHeaderView::Fixed);
    rowsHeader->setDefaultSectionSize(fontMetrics().height() + 6);
    QHeaderView* columns = tbl_Changes->horizontalHeader();
    columns->setSortIndicator(-1, Qt::AscendingOrder);
    tbl_Changes->setSortingEnabled(true);
    const int stampWidth =
        fontMetrics().horizontalAdvance(QStringLiteral("00/00/0000, 00:00:00am \u2192 "
                                                       "00/00/0000, 00:00:00am")) +
        16;
    columns->resizeSection(ChangePreviewModel::Name, fontMetrics().horizontalAdvance('M') * 24);
    for (int c : {ChangePreviewModel::CreatedColumn, ChangePreviewModel::ModifiedColumn,
                  ChangePreviewModel::AccessedColumn})
        columns->resizeSection(c, stampWidth);
    columns->setStretchLastSection(true);
    for (int c = 0; c < ChangePreviewModel::ColumnCount; ++c)
        tbl_Changes->setColumnHidden(c, !shown(c));
    connect(cbo_SortBy, &QComboBox::activated, this, [this](int i) {
        const int column = cbo_SortBy->itemData(i).toInt();
        if (column < 0) {
            tbl_Changes->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
            model_->sort(-1);
        } else {
            tbl_Changes->sortByColumn(column, Qt::AscendingOrder);
        }
    });

    QDialogButtonBox* buttons = okCancelButtons(this, com_OK, com_Cancel);

    auto* sortRow = new QHBoxLayout;
    sortRow->addWidget(sortLabel);
    sortRow->addWidget(cbo_SortBy);
    sortRow->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lab_Summary);
    layout->addLayout(sortRow);
    layout->addWidget(tbl_Changes, 1);
    layout->addWidget(buttons);
    int stampsShown = 0;
    for (StampKind kind : AllStampKinds)
        stampsShown += model_->changes(kind) ? 1 : 0;
    resize(stampWidth * stampsShown + fontMetrics().horizontalAdvance('M') * 60, 480);
    tbl_Changes->setFocus();
    if (model_->rowCount() > 0) tbl_Changes->selectRow(0);
}

} // namespace chronodex
