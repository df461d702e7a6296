#include "views/dialogs/dlogcartouche.h"

#include "base/textcodec.h"
#include "views/dialogs/dialogbuttons.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace plexo {

DlogCartouche::DlogCartouche(const TitleBlockSettings& settings, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QString::fromUtf8("Cartouche"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(
        QString::fromUtf8("Nom du symbole pour le cartouche (pas de nom pour supprimer le cartouche) :"),
        this));
    name_ = new QLineEdit(QString::fromStdString(cp1252ToUtf8(settings.name)), this);
    // As many characters as the document's header keeps (one byte each in
    // Windows-1252): a name is never cut by a save.
    name_->setMaxLength(kTitleBlockNameLength);
    layout->addWidget(name_);

    auto* place = new QGroupBox(QString::fromUtf8("Position"), this);
    auto* placeLayout = new QGridLayout(place);
    static constexpr const char* kCorners[4] = {"&Haut/Gauche", "H&aut/Droit", "&Bas/Gauche", "Ba&s/Droit"};
    for (int corner = 0; corner < 4; ++corner) {
        auto* button = new QRadioButton(QString::fromUtf8(kCorners[corner]), place);
        button->setChecked(corner == settings.corner);
        corners_[static_cast<std::size_t>(corner)] = button;
        placeLayout->addWidget(button, corner / 2, corner % 2);
    }
    layout->addWidget(place);
    rotated_ = new QCheckBox(QString::fromUtf8("&Orienté à 90°"), this);
    rotated_->setChecked(settings.rotated);
    layout->addWidget(rotated_);
    layout->addWidget(addOkCancel(*this));
    name_->setFocus();
    name_->selectAll();
}

TitleBlockSettings DlogCartouche::settings() const {
    TitleBlockSettings settings;
    settings.name = utf8ToCp1252(name_->text().toStdString());
    settings.corner = 3;
    for (int corner = 0; corner < 3; ++corner)
        if (corners_[static_cast<std::size_t>(corner)]->isChecked())
            settings.corner = static_cast<std::uint8_t>(corner);
    settings.rotated = rotated_->isChecked();
    return settings;
}

std::optional<TitleBlockSettings> DlogCartouche::ask(const TitleBlockSettings& settings, QWidget* parent) {
    DlogCartouche dialog(settings, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.settings();
}

} // namespace plexo
