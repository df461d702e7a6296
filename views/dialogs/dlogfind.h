// "Recherche": the document's search record — the text looked for, "&Nom
// entier" and "&Respect MAJ/min". OK stores them (at most 48 characters of
// text) and starts the search again from the folio's first object.
#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;

namespace plexo {

struct SearchRecord;

class DlogFind : public QDialog {
    Q_OBJECT

public:
    DlogFind(const SearchRecord& search, QWidget* parent = nullptr);

    // The record as the dialog shows it (text in Windows-1252), resume index 0.
    SearchRecord record() const;
    QLineEdit* textField() const { return text_; }
    QCheckBox* wholeNameBox() const { return wholeName_; }
    QCheckBox* caseBox() const { return caseSensitive_; }

    // Runs the dialog on the record; true (and the record written) on OK.
    static bool edit(SearchRecord& search, QWidget* parent);

private:
    QLineEdit* text_ = nullptr;
    QCheckBox* wholeName_ = nullptr;
    QCheckBox* caseSensitive_ = nullptr;
};

} // namespace plexo
