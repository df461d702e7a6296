// "Nombre de pages du folio": the folio's pages across ("Largeur :") and down
// ("Hauteur :"). OK answers the counts as the folio keeps them (1..40).
#pragma once

#include "edit/documentsettings.h"

#include <QDialog>

#include <optional>

class QLineEdit;

namespace plexo {

class DlogNbPages : public QDialog {
    Q_OBJECT

public:
    DlogNbPages(const PageCountSettings& pages, QWidget* parent = nullptr);

    PageCountSettings pages() const;
    QLineEdit* acrossField() const { return across_; }
    QLineEdit* downField() const { return down_; }

    // Runs the dialog; the counts on OK, none on "&Annuler".
    static std::optional<PageCountSettings> ask(const PageCountSettings& pages, QWidget* parent);

private:
    QLineEdit* across_ = nullptr;
    QLineEdit* down_ = nullptr;
};

} // namespace plexo
