// Commands as data. Each window kind declares one table of rows over its own
// context (the frame, a view): the command's number, texts, tool-bar picture,
// when it is enabled and ticked, and what it does. Menus, tool bars, popups and
// accelerators are built from a table (app/commandactions.h), and a command is
// carried out by looking its row up.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <type_traits>
#include <utility>

namespace plexo {

// How a command shows for a context.
struct CommandStatus {
    bool enabled = true;
    bool checked = false;
    std::string text; // replaces the menu text when not empty (for example the undo label)
};

// A condition over a context, composable with &&, || and !. An empty
// condition holds always.
template <class Context> class Condition {
public:
    using Test = std::function<bool(const Context&)>;

    Condition() = default;
    template <class F>
    requires(!std::is_same_v<std::decay_t<F>, Condition> && std::is_invocable_r_v<bool, F, const Context&>)
        Condition(F test)
        : test_(std::move(test)) {}

    bool operator()(const Context& context) const { return !test_ || test_(context); }
    bool isSet() const { return static_cast<bool>(test_); }

    friend Condition operator&&(Condition a, Condition b) {
        return Test([a, b](const Context& c) { return a(c) && b(c); });
    }
    friend Condition operator||(Condition a, Condition b) {
        return Test([a, b](const Context& c) { return a(c) || b(c); });
    }
    friend Condition operator!(Condition a) {
        return Test([a](const Context& c) { return !a(c); });
    }

private:
    Test test_;
};

// What a menu or a tool bar needs to show a command, whatever its context.
struct CommandFace {
    int id = 0;
    std::string text; // UTF-8 menu text, with "&" and an optional "\t" accelerator
    std::string hint; // status-bar hint and tool-bar tip
    std::string icon; // name of the tool-bar picture (res/icons/<icon>.svg), empty for none
    bool checkable = false;
};

template <class Context> struct CommandRow : CommandFace {
    Condition<Context> enabled;                       // empty: always enabled
    Condition<Context> checked;                       // set: the command shows a tick
    std::function<std::string(const Context&)> label; // optional: the menu text of the moment
    std::function<void(Context&)> handler;            // empty: the row only describes the command

    CommandRow& withIcon(std::string name) {
        icon = std::move(name);
        return *this;
    }
    CommandRow& enabledWhen(Condition<Context> rule) {
        enabled = std::move(rule);
        return *this;
    }
    CommandRow& checkedWhen(Condition<Context> rule) {
        checked = std::move(rule);
        checkable = true;
        return *this;
    }
    // Ticked by whoever carries the command out (another table).
    CommandRow& withTick() {
        checkable = true;
        return *this;
    }
    CommandRow& labelledBy(std::function<std::string(const Context&)> text) {
        label = std::move(text);
        return *this;
    }
    CommandRow& does(std::function<void(Context&)> action) {
        handler = std::move(action);
        return *this;
    }
};

template <class Context> class CommandTable {
public:
    using Row = CommandRow<Context>;

    // Adds the row of a command (a later row of the same id replaces the lookup).
    Row& add(int id, std::string text, std::string hint) {
        Row& row = rows_.emplace_back();
        row.id = id;
        row.text = std::move(text);
        row.hint = std::move(hint);
        index_[id] = rows_.size() - 1;
        return row;
    }

    const Row* find(int id) const {
        auto found = index_.find(id);
        return found != index_.end() ? &rows_[found->second] : nullptr;
    }
    Row* find(int id) {
        auto found = index_.find(id);
        return found != index_.end() ? &rows_[found->second] : nullptr;
    }
    // Rows in the order they were declared.
    const std::deque<Row>& rows() const { return rows_; }

    // The command's state for the context; false when the table has no row for it.
    bool status(int id, const Context& context, CommandStatus& status) const {
        const Row* row = find(id);
        if (!row)
            return false;
        status.enabled = row->enabled(context);
        status.checked = row->checked.isSet() && row->checked(context);
        status.text = row->label ? row->label(context) : std::string();
        return true;
    }
    // Carries the command out; false when no row of the table has a handler for it.
    bool run(int id, Context& context) const {
        const Row* row = find(id);
        if (!row || !row->handler)
            return false;
        row->handler(context);
        return true;
    }

private:
    std::deque<Row> rows_; // a deque keeps the rows add() handed out in place
    std::map<int, std::size_t> index_;
};

} // namespace plexo
