// Where "Dates from a reference file..." and "Dates from the originals..." take their dates
// from: a file or a folder (typed, or chosen with "Browse..."), the stamps to give, and for a
// folder whether its subfolders are searched too.
#pragma once

#include <QDialog>

#include <array>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace chronodex {

class frm_DatesSource : public QDialog {
    Q_OBJECT

  public:
    enum class Source { File, Folder };
    frm_DatesSource(Source source, const QString& title, QWidget* parent = nullptr);

    QString path() const;
    // The stamps to give, indexed by StampKind; created only where the system can set it.
    std::array<bool, 3> kinds() const;
    bool subfolders() const;

    QLineEdit* txt_Source = nullptr;
    QPushButton* com_Browse = nullptr;
    std::array<QCheckBox*, 3> chk_Kind{}; // indexed by StampKind
    QCheckBox* chk_Subfolders = nullptr;  // a folder only
    QPushButton* com_OK = nullptr;
    QPushButton* com_Cancel = nullptr;

  private:
    void refresh();
    Source source_;
};

} // namespace chronodex
