#include "shell/commandtable.h"

#include <gtest/gtest.h>

#include <vector>

namespace plexo {
namespace {

struct Selection {
    int selected = 0;
    bool locked = false;
    std::vector<int> ran;
};

using Rule = Condition<Selection>;

TEST(CommandTable, ConditionsCompose) {
    const Rule any = [](const Selection& s) { return s.selected > 0; };
    const Rule one = [](const Selection& s) { return s.selected == 1; };
    const Rule locked = [](const Selection& s) { return s.locked; };
    struct Case {
        const char* name;
        Rule rule;
        Selection context;
        bool expected;
    } cases[] = {
        {"empty holds always", Rule(), {}, true},
        {"any, none selected", any, {0, false, {}}, false},
        {"any, two selected", any, {2, false, {}}, true},
        {"several: any and not one", any && !one, {2, false, {}}, true},
        {"several, single selection", any && !one, {1, false, {}}, false},
        {"one or locked, locked", one || locked, {0, true, {}}, true},
        {"one or locked, neither", one || locked, {3, false, {}}, false},
        {"empty and any, none", Rule() && any, {0, false, {}}, false},
        {"not empty never holds", !Rule(), {5, false, {}}, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.rule(c.context), c.expected) << c.name;
}

TEST(CommandTable, StatusAndHandlerComeFromTheRow) {
    CommandTable<Selection> table;
    table.add(1, "&Copier\tCtrl+C", "Copie").enabledWhen([](const Selection& s) { return s.selected > 0; });
    table.add(2, "Verrou", "Verrouille")
        .checkedWhen([](const Selection& s) { return s.locked; })
        .does([](Selection& s) { s.locked = !s.locked; });
    table.add(3, "&Annuler", "Annule")
        .labelledBy([](const Selection& s) { return "&Annuler " + std::to_string(s.selected); })
        .does([](Selection& s) { s.ran.push_back(3); });
    table.add(4, "Outil", "Un outil").withTick(); // described only: another table carries it out

    Selection context;
    CommandStatus status;
    EXPECT_FALSE(table.status(99, context, status));
    ASSERT_TRUE(table.status(1, context, status));
    EXPECT_FALSE(status.enabled);
    EXPECT_FALSE(status.checked);
    context.selected = 2;
    ASSERT_TRUE(table.status(1, context, status));
    EXPECT_TRUE(status.enabled);

    ASSERT_TRUE(table.status(2, context, status));
    EXPECT_FALSE(status.checked);
    EXPECT_TRUE(table.run(2, context));
    ASSERT_TRUE(table.status(2, context, status));
    EXPECT_TRUE(status.checked);
    EXPECT_TRUE(table.find(2)->checkable);
    EXPECT_TRUE(table.find(4)->checkable);
    EXPECT_FALSE(table.find(1)->checkable);

    ASSERT_TRUE(table.status(3, context, status));
    EXPECT_EQ(status.text, "&Annuler 2");
    EXPECT_TRUE(table.run(3, context));
    EXPECT_EQ(context.ran, std::vector<int>{3});

    EXPECT_FALSE(table.run(1, context)) << "a row without handler";
    EXPECT_FALSE(table.run(99, context));
    ASSERT_TRUE(table.status(4, context, status));
    EXPECT_TRUE(status.enabled);
}

TEST(CommandTable, RowsKeepTheirOrderAndPlace) {
    CommandTable<Selection> table;
    auto& first = table.add(10, "Dix", "");
    for (int id = 11; id < 100; ++id)
        table.add(id, "", "");
    first.withIcon("dix"); // rows handed out stay valid while the table grows
    EXPECT_EQ(table.find(10)->icon, "dix");
    ASSERT_EQ(table.rows().size(), 90u);
    EXPECT_EQ(table.rows().front().id, 10);
    EXPECT_EQ(table.rows().back().id, 99);
}

} // namespace
} // namespace plexo
