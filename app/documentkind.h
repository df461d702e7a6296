// A document kind registered with the document manager: which files it opens,
// how it makes its document and the view that shows it.
#pragma once

#include "base/document.h"
#include "shell/commandtable.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QWidget;

namespace plexo {

// How the menu item and tool-bar button of a command show while a view is
// active: enabled, ticked, and the menu text of the moment (the undo label).
using CommandState = CommandStatus;

// What the status bar shows for the active document window, asked while idle.
struct ViewStatus {
    QString message;       // the message area
    QString pageIndicator; // for a schéma: "page/pages"
    int zoomLevel = -1;    // 0..8: the zoom box shows its label; -1 leaves the box as it is
};

struct DocumentKind {
    QString name;           // shown in the file dialogs, e.g. "Schéma"
    QStringList extensions; // lower case, without dot, the first is the default: {"dls"}
    std::function<std::unique_ptr<Document>()> createDocument;
    // Makes a view of the document inside parent; the view observes the document.
    std::function<QWidget*(Document& document, QWidget* parent)> createView;

    // Optional. The frame offers each command its own table leaves to the
    // views (shell/commandids.h) to the active view: updateCommand returns true
    // when the view handles the command and fills its state; runCommand carries
    // it out (true when handled). The zoom commands 760..770 reach runCommand
    // through the frame. useCommandTable() makes both from the view's table.
    std::function<bool(QWidget* view, int command, CommandState& state)> updateCommand;
    std::function<bool(QWidget* view, int command)> runCommand;
    // Optional: the status-bar texts of the active view (without it: empty
    // message, indicator "?", and "Séquence", "1:0:0" for a séquence).
    std::function<ViewStatus(Document& document, QWidget* view)> viewStatus;
};

// Makes the kind's command hooks from the view's command table. contextOf
// finds the context of the table's rules and handlers for a view widget
// (nullptr: the widget is not such a view and knows no command).
template <class Context>
void useCommandTable(DocumentKind& kind, const CommandTable<Context>& table,
                     std::function<Context*(QWidget* view)> contextOf) {
    kind.updateCommand = [&table, contextOf](QWidget* widget, int command, CommandState& state) {
        Context* context = contextOf(widget);
        return context && table.status(command, *context, state);
    };
    kind.runCommand = [&table, contextOf](QWidget* widget, int command) {
        Context* context = contextOf(widget);
        return context && table.run(command, *context);
    };
}

// The same when the context is the view widget itself (a View, found with qobject_cast).
template <class View> void useCommandTable(DocumentKind& kind, const CommandTable<View>& table) {
    useCommandTable<View>(kind, table, [](QWidget* widget) { return qobject_cast<View*>(widget); });
}

} // namespace plexo
