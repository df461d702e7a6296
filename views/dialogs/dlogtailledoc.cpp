#include "views/dialogs/dlogtailledoc.h"

#include "views/dialogs/dialogbuttons.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

namespace plexo {

DlogTailleDoc::DlogTailleDoc(const DocumentSizeSettings& settings, QWidget* parent)
    : QDialog(parent), given_(settings) {
    setWindowTitle(QString::fromUtf8("Taille du document"));
    auto* layout = new QVBoxLayout(this);
    auto* lists = new QFormLayout;
    format_ = new QComboBox(this);
    for (const char* name : kPaperSizeNames)
        format_->addItem(QString::fromUtf8(name));
    format_->setCurrentIndex(settings.paperSize < kPaperSizeCount ? settings.paperSize : -1);
    scale_ = new QComboBox(this);
    for (const char* name : kScaleNames)
        scale_->addItem(QString::fromUtf8(name));
    scale_->setCurrentIndex(settings.scaleIndex < kScaleCount ? settings.scaleIndex : -1);
    lists->addRow(QString::fromUtf8("&Format :"), format_);
    lists->addRow(QString::fromUtf8("&Echelle :"), scale_);
    layout->addLayout(lists);

    auto* orientation = new QGroupBox(QString::fromUtf8("Orientation"), this);
    auto* orientationLayout = new QVBoxLayout(orientation);
    portrait_ = new QRadioButton(QString::fromUtf8("Por&trait"), orientation);
    landscape_ = new QRadioButton(QString::fromUtf8("P&aysage"), orientation);
    (settings.portrait ? portrait_ : landscape_)->setChecked(true);
    orientationLayout->addWidget(portrait_);
    orientationLayout->addWidget(landscape_);
    layout->addWidget(orientation);
    layout->addWidget(addOkCancel(*this));
    format_->setFocus();
}

DocumentSizeSettings DlogTailleDoc::settings() const {
    DocumentSizeSettings settings = given_;
    if (format_->currentIndex() >= 0)
        settings.paperSize = static_cast<std::uint8_t>(format_->currentIndex());
    if (scale_->currentIndex() >= 0)
        settings.scaleIndex = static_cast<std::uint8_t>(scale_->currentIndex());
    settings.portrait = portrait_->isChecked();
    return settings;
}

std::optional<DocumentSizeSettings> DlogTailleDoc::ask(const DocumentSizeSettings& settings,
                                                       QWidget* parent) {
    DlogTailleDoc dialog(settings, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.settings();
}

} // namespace plexo
