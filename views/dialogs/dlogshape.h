// "Propriétés Objet": the name of an object and its outline in the working
// unit ("&Points" or "&mm"), optionally calibrated ("&Etalonner la mesure": the
// real length the object's width stands for). OK checks the values and keeps
// the dialog open with a message when one is wrong.
#pragma once

#include "edit/shapeproperties.h"

#include <QDialog>

#include <array>
#include <optional>

class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace plexo {

class DlogShape : public QDialog {
    Q_OBJECT

public:
    // millimetres: the document's working unit, shown first.
    DlogShape(const Shape& shape, bool millimetres, QWidget* parent = nullptr);

    // The values as checked on OK.
    const ObjectProperties& values() const { return values_; }

    QLineEdit* nameField() const { return name_; }
    // Gauche, Haut, Droite, Bas.
    QLineEdit* edgeField(int edge) const { return edges_[static_cast<std::size_t>(edge)]; }
    QRadioButton* pointsButton() const { return points_; }
    QRadioButton* millimetresButton() const { return millimetres_; }
    QCheckBox* calibrateBox() const { return calibrate_; }
    QLineEdit* calibrationField() const { return calibration_; }

    // Runs the dialog; the checked values on OK, none on cancel.
    static std::optional<ObjectProperties> ask(const Shape& shape, bool millimetres, QWidget* parent);

    void done(int result) override;

private:
    // Reads the four edges in the scale they are shown in; false (with a message) when one is wrong.
    bool readEdges();
    void showEdges();
    // The unit or the calibration changed: the edges are read in the old scale and shown in the new.
    void rescale();
    LengthScale currentScale() const;

    const Shape& shape_;
    ObjectProperties values_;
    LengthScale shownScale_;
    QLineEdit* name_ = nullptr;
    std::array<QLineEdit*, 4> edges_{};
    QRadioButton* points_ = nullptr;
    QRadioButton* millimetres_ = nullptr;
    QCheckBox* calibrate_ = nullptr;
    QLineEdit* calibration_ = nullptr;
};

} // namespace plexo
