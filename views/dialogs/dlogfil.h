// "Propriétés Fil": the labels at the two ends of a wire or cable.
#pragma once

#include "edit/shapeproperties.h"

#include <QDialog>

#include <optional>

class QLineEdit;

namespace plexo {

class DlogFil : public QDialog {
    Q_OBJECT

public:
    explicit DlogFil(const WireProperties& values, QWidget* parent = nullptr);

    WireProperties values() const;
    QLineEdit* firstField() const { return first_; }
    QLineEdit* secondField() const { return second_; }

    // Runs the dialog; the checked values on OK, none on cancel.
    static std::optional<WireProperties> ask(const WireProperties& values, QWidget* parent);

    void done(int result) override;

private:
    QLineEdit* first_ = nullptr;
    QLineEdit* second_ = nullptr;
};

} // namespace plexo
