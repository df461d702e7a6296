#include "app/commandactions.h"

#include "app/icons.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QToolBar>
#include <QWidget>

namespace plexo {
namespace {

QString utf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The accelerator written after "\t" in a menu text, in the menus' French names.
QKeySequence shortcutOf(const QString& accelerator) {
    if (accelerator == "Suppr")
        return QKeySequence(Qt::Key_Delete);
    if (accelerator == "Espace")
        return QKeySequence(Qt::Key_Space);
    if (accelerator == "+")
        return QKeySequence(Qt::Key_Plus);
    if (accelerator == "-")
        return QKeySequence(Qt::Key_Minus);
    return QKeySequence::fromString(accelerator, QKeySequence::PortableText);
}

} // namespace

CommandActions::CommandActions(QWidget* owner, Binding binding)
    : QObject(owner), owner_(owner), binding_(std::move(binding)) {}

QAction* CommandActions::action(int id) {
    if (QAction* known = find(id))
        return known;
    auto* action = new QAction(owner_);
    action->setData(id);
    action->setObjectName(QString("command%1").arg(id));
    if (const CommandFace* face = binding_.face ? binding_.face(id) : nullptr) {
        QString text = utf8(face->text);
        action->setText(text);
        if (auto tab = text.indexOf('\t'); tab >= 0)
            action->setShortcut(shortcutOf(text.mid(tab + 1)));
        action->setStatusTip(utf8(face->hint));
        action->setToolTip(utf8(face->hint));
        action->setCheckable(face->checkable);
        if (!face->icon.empty())
            action->setIcon(commandIcon(utf8(face->icon)));
    }
    connect(action, &QAction::triggered, this, [this, id] {
        if (binding_.run)
            binding_.run(id);
    });
    owner_->addAction(action);
    actions_[id] = action;
    return action;
}

QAction* CommandActions::find(int id) const {
    auto found = actions_.find(id);
    return found != actions_.end() ? found->second : nullptr;
}

void CommandActions::forget(int id) {
    if (auto found = actions_.find(id); found != actions_.end()) {
        delete found->second;
        actions_.erase(found);
    }
}

QMenu* CommandActions::buildMenu(const MenuSpec& spec, QWidget* parent) {
    auto* menu = new QMenu(utf8(spec.title), parent);
    menu->setObjectName(utf8(spec.name));
    connect(menu, &QMenu::aboutToShow, this, &CommandActions::refresh);
    fillMenu(menu, spec.entries);
    menus_[menu->objectName()] = menu;
    return menu;
}

void CommandActions::fillMenu(QMenu* menu, const std::vector<MenuEntry>& entries) {
    for (const MenuEntry& entry : entries) {
        if (!entry.submenu.empty()) {
            if (QMenu* sub = this->menu(utf8(entry.submenu)))
                menu->addMenu(sub);
        } else if (entry.id == 0) {
            menu->addSeparator();
        } else {
            menu->addAction(action(entry.id));
        }
    }
}

void CommandActions::fillToolBar(QToolBar* bar, const std::vector<int>& ids) {
    for (int id : ids) {
        if (id)
            bar->addAction(action(id));
        else
            bar->addSeparator();
    }
}

QMenu* CommandActions::menu(const QString& name) const {
    auto found = menus_.find(name);
    return found != menus_.end() ? found->second : nullptr;
}

void CommandActions::refresh() {
    for (auto& [id, action] : actions_) {
        CommandStatus status;
        if (!binding_.status || !binding_.status(id, status))
            status = CommandStatus{false, false, {}};
        if (action->isEnabled() != status.enabled)
            action->setEnabled(status.enabled);
        if (action->isCheckable() && action->isChecked() != status.checked)
            action->setChecked(status.checked);
        if (!status.text.empty() && action->text() != utf8(status.text))
            action->setText(utf8(status.text));
    }
}

} // namespace plexo
