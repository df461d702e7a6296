#include "views/dialogs/dlogtexte.h"

#include "base/textcodec.h"
#include "shapes/shape.h"
#include "views/dialogs/dialogbuttons.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace plexo {

namespace {

// Lines are kept with CR LF in the object, as the texts of stored documents are.
std::string toStored(const std::string& utf8) {
    std::string text;
    for (char c : utf8ToCp1252(utf8)) {
        if (c == '\n')
            text += "\r\n";
        else if (c != '\r')
            text += c;
    }
    return text;
}

std::string toShown(const std::string& cp1252) {
    std::string text;
    for (char c : cp1252)
        if (c != '\r')
            text += c;
    return cp1252ToUtf8(text);
}

} // namespace

DlogTexte::DlogTexte(const std::string& text, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QString::fromUtf8("Saisie de texte"));
    auto* layout = new QVBoxLayout(this);
    field_ = new QPlainTextEdit(QString::fromStdString(text), this);
    field_->setMinimumSize(360, 160);
    layout->addWidget(field_);
    layout->addWidget(addOkCancel(*this));
    field_->setFocus();
}

std::string DlogTexte::text() const {
    return field_->toPlainText().toStdString();
}

std::optional<std::string> DlogTexte::ask(const std::string& stored, QWidget* parent) {
    DlogTexte dialog(toShown(stored), parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return toStored(dialog.text());
}

bool DlogTexte::edit(Shape& shape, QWidget* parent) {
    const std::optional<std::string> text = ask(shape.data, parent);
    if (!text)
        return false;
    shape.data = *text;
    return true;
}

} // namespace plexo
