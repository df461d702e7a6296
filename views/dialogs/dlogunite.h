// "Unité de travail": points or millimetres, the unit in which snapping rounds
// and the grid dialog first shows its steps.
#pragma once

#include <QDialog>

#include <optional>

class QRadioButton;

namespace plexo {

class DlogUnite : public QDialog {
    Q_OBJECT

public:
    DlogUnite(bool millimetres, QWidget* parent = nullptr);

    // True when "&mm" is checked.
    bool millimetres() const;
    QRadioButton* pointsButton() const { return points_; }
    QRadioButton* millimetresButton() const { return millimetres_; }

    // Runs the dialog; the unit on OK (true for millimetres), none on "&Annuler".
    static std::optional<bool> ask(bool millimetres, QWidget* parent);

private:
    QRadioButton* points_ = nullptr;
    QRadioButton* millimetres_ = nullptr;
};

} // namespace plexo
