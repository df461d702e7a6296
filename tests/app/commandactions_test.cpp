#include "app/commandactions.h"

#include <QAction>
#include <QMenu>
#include <QPointer>
#include <QToolBar>
#include <QWidget>

#include <gtest/gtest.h>

namespace plexo {
namespace {

struct Editor {
    int selected = 0;
    bool grid = false;
    std::vector<int> ran;
};

CommandTable<Editor> editorCommands() {
    CommandTable<Editor> table;
    const Condition<Editor> hasSelection = [](const Editor& e) { return e.selected > 0; };
    table.add(1, "&Dupliquer\tCtrl+D", "Duplique la sélection").enabledWhen(hasSelection).does([](Editor& e) {
        e.ran.push_back(1);
    });
    table.add(2, "Afficher la &grille", "Affiche ou cache la grille")
        .withIcon("grid")
        .checkedWhen([](const Editor& e) { return e.grid; })
        .does([](Editor& e) { e.grid = !e.grid; });
    table.add(3, "Supprimer\tSuppr", "Supprime la sélection").enabledWhen(hasSelection);
    table.add(4, "&Annuler\tCtrl+Z", "Annule")
        .labelledBy(
            [](const Editor& e) { return e.selected ? std::string("&Annuler suppression\tCtrl+Z") : ""; })
        .does([](Editor& e) { e.ran.push_back(4); });
    return table;
}

QStringList names(const QList<QAction*>& actions) {
    QStringList all;
    for (QAction* action : actions)
        all << (action->isSeparator() ? "|" : action->menu() ? action->menu()->objectName() : action->text());
    return all;
}

TEST(CommandActions, RulesDecideTheActionsAndTriggeringRunsTheRow) {
    const auto table = editorCommands();
    Editor editor;
    QWidget owner;
    CommandActions actions(&owner, CommandActions::bind(table, editor));

    QAction* duplicate = actions.action(1);
    QAction* grid = actions.action(2);
    QAction* unknown = actions.action(42);
    actions.refresh();
    EXPECT_FALSE(duplicate->isEnabled());
    EXPECT_TRUE(grid->isEnabled());
    EXPECT_FALSE(grid->isChecked());
    EXPECT_FALSE(unknown->isEnabled()) << "no row: disabled";

    editor.selected = 1;
    actions.refresh();
    EXPECT_TRUE(duplicate->isEnabled());
    duplicate->trigger();
    EXPECT_EQ(editor.ran, std::vector<int>{1});

    grid->trigger();
    EXPECT_TRUE(editor.grid);
    actions.refresh();
    EXPECT_TRUE(grid->isChecked());

    QAction* undo = actions.action(4);
    actions.refresh();
    EXPECT_EQ(undo->text(), QString::fromUtf8("&Annuler suppression\tCtrl+Z"));
    EXPECT_EQ(actions.action(1), duplicate) << "one action per command";
}

TEST(CommandActions, ActionsShowTheRowsTextsPictureAndAccelerator) {
    const auto table = editorCommands();
    Editor editor;
    QWidget owner;
    CommandActions actions(&owner, CommandActions::bind(table, editor));

    QAction* duplicate = actions.action(1);
    EXPECT_EQ(duplicate->text(), QString::fromUtf8("&Dupliquer\tCtrl+D"));
    EXPECT_EQ(duplicate->statusTip(), QString::fromUtf8("Duplique la sélection"));
    EXPECT_EQ(duplicate->toolTip(), QString::fromUtf8("Duplique la sélection"));
    EXPECT_EQ(duplicate->shortcut(), QKeySequence("Ctrl+D"));
    EXPECT_EQ(actions.action(3)->shortcut(), QKeySequence(Qt::Key_Delete));
    EXPECT_TRUE(duplicate->icon().isNull());
    EXPECT_FALSE(duplicate->isCheckable());
    EXPECT_FALSE(actions.action(2)->icon().isNull());
    EXPECT_TRUE(actions.action(2)->isCheckable());
    EXPECT_TRUE(owner.actions().contains(duplicate)) << "accelerators work in the owner";

    QPointer<QAction> forgotten = duplicate;
    actions.forget(1);
    EXPECT_TRUE(forgotten.isNull());
    EXPECT_EQ(actions.find(1), nullptr);
}

TEST(CommandActions, MenusAndToolBarsFollowTheirDescriptions) {
    const auto table = editorCommands();
    Editor editor;
    QWidget owner;
    CommandActions actions(&owner, CommandActions::bind(table, editor));

    actions.buildMenu({"MenuVue", "&Vue", {2}}, &owner);
    QMenu* edit = actions.buildMenu({"menuEdition", "&Edition", {4, 0, 1, 3, "MenuVue", 0, 2}}, &owner);
    EXPECT_EQ(edit->title(), "&Edition");
    EXPECT_EQ(actions.menu("menuEdition"), edit);
    EXPECT_EQ(names(edit->actions()),
              (QStringList{"&Annuler\tCtrl+Z", "|", QString::fromUtf8("&Dupliquer\tCtrl+D"),
                           "Supprimer\tSuppr", "MenuVue", "|", "Afficher la &grille"}));

    // Showing a menu refreshes the states first.
    editor.selected = 1;
    emit edit->aboutToShow();
    EXPECT_TRUE(actions.find(1)->isEnabled());

    QToolBar bar;
    actions.fillToolBar(&bar, {1, 0, 2});
    ASSERT_EQ(bar.actions().size(), 3);
    EXPECT_EQ(bar.actions()[0], actions.find(1));
    EXPECT_TRUE(bar.actions()[1]->isSeparator());
    EXPECT_EQ(bar.actions()[2], actions.find(2));
}

} // namespace
} // namespace plexo
