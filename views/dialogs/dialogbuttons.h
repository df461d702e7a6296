// The "&OK" and "&Annuler" buttons every dialog ends with.
#pragma once

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

namespace plexo {

// Adds the two buttons to the dialog, wired to accept and reject; returns the box.
inline QDialogButtonBox* addOkCancel(QDialog& dialog) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(QString::fromUtf8("&OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QString::fromUtf8("&Annuler"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    return buttons;
}

} // namespace plexo
