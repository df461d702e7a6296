#include "views/dialogs/dlognbpages.h"

#include "views/dialogs/dialogbuttons.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace plexo {

namespace {

// Each box takes at most nine digits.
constexpr int kCountLength = 9;

QLineEdit* countField(std::uint8_t count, QWidget* parent) {
    auto* edit = new QLineEdit(QString::number(count), parent);
    edit->setMaxLength(kCountLength);
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
    return edit;
}

} // namespace

DlogNbPages::DlogNbPages(const PageCountSettings& pages, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QString::fromUtf8("Nombre de pages du folio"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    across_ = countField(pages.across, this);
    down_ = countField(pages.down, this);
    form->addRow(QString::fromUtf8("Largeur :"), across_);
    form->addRow(QString::fromUtf8("Hauteur :"), down_);
    layout->addLayout(form);
    layout->addWidget(addOkCancel(*this));
    across_->setFocus();
    across_->selectAll();
}

PageCountSettings DlogNbPages::pages() const {
    return {pageCountFromText(across_->text().toStdString()), pageCountFromText(down_->text().toStdString())};
}

std::optional<PageCountSettings> DlogNbPages::ask(const PageCountSettings& pages, QWidget* parent) {
    DlogNbPages dialog(pages, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.pages();
}

} // namespace plexo
