// "DlogAddNode": the one dialog class of the library browser's six node
// dialogs (creating a library, a folder or a symbol; the library folder; a
// folder's or a symbol's properties). It shows what nodeDialogSetup gives and,
// on OK, asks accept whether it may close (the name checks keep it open).
#pragma once

#include "edit/nodedialog.h"

#include <QDialog>

#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace plexo {

class DlogAddNode : public QDialog {
    Q_OBJECT

public:
    using Accept = std::function<NodeDialogOutcome(const NodeDialogValues&)>;
    DlogAddNode(NodeDialog dialog, const LibNode& node, Accept accept, QWidget* parent = nullptr);

    NodeDialogValues values() const;
    QLineEdit* nameField() const { return name_; }
    QComboBox* typeList() const { return types_; }
    QPushButton* browseButton() const { return browse_; }
    // The file chooser of "&Parcourir..." (tests replace it); an empty text when cancelled.
    std::function<QString()> chooseLocationFile;

    void accept() override;

private:
    Accept accept_;
    QLineEdit* name_ = nullptr;
    QLabel* shown_ = nullptr;
    QComboBox* types_ = nullptr;
    QPushButton* browse_ = nullptr;
};

} // namespace plexo
