#include "views/dialogs/dlogcalendrier.h"

#include "base/userinterface.h"
#include "edit/propertystrings.h"
#include "views/dialogs/dialogbuttons.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace plexo {

DlogCalendrier::DlogCalendrier(const InfoCalendrier& record, QWidget* parent)
    : QDialog(parent), properties_(record) {
    setWindowTitle(QString::fromUtf8(propstr::kCalendarCaption));
    auto* layout = new QVBoxLayout(this);

    auto* navigation = new QHBoxLayout;
    const char* const texts[] = {"<< Mois", "< Jour", "Jour >", "Mois >>"};
    const int steps[][2] = {{0, -1}, {-1, 0}, {1, 0}, {0, 1}};
    for (int i = 0; i < 4; ++i) {
        moves_[i] = new QPushButton(QString::fromUtf8(texts[i]), this);
        moves_[i]->setAutoDefault(false);
        const int days = steps[i][0], months = steps[i][1];
        connect(moves_[i], &QPushButton::clicked, this, [this, days, months] { move(days, months); });
    }
    title_ = new QLabel(this);
    title_->setAlignment(Qt::AlignCenter);
    title_->setMinimumWidth(200);
    navigation->addWidget(moves_[0]);
    navigation->addWidget(moves_[1]);
    navigation->addWidget(title_, 1);
    navigation->addWidget(moves_[2]);
    navigation->addWidget(moves_[3]);
    layout->addLayout(navigation);

    auto* noteLabel = new QLabel(QString::fromUtf8("&Note du jour :"), this);
    note_ = new QLineEdit(this);
    note_->setMaxLength(RDV::kMaxText);
    noteLabel->setBuddy(note_);
    layout->addWidget(noteLabel);
    layout->addWidget(note_);
    auto* marks = new QHBoxLayout;
    mark1_ = new QCheckBox(QString::fromUtf8("Repère &1"), this);
    mark2_ = new QCheckBox(QString::fromUtf8("Repère &2"), this);
    hatched_ = new QCheckBox(QString::fromUtf8("Fond &hachuré"), this);
    marks->addWidget(mark1_);
    marks->addWidget(mark2_);
    marks->addWidget(hatched_);
    layout->addLayout(marks);
    layout->addWidget(addOkCancel(*this));
    showDay();
    note_->setFocus();
}

bool DlogCalendrier::keepNote() {
    const PropertyProblem problem = properties_.setNote(
        {note_->text().toStdString(), mark1_->isChecked(), mark2_->isChecked(), hatched_->isChecked()});
    if (!problem.empty()) {
        userInterface().messageBox(problem, propstr::kCalendarCaption, MessageIcon::Warning);
        return false;
    }
    return true;
}

void DlogCalendrier::showDay() {
    title_->setText(QString::fromStdString(properties_.selectedDayTitle()));
    const DayNote note = properties_.note();
    note_->setText(QString::fromStdString(note.text));
    mark1_->setChecked(note.mark1);
    mark2_->setChecked(note.mark2);
    hatched_->setChecked(note.hatched);
}

void DlogCalendrier::move(int days, int months) {
    if (!keepNote())
        return;
    if (days)
        properties_.moveDays(days);
    if (months)
        properties_.moveMonths(months);
    showDay();
}

void DlogCalendrier::done(int result) {
    if (result == QDialog::Accepted && !keepNote())
        return;
    QDialog::done(result);
}

std::optional<InfoCalendrier> DlogCalendrier::ask(const InfoCalendrier& record, QWidget* parent) {
    DlogCalendrier dialog(record, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.properties().record();
}

} // namespace plexo
