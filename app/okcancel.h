// The "&OK" and "&Cancel" buttons of the command dialogs: OK the default, each closing the
// dialog its way, with the names the tests find them by.
#pragma once

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

namespace chronodex {

inline QDialogButtonBox* okCancelButtons(QDialog* dialog, QPushButton*& ok, QPushButton*& cancel) {
    auto* buttons = new QDialogButtonBox(dialog);
    ok = buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("com_OK"));
    cancel = buttons->addButton(QStringLiteral("&Cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("com_Cancel"));
    ok->setDefault(true);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

} // namespace chronodex
