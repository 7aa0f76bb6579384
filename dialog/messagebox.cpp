#include "messagebox.h"

#include <QApplication>
#include <QMessageBox>

namespace chronodex {

void showStandardMessageBox(const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setObjectName(QStringLiteral("StandardMessageBox"));
    box.exec();
}

} // namespace chronodex
