#include "views/dialogs/dloggrilles.h"

#include "views/dialogs/dialogbuttons.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace plexo {

DlogGrilles::DlogGrilles(const GridStepSettings& steps, bool shownInMm, QWidget* parent)
    : QDialog(parent), fields_(steps, shownInMm) {
    setWindowTitle(QString::fromUtf8("Grilles magnétiques"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    static constexpr const char* kLabels[GridFields::kBoxCount] = {
        "Grille horizontale :", "Grille verticale :", "Grille secondaire :"};
    for (int box = 0; box < GridFields::kBoxCount; ++box) {
        auto* edit = new QLineEdit(this);
        edit->setMaxLength(GridFields::kTextLength);
        connect(edit, &QLineEdit::textEdited, this,
                [this, box](const QString& text) { fields_.setText(box, text.toStdString()); });
        boxes_[static_cast<std::size_t>(box)] = edit;
        form->addRow(QString::fromUtf8(kLabels[box]), edit);
    }
    layout->addLayout(form);

    auto* unit = new QGroupBox(QString::fromUtf8("Unité :"), this);
    auto* unitLayout = new QHBoxLayout(unit);
    points_ = new QRadioButton(QString::fromUtf8("&Points"), unit);
    millimetres_ = new QRadioButton(QString::fromUtf8("&mm"), unit);
    (shownInMm ? millimetres_ : points_)->setChecked(true);
    unitLayout->addWidget(points_);
    unitLayout->addWidget(millimetres_);
    layout->addWidget(unit);
    connect(millimetres_, &QRadioButton::toggled, this, &DlogGrilles::showUnit);
    layout->addWidget(addOkCancel(*this));
    showTexts();
    boxes_[0]->setFocus();
    boxes_[0]->selectAll();
}

void DlogGrilles::showUnit(bool millimetres) {
    fields_.showIn(millimetres);
    showTexts();
}

void DlogGrilles::showTexts() {
    for (int box = 0; box < GridFields::kBoxCount; ++box)
        boxes_[static_cast<std::size_t>(box)]->setText(QString::fromStdString(fields_.text(box)));
}

std::optional<GridStepSettings> DlogGrilles::ask(const GridStepSettings& steps, bool shownInMm,
                                                 QWidget* parent) {
    DlogGrilles dialog(steps, shownInMm, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.steps();
}

} // namespace plexo
