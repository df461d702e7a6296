#include "views/dialogs/dlogothersize.h"

#include "base/userinterface.h"
#include "edit/stylecommands.h"
#include "views/dialogs/dialogbuttons.h"

#include <QLineEdit>
#include <QVBoxLayout>

namespace plexo {

DlogOtherSize::DlogOtherSize(OtherSizeKind kind, int initial, QWidget* parent) : QDialog(parent) {
    setWindowTitle(
        QString::fromUtf8(kind == OtherSizeKind::LineWidth ? "Epaisseur de trait" : "Taille de caractère"));
    auto* layout = new QVBoxLayout(this);
    field_ = new QLineEdit(QString::number(initial), this);
    field_->setMaxLength(kOtherSizeLength);
    field_->selectAll();
    layout->addWidget(field_);
    layout->addWidget(addOkCancel(*this));
    field_->setFocus();
}

void DlogOtherSize::accept() {
    const std::optional<int> value = parseOtherSize(field_->text().toStdString());
    if (!value) {
        userInterface().messageBox(otherSizeRangeMessage(), windowTitle().toStdString(),
                                   MessageIcon::Warning);
        field_->setFocus();
        field_->selectAll();
        return;
    }
    value_ = *value;
    QDialog::accept();
}

std::optional<int> DlogOtherSize::ask(OtherSizeKind kind, int initial, QWidget* parent) {
    DlogOtherSize dialog(kind, initial, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.value();
}

} // namespace plexo
