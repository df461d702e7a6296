#include "views/dialogs/dloglistefolios.h"

#include "edit/foliofields.h"
#include "store/saodoc.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace plexo {

DlogListeFolios::DlogListeFolios(const saoDoc& document, int current, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QString::fromUtf8("Liste des folios"));
    auto* layout = new QVBoxLayout(this);
    list_ = new QListWidget(this);
    for (const auto& folio : document.folios)
        list_->addItem(QString::fromStdString(folioListLine(*folio)));
    if (current >= 0 && current < list_->count())
        list_->setCurrentRow(current);
    list_->setMinimumWidth(420);
    layout->addWidget(list_);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* go = buttons->addButton(QString::fromUtf8("&Atteindre"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QString::fromUtf8("&Fermer"), QDialogButtonBox::RejectRole);
    go->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    layout->addWidget(buttons);
}

int DlogListeFolios::chosenIndex() const {
    return list_->currentRow();
}

int DlogListeFolios::choose(const saoDoc& document, int current, QWidget* parent) {
    DlogListeFolios dialog(document, current, parent);
    if (dialog.exec() != QDialog::Accepted)
        return -1;
    return dialog.chosenIndex();
}

} // namespace plexo
