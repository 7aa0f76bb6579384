// The preview shown before a command on the ticked entries writes anything: one row per
// entry, with each stamp it changes from and to, and the entries left alone with their
// reasons. A view over a model, so that tens of thousands of rows open at once; sortable by
// any column, with the mouse on the headings or with the keyboard through "Sort by".
#pragma once

#include "batch.h"
#include "editorrows.h"

#include <QAbstractTableModel>
#include <QDialog>

#include <vector>

class QComboBox;
class QLabel;
class QPushButton;
class QTableView;

namespace chronodex {

class ChangePreviewModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    enum Column { Name, CreatedColumn, ModifiedColumn, AccessedColumn, Reason, ColumnCount };

    ChangePreviewModel(const std::vector<TickedEntry>& entries,
                       const std::vector<EntryChange>& changes, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    // Column -1 puts the rows back in the order of the list.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    // How many rows write something, and how many are left alone.
    int changing() const { return changing_; }
    int leftAlone() const { return rowCount() - changing_; }
    // Whether any row changes this stamp (indexed by StampKind).
    bool changes(StampKind kind) const { return anyWritten_[kind]; }

  private:
    struct Row {
        QString name, reason;
        std::array<DateTime, 3> from, to;
        std::array<bool, 3> written{};
    };
    std::vector<Row> rows_;
    std::vector<int> order_; // the rows as shown
    int changing_ = 0;
    std::array<bool, 3> anyWritten_{};
};

class frm_ChangePreview : public QDialog {
    Q_OBJECT

  public:
    frm_ChangePreview(const QString& title, const std::vector<TickedEntry>& entries,
                      const std::vector<EntryChange>& changes, QWidget* parent = nullptr);

    ChangePreviewModel* model() const { return model_; }

    QLabel* lab_Summary = nullptr;
    QComboBox* cbo_SortBy = nullptr;
    QTableView* tbl_Changes = nullptr;
    QPushButton* com_OK = nullptr;
    QPushButton* com_Cancel = nullptr;

  private:
    ChangePreviewModel* model_ = nullptr;
};

} // namespace chronodex
