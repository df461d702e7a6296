#include "views/dialogs/dlogfil.h"

#include "base/userinterface.h"
#include "edit/propertystrings.h"
#include "views/dialogs/dialogbuttons.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace plexo {

DlogFil::DlogFil(const WireProperties& values, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QString::fromUtf8(propstr::kWireCaption));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    first_ = new QLineEdit(QString::fromStdString(values.first), this);
    second_ = new QLineEdit(QString::fromStdString(values.second), this);
    form->addRow(QString::fromUtf8("Libellé première extremité"), first_);
    form->addRow(QString::fromUtf8("Libellé deuxième extremité"), second_);
    layout->addLayout(form);
    layout->addWidget(addOkCancel(*this));
    first_->setMinimumWidth(240);
    first_->setFocus();
}

WireProperties DlogFil::values() const {
    return {first_->text().toStdString(), second_->text().toStdString()};
}

void DlogFil::done(int result) {
    if (result == QDialog::Accepted) {
        const PropertyProblem problem = checkWireProperties(values());
        if (!problem.empty()) {
            userInterface().messageBox(problem, propstr::kWireCaption, MessageIcon::Warning);
            return;
        }
    }
    QDialog::done(result);
}

std::optional<WireProperties> DlogFil::ask(const WireProperties& values, QWidget* parent) {
    DlogFil dialog(values, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.values();
}

} // namespace plexo
