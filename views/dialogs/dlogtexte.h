// "Saisie de texte": the text of a text object in one multi-line field; OK
// writes it into the object, "&Annuler" leaves it alone.
#pragma once

#include <QDialog>

#include <optional>
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
    // Runs the dialog on a stored text (Windows-1252, CR LF line breaks); the text
    // as it is to be stored on OK, none on cancel.
    static std::optional<std::string> ask(const std::string& stored, QWidget* parent);

private:
    QPlainTextEdit* field_ = nullptr;
};

} // namespace plexo
