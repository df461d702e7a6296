#include "views/dialogs/dlogsymbole.h"

#include "base/userinterface.h"
#include "edit/propertystrings.h"
#include "views/dialogs/dialogbuttons.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace plexo {

DlogSymbole::DlogSymbole(const SymbolProperties& values, QWidget* parent) : QDialog(parent), values_(values) {
    setWindowTitle(QString::fromUtf8(propstr::kSymbolCaption));
    setMinimumWidth(320);
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    if (!values.symbol.empty())
        form->addRow(QString::fromUtf8("Symbole :"), new QLabel(QString::fromStdString(values.symbol), this));
    name_ = new QLineEdit(QString::fromStdString(values.name), this);
    form->addRow(QString::fromUtf8("&Nom :"), name_);
    layout->addLayout(form);

    auto* labelsTitle = new QLabel(QString::fromUtf8("&Libellés :"), this);
    layout->addWidget(labelsTitle);
    labels_ = new QListWidget(this);
    for (const std::string& text : values.labels)
        labels_->addItem(QString::fromStdString(text));
    labelsTitle->setBuddy(labels_);
    layout->addWidget(labels_);
    label_ = new QLineEdit(this);
    label_->setEnabled(!values.labels.empty());
    layout->addWidget(label_);

    auto* commentsTitle = new QLabel(QString::fromUtf8("&Commentaires :"), this);
    layout->addWidget(commentsTitle);
    comments_ = new QPlainTextEdit(QString::fromStdString(values.comments), this);
    comments_->setTabChangesFocus(true);
    comments_->setEnabled(values.commentsEditable);
    comments_->setMaximumHeight(90);
    commentsTitle->setBuddy(comments_);
    layout->addWidget(comments_);
    layout->addWidget(addOkCancel(*this));

    connect(labels_, &QListWidget::currentRowChanged, this, &DlogSymbole::showLabel);
    connect(label_, &QLineEdit::textEdited, this, &DlogSymbole::keepLabel);
    if (!values.labels.empty())
        labels_->setCurrentRow(0);
    name_->setFocus();
    name_->selectAll();
}

void DlogSymbole::showLabel(int row) {
    label_->setText(row >= 0 && row < labels_->count() ? labels_->item(row)->text() : QString());
}

void DlogSymbole::keepLabel(const QString& text) {
    if (QListWidgetItem* item = labels_->currentItem())
        item->setText(text);
}

void DlogSymbole::done(int result) {
    if (result == QDialog::Accepted) {
        SymbolProperties edited = values_;
        edited.name = name_->text().toStdString();
        for (int i = 0; i < labels_->count() && i < static_cast<int>(edited.labels.size()); ++i)
            edited.labels[static_cast<std::size_t>(i)] = labels_->item(i)->text().toStdString();
        if (edited.commentsEditable)
            edited.comments = comments_->toPlainText().toStdString();
        const PropertyProblem problem = checkSymbolProperties(edited);
        if (!problem.empty()) {
            userInterface().messageBox(problem, propstr::kSymbolCaption, MessageIcon::Warning);
            return;
        }
        values_ = edited;
    }
    QDialog::done(result);
}

std::optional<SymbolProperties> DlogSymbole::ask(const SymbolProperties& values, QWidget* parent) {
    DlogSymbole dialog(values, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.values();
}

} // namespace plexo
