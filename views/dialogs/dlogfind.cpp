#include "views/dialogs/dlogfind.h"

#include "base/textcodec.h"
#include "store/selection.h"
#include "views/dialogs/dialogbuttons.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace plexo {

namespace {
// The edit box keeps at most this many characters (the record's field holds 50 bytes).
constexpr int kFindTextLength = 48;
} // namespace

DlogFind::DlogFind(const SearchRecord& search, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QString::fromUtf8("Recherche"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QString::fromUtf8("Nom à rechercher :"), this));
    text_ = new QLineEdit(QString::fromStdString(cp1252ToUtf8(search.text)), this);
    text_->setMaxLength(kFindTextLength);
    layout->addWidget(text_);
    wholeName_ = new QCheckBox(QString::fromUtf8("&Nom entier"), this);
    wholeName_->setChecked(search.wholeName);
    caseSensitive_ = new QCheckBox(QString::fromUtf8("&Respect MAJ/min"), this);
    caseSensitive_->setChecked(search.caseSensitive);
    layout->addWidget(wholeName_);
    layout->addWidget(caseSensitive_);
    layout->addWidget(addOkCancel(*this));
    text_->setFocus();
}

SearchRecord DlogFind::record() const {
    SearchRecord record;
    record.text = utf8ToCp1252(text_->text().toStdString());
    if (record.text.size() > static_cast<std::size_t>(kFindTextLength))
        record.text.resize(static_cast<std::size_t>(kFindTextLength));
    record.wholeName = wholeName_->isChecked();
    record.caseSensitive = caseSensitive_->isChecked();
    record.resumeIndex = 0;
    return record;
}

bool DlogFind::edit(SearchRecord& search, QWidget* parent) {
    DlogFind dialog(search, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    search = dialog.record();
    return true;
}

} // namespace plexo
