// "Taille du document": the paper format A4..A0, the drawing's scale and the
// orientation. OK answers the three values; the document recomputes its page
// size from them.
#pragma once

#include "edit/documentsettings.h"

#include <QDialog>

#include <optional>

class QComboBox;
class QRadioButton;

namespace plexo {

class DlogTailleDoc : public QDialog {
    Q_OBJECT

public:
    DlogTailleDoc(const DocumentSizeSettings& settings, QWidget* parent = nullptr);

    // The values shown; a list that shows nothing (a value out of range read
    // from a file) keeps the value it was given.
    DocumentSizeSettings settings() const;

    QComboBox* formatList() const { return format_; }
    QComboBox* scaleList() const { return scale_; }
    QRadioButton* portraitButton() const { return portrait_; }
    QRadioButton* landscapeButton() const { return landscape_; }

    // Runs the dialog; the edited values on OK, none on "&Annuler".
    static std::optional<DocumentSizeSettings> ask(const DocumentSizeSettings& settings, QWidget* parent);

private:
    DocumentSizeSettings given_;
    QComboBox* format_ = nullptr;
    QComboBox* scale_ = nullptr;
    QRadioButton* portrait_ = nullptr;
    QRadioButton* landscape_ = nullptr;
};

} // namespace plexo
