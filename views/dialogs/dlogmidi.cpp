#include "views/dialogs/dlogmidi.h"

#include "base/userinterface.h"
#include "edit/propertystrings.h"
#include "views/dialogs/dialogbuttons.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace plexo {

DlogMidi::DlogMidi(const MidiProperties& values, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QString::fromUtf8(propstr::kMidiCaption));
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(QString::fromUtf8("&Emplacement :"), this);
    layout->addWidget(label);
    auto* row = new QHBoxLayout;
    path_ = new QLineEdit(QString::fromStdString(values.path), this);
    path_->setMinimumWidth(320);
    label->setBuddy(path_);
    browse_ = new QPushButton(QString::fromUtf8("&Parcourir..."), this);
    browse_->setAutoDefault(false);
    row->addWidget(path_);
    row->addWidget(browse_);
    layout->addLayout(row);
    layout->addWidget(addOkCancel(*this));

    chooseFile = [this](const QString& start) {
        return QFileDialog::getOpenFileName(this, QString::fromUtf8(propstr::kMidiCaption), start,
                                            QString::fromUtf8("Fichiers Midi (*.mid)"));
    };
    connect(browse_, &QPushButton::clicked, this, [this] {
        const QString chosen = chooseFile(path_->text());
        if (!chosen.isEmpty())
            path_->setText(chosen);
    });
    path_->setFocus();
}

MidiProperties DlogMidi::values() const {
    return {path_->text().toStdString()};
}

void DlogMidi::done(int result) {
    if (result == QDialog::Accepted) {
        const PropertyProblem problem = checkMidiProperties(values());
        if (!problem.empty()) {
            userInterface().messageBox(problem, propstr::kMidiCaption, MessageIcon::Warning);
            return;
        }
    }
    QDialog::done(result);
}

std::optional<MidiProperties> DlogMidi::ask(const MidiProperties& values, QWidget* parent) {
    DlogMidi dialog(values, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.values();
}

} // namespace plexo
