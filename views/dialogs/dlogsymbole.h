// "Propriétés Symbole": the instance's name, the list of its labels with an
// edit field for the selected one, and its comments.
#pragma once

#include "edit/symbolproperties.h"

#include <QDialog>

#include <optional>

class QLineEdit;
class QListWidget;
class QPlainTextEdit;

namespace plexo {

class DlogSymbole : public QDialog {
    Q_OBJECT

public:
    explicit DlogSymbole(const SymbolProperties& values, QWidget* parent = nullptr);

    SymbolProperties values() const { return values_; }
    QLineEdit* nameField() const { return name_; }
    QListWidget* labelList() const { return labels_; }
    QLineEdit* labelField() const { return label_; }
    QPlainTextEdit* commentsField() const { return comments_; }

    static std::optional<SymbolProperties> ask(const SymbolProperties& values, QWidget* parent);

    void done(int result) override;

private:
    // The edit field shows the selected label; what it holds goes into the list.
    void showLabel(int row);
    void keepLabel(const QString& text);

    SymbolProperties values_;
    QLineEdit* name_ = nullptr;
    QListWidget* labels_ = nullptr;
    QLineEdit* label_ = nullptr;
    QPlainTextEdit* comments_ = nullptr;
};

} // namespace plexo
