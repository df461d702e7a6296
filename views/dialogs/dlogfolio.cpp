#include "views/dialogs/dlogfolio.h"

#include "views/dialogs/dialogbuttons.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace plexo {

namespace {

// The date field takes the picture ##/##/####.
constexpr const char* kDateMask = "99/99/9999;_";

QLineEdit* field(const std::string& text, int length, QWidget* parent) {
    auto* edit = new QLineEdit(QString::fromStdString(text), parent);
    edit->setMaxLength(length);
    return edit;
}

QLineEdit* maskedDateField(const std::string& text, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setInputMask(QString::fromLatin1(kDateMask));
    edit->setText(QString::fromStdString(text));
    return edit;
}

std::string text(const QLineEdit* edit) {
    return edit->text().toStdString();
}

} // namespace

DlogFolio::DlogFolio(FolioDialogKind kind, const FolioIdentification& id, QWidget* parent) : QDialog(parent) {
    using namespace folioFieldLength;
    setWindowTitle(QString::fromUtf8(kind == FolioDialogKind::NewFolio ? "Création d'un nouveau folio"
                                                                       : "Information folio"));
    auto* layout = new QVBoxLayout(this);

    auto* identity = new QFormLayout;
    number_ = field(id.number, kNumber, this);
    date_ = maskedDateField(id.date, this);
    author_ = field(id.author, kAuthor, this);
    object_ = field(id.object, kObject, this);
    index_ = field(id.index, 1, this);
    index_->setMaximumWidth(40);
    identity->addRow(QString::fromUtf8("N° :"), number_);
    identity->addRow(QString::fromUtf8("Date :"), date_);
    identity->addRow(QString::fromUtf8("Auteur :"), author_);
    identity->addRow(QString::fromUtf8("Objet :"), object_);
    identity->addRow(QString::fromUtf8("Indice :"), index_);
    layout->addLayout(identity);

    auto* titles = new QGroupBox(QString::fromUtf8("Titres"), this);
    auto* titleLayout = new QVBoxLayout(titles);
    for (int i = 0; i < kFolioTitleCount; ++i) {
        titles_[i] = field(id.titles[i], kTitle, titles);
        titleLayout->addWidget(titles_[i]);
    }
    layout->addWidget(titles);

    auto* revisions = new QGroupBox(QString::fromUtf8("Révisions"), this);
    auto* grid = new QGridLayout(revisions);
    grid->addWidget(new QLabel(QString::fromUtf8("Auteur"), revisions), 0, 1);
    grid->addWidget(new QLabel(QString::fromUtf8("Date"), revisions), 0, 2);
    grid->addWidget(new QLabel(QString::fromUtf8("Objet modification"), revisions), 0, 3);
    for (int i = 0; i < kFolioRevisionCount; ++i) {
        grid->addWidget(new QLabel(QString::number(i + 1), revisions), i + 1, 0);
        revisionAuthors_[i] = field(id.revisionAuthors[i], kRevisionAuthor, revisions);
        revisionDates_[i] = maskedDateField(id.revisionDates[i], revisions);
        revisionObjects_[i] = field(id.revisionObjects[i], kRevisionObject, revisions);
        grid->addWidget(revisionAuthors_[i], i + 1, 1);
        grid->addWidget(revisionDates_[i], i + 1, 2);
        grid->addWidget(revisionObjects_[i], i + 1, 3);
    }
    grid->setColumnStretch(3, 1);
    layout->addWidget(revisions);

    layout->addWidget(addOkCancel(*this));
    number_->setFocus();
}

FolioIdentification DlogFolio::identification() const {
    FolioIdentification id;
    // A date left blank gives an empty text, not the picture's separators.
    auto date = [](const QLineEdit* edit) {
        return edit->text().remove('/').trimmed().isEmpty() ? std::string() : text(edit);
    };
    id.number = text(number_);
    id.date = date(date_);
    id.author = text(author_);
    id.object = text(object_);
    id.index = text(index_);
    for (int i = 0; i < kFolioTitleCount; ++i)
        id.titles[i] = text(titles_[i]);
    for (int i = 0; i < kFolioRevisionCount; ++i) {
        id.revisionAuthors[i] = text(revisionAuthors_[i]);
        id.revisionDates[i] = date(revisionDates_[i]);
        id.revisionObjects[i] = text(revisionObjects_[i]);
    }
    return id;
}

bool DlogFolio::edit(Folio& folio, FolioDialogKind kind, QWidget* parent) {
    DlogFolio dialog(kind, identificationOf(folio), parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    applyIdentification(dialog.identification(), folio);
    return true;
}

} // namespace plexo
