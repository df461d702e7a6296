// "Saisie de texte": the text of a text object in one multi-line field; OK
// writes it into the object, "&Annuler" leaves it alone.
#pragma once

#include <QDialog>

#include <string>

class QPlainTextEdit;

namespace plexo {

class Shape;

class DlogTexte : public QDialog {
    Q_OBJECT

public:
    // text: UTF-8.
    explicit DlogTexte(const std::string& text, QWidget* parent = nullptr);

    std::string text() const; // UTF-8
    QPlainTextEdit* field() const { return field_; }

    // Runs the dialog on the object's text (Windows-1252 in the object); true on OK.
    static bool edit(Shape& shape, QWidget* parent);

private:
    QPlainTextEdit* field_ = nullptr;
};

} // namespace plexo
