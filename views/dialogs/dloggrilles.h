// "Grilles magnétiques": the three grid steps, shown in points or millimetres
// ("Unité :", starting with the document's working unit; switching the unit
// shows the same steps in the other one). OK answers the steps in document units.
#pragma once

#include "edit/gridfields.h"

#include <QDialog>

#include <array>
#include <optional>

class QLineEdit;
class QRadioButton;

namespace plexo {

class DlogGrilles : public QDialog {
    Q_OBJECT

public:
    DlogGrilles(const GridStepSettings& steps, bool shownInMm, QWidget* parent = nullptr);

    // The steps the boxes hold, each of 0 or less made 1.
    GridStepSettings steps() const { return fields_.steps(); }

    // 0 horizontal, 1 vertical, 2 secondary.
    QLineEdit* stepField(int box) const { return boxes_[static_cast<std::size_t>(box)]; }
    QRadioButton* pointsButton() const { return points_; }
    QRadioButton* millimetresButton() const { return millimetres_; }

    // Runs the dialog; the steps on OK, none on "&Annuler".
    static std::optional<GridStepSettings> ask(const GridStepSettings& steps, bool shownInMm,
                                               QWidget* parent);

private:
    void showUnit(bool millimetres);
    void showTexts();

    GridFields fields_;
    std::array<QLineEdit*, GridFields::kBoxCount> boxes_{};
    QRadioButton* points_ = nullptr;
    QRadioButton* millimetres_ = nullptr;
};

} // namespace plexo
