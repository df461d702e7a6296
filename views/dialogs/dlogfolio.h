// The folio dialog: "Création d'un nouveau folio" and "Information folio" show
// every field of a folio's identification; OK writes them into the folio,
// "&Annuler" leaves it as it was.
#pragma once

#include "edit/foliofields.h"
#include "store/saodoc.h"

#include <QDialog>

#include <array>

class QLineEdit;

namespace plexo {

class DlogFolio : public QDialog {
    Q_OBJECT

public:
    DlogFolio(FolioDialogKind kind, const FolioIdentification& identification, QWidget* parent = nullptr);

    FolioIdentification identification() const;

    // Runs the dialog on the folio; true (and the folio written) on OK.
    static bool edit(Folio& folio, FolioDialogKind kind, QWidget* parent);

    QLineEdit* numberField() const { return number_; }
    QLineEdit* dateField() const { return date_; }
    QLineEdit* titleField(int i) const { return titles_[static_cast<std::size_t>(i)]; }

private:
    QLineEdit* number_ = nullptr;
    QLineEdit* date_ = nullptr;
    QLineEdit* author_ = nullptr;
    QLineEdit* object_ = nullptr;
    QLineEdit* index_ = nullptr;
    std::array<QLineEdit*, kFolioTitleCount> titles_{};
    std::array<QLineEdit*, kFolioRevisionCount> revisionAuthors_{};
    std::array<QLineEdit*, kFolioRevisionCount> revisionDates_{};
    std::array<QLineEdit*, kFolioRevisionCount> revisionObjects_{};
};

} // namespace plexo
