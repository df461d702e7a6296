// "Cartouche": the name of the library symbol drawn as title block on every
// folio (no name: no title block), its corner and whether it is turned by 90
// degrees. OK answers the three values.
#pragma once

#include "edit/documentsettings.h"

#include <QDialog>

#include <array>
#include <optional>

class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace plexo {

class DlogCartouche : public QDialog {
    Q_OBJECT

public:
    DlogCartouche(const TitleBlockSettings& settings, QWidget* parent = nullptr);

    // The name in Windows-1252; corner 3 when no corner button is checked.
    TitleBlockSettings settings() const;
    QLineEdit* nameField() const { return name_; }
    QRadioButton* cornerButton(int corner) const { return corners_[static_cast<std::size_t>(corner)]; }
    QCheckBox* rotatedBox() const { return rotated_; }

    // Runs the dialog; the values on OK, none on "&Annuler".
    static std::optional<TitleBlockSettings> ask(const TitleBlockSettings& settings, QWidget* parent);

private:
    QLineEdit* name_ = nullptr;
    std::array<QRadioButton*, 4> corners_{};
    QCheckBox* rotated_ = nullptr;
};

} // namespace plexo
