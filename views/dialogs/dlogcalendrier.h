// "Gestion du calendrier": the note of the calendar's selected day with "Repère
// 1", "Repère 2" and "Fond hachuré", and the buttons that move the selected day
// by a day or a month. The dialog edits a copy of the calendar's record.
#pragma once

#include "edit/calendarproperties.h"

#include <QDialog>

#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace plexo {

class DlogCalendrier : public QDialog {
    Q_OBJECT

public:
    explicit DlogCalendrier(const InfoCalendrier& record, QWidget* parent = nullptr);

    const CalendarProperties& properties() const { return properties_; }
    QLabel* dayTitle() const { return title_; }
    QLineEdit* noteField() const { return note_; }
    QCheckBox* mark1Box() const { return mark1_; }
    QCheckBox* mark2Box() const { return mark2_; }
    QCheckBox* hatchedBox() const { return hatched_; }
    // Previous month, previous day, next day, next month.
    QPushButton* moveButton(int which) const { return moves_[which]; }

    // The record as edited, on OK; none on cancel.
    static std::optional<InfoCalendrier> ask(const InfoCalendrier& record, QWidget* parent);

    void done(int result) override;

private:
    // Keeps the note shown for the selected day; false (with a message) when it cannot be stored.
    bool keepNote();
    void showDay();
    void move(int days, int months);

    CalendarProperties properties_;
    QLabel* title_ = nullptr;
    QLineEdit* note_ = nullptr;
    QCheckBox* mark1_ = nullptr;
    QCheckBox* mark2_ = nullptr;
    QCheckBox* hatched_ = nullptr;
    QPushButton* moves_[4] = {};
};

} // namespace plexo
