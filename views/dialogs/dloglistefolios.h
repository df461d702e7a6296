// "Liste des folios": one line per folio of the document; "&Atteindre" answers
// the chosen folio's index, "&Fermer" nothing.
#pragma once

#include <QDialog>

class QListWidget;

namespace plexo {

class saoDoc;

class DlogListeFolios : public QDialog {
    Q_OBJECT

public:
    DlogListeFolios(const saoDoc& document, int current, QWidget* parent = nullptr);

    int chosenIndex() const;
    QListWidget* list() const { return list_; }

    // Runs the dialog; the chosen index, or -1 when closed without choosing.
    static int choose(const saoDoc& document, int current, QWidget* parent);

private:
    QListWidget* list_ = nullptr;
};

} // namespace plexo
