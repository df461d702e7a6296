// "Fichier Midi": the path of a MIDI shortcut ("Emplacement :"), typed or chosen
// with "&Parcourir...".
#pragma once

#include "edit/shapeproperties.h"

#include <QDialog>

#include <functional>
#include <optional>

class QLineEdit;
class QPushButton;

namespace plexo {

class DlogMidi : public QDialog {
    Q_OBJECT

public:
    explicit DlogMidi(const MidiProperties& values, QWidget* parent = nullptr);

    MidiProperties values() const;
    QLineEdit* pathField() const { return path_; }
    QPushButton* browseButton() const { return browse_; }

    // Asks for a file, starting from the path shown; an empty answer changes
    // nothing. Tests replace the file dialog.
    std::function<QString(const QString& start)> chooseFile;

    static std::optional<MidiProperties> ask(const MidiProperties& values, QWidget* parent);

    void done(int result) override;

private:
    QLineEdit* path_ = nullptr;
    QPushButton* browse_ = nullptr;
};

} // namespace plexo
