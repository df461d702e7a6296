#include "views/dialogs/dlogunite.h"

#include "views/dialogs/dialogbuttons.h"

#include <QRadioButton>
#include <QVBoxLayout>

namespace plexo {

DlogUnite::DlogUnite(bool millimetres, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QString::fromUtf8("Unité de travail"));
    auto* layout = new QVBoxLayout(this);
    points_ = new QRadioButton(QString::fromUtf8("&Points"), this);
    millimetres_ = new QRadioButton(QString::fromUtf8("&mm"), this);
    (millimetres ? millimetres_ : points_)->setChecked(true);
    layout->addWidget(points_);
    layout->addWidget(millimetres_);
    layout->addWidget(addOkCancel(*this));
    (millimetres ? millimetres_ : points_)->setFocus();
}

bool DlogUnite::millimetres() const {
    return millimetres_->isChecked();
}

std::optional<bool> DlogUnite::ask(bool millimetres, QWidget* parent) {
    DlogUnite dialog(millimetres, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.millimetres();
}

} // namespace plexo
