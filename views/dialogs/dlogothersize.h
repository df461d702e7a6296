// "Epaisseur de trait" and "Taille de caractère": one edit box for an integer
// from 1 to 200, filled with the current value. OK with a value out of range
// (or not a number) keeps the dialog open with "La valeur doit être comprise
// entre 1 et 200".
#pragma once

#include "edit/schemaviewcontext.h"

#include <QDialog>

#include <optional>

class QLineEdit;

namespace plexo {

class DlogOtherSize : public QDialog {
    Q_OBJECT

public:
    DlogOtherSize(OtherSizeKind kind, int initial, QWidget* parent = nullptr);

    QLineEdit* field() const { return field_; }
    // The value on OK.
    int value() const { return value_; }

    // Runs the dialog; the value on OK, none on "Annuler".
    static std::optional<int> ask(OtherSizeKind kind, int initial, QWidget* parent);

    void accept() override;

private:
    QLineEdit* field_ = nullptr;
    int value_ = 0;
};

} // namespace plexo
