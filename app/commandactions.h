// The Qt side of the command tables: makes one QAction per command from its
// row (text, hint, picture, tick, accelerator), fills menus, popups and tool
// bars from menu descriptions, refreshes the actions' states from the rules and
// carries a triggered action out through its row.
#pragma once

#include "shell/commandmenu.h"
#include "shell/commandtable.h"

#include <QObject>
#include <QString>

#include <functional>
#include <map>
#include <vector>

class QAction;
class QMenu;
class QToolBar;
class QWidget;

namespace plexo {

class CommandActions : public QObject {
    Q_OBJECT
public:
    // How the actions reach the commands, whatever their context.
    struct Binding {
        std::function<const CommandFace*(int id)> face;            // nullptr: no such command
        std::function<bool(int id, CommandStatus& status)> status; // false: unknown here, disabled
        std::function<void(int id)> run;
    };

    // A table bound to the context its rules and handlers work on.
    template <class Context> static Binding bind(const CommandTable<Context>& table, Context& context) {
        return {
            [&table](int id) -> const CommandFace* { return table.find(id); },
            [&table, &context](int id, CommandStatus& status) { return table.status(id, context, status); },
            [&table, &context](int id) { table.run(id, context); }};
    }

    // The actions are children of owner and added to it, so that their
    // accelerators work wherever owner has the focus.
    CommandActions(QWidget* owner, Binding binding);

    // The action of a command, made from its row on first use.
    QAction* action(int id);
    QAction* find(int id) const;
    void forget(int id); // deletes the action, taking it out of its menus
    const std::map<int, QAction*>& actions() const { return actions_; }

    // Makes a menu (parented to parent, refreshed before it shows) and keeps it under its name.
    QMenu* buildMenu(const MenuSpec& spec, QWidget* parent);
    // Appends the entries to a menu; a submenu entry names a menu built before.
    void fillMenu(QMenu* menu, const std::vector<MenuEntry>& entries);
    void fillToolBar(QToolBar* bar, const std::vector<int>& ids); // 0: separator
    QMenu* menu(const QString& name) const;

    // Enables, ticks and labels every action from the rules.
    void refresh();

private:
    QWidget* owner_;
    Binding binding_;
    std::map<int, QAction*> actions_;
    std::map<QString, QMenu*> menus_;
};

} // namespace plexo
