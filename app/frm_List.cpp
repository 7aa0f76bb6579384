#include "frm_List.h"

#include "entrytable.h"
#include "icons.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QVBoxLayout>

namespace chronodex {

frm_List::frm_List(FilePathTable* entries, QWidget* parent)
    : QWidget(parent, Qt::Window), table_(new EntryTable(entries, this)),
      view_(new EntrySortFilter(table_, this)), txt_Filter(new QLineEdit(this)),
      tbl_Entries(new QTableView(this)) {
    setObjectName(QStringLiteral("frm_List"));
    setWindowTitle(QStringLiteral("Chronodex - List"));
    setWindowIcon(chronodexIcon());
    txt_Filter->setObjectName(QStringLiteral("txt_Filter"));
    txt_Filter->setPlaceholderText(QStringLiteral("Part of a name"));
    txt_Filter->setClearButtonEnabled(true);
    tbl_Entries->setObjectName(QStringLiteral("tbl_Entries"));
    auto* filterLabel = new QLabel(QStringLiteral("&Show names holding:"), this);
    filterLabel->setBuddy(txt_Filter);

    tbl_Entries->setModel(view_);
    tbl_Entries->setSelectionBehavior(QAbstractItemView::SelectRows);
    tbl_Entries->setSelectionMode(QAbstractItemView::SingleSelection);
    tbl_Entries->setWordWrap(false);
    tbl_Entries->verticalHeader()->hide();
    // Rows of one height, known without asking the rows: a long list opens at once.
    tbl_Entries->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    tbl_Entries->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    QHeaderView* header = tbl_Entries->horizontalHeader();
    header->setSortIndicatorClearable(true); // a third click goes back to the list's order
    header->setSortIndicator(-1, Qt::AscendingOrder);
    tbl_Entries->setSortingEnabled(true);
    const int digit = fontMetrics().horizontalAdvance(QLatin1Char('0'));
    const std::array<int, EntryTable::ColumnCount> widths{3, 28, 36, 14, 22, 22, 22};
    for (int c = 0; c < EntryTable::ColumnCount; ++c)
        header->resizeSection(c, digit * widths[static_cast<std::size_t>(c)]);
    header->setStretchLastSection(true);

    auto* filterRow = new QHBoxLayout;
    filterRow->addWidget(filterLabel);
    filterRow->addWidget(txt_Filter, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filterRow);
    layout->addWidget(tbl_Entries, 1);
    resize(digit * 180, fontMetrics().height() * 30);

    connect(txt_Filter, &QLineEdit::textChanged, view_, &EntrySortFilter::setNameFilter);
    connect(tbl_Entries->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                const QModelIndex entry = view_->mapToSource(current);
                if (entry.isValid()) emit entrySelected(entry.row());
            });
}

void frm_List::refresh() {
    table_->refresh(view_->sortColumn() >= EntryTable::SizeColumn);
}

} // namespace chronodex
