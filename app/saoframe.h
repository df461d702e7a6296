// The main frame: a multiple-document window with the menu bar, the
// "Commandes" and "Outils" tool bars, the status bar (Therm), the floating
// palettes (messages, symbols, styles) and the popup menus other windows show.
// Its commands are the rows of the frame's command table (app/framecommands.h);
// the frame carries out its own and offers the others to the active document
// window's kind. The class's parts sit in one file per concern: saoframe.cpp
// (life, idle refresh, placement), framecommands.cpp (command table and routing),
// framemenus.cpp (menus and popups), frametoolbars.cpp (tool bars and status
// bar), framepalettes.cpp (palettes).
#pragma once

#include "app/documentkind.h"
#include "shell/commandids.h"
#include "shell/commandtable.h"

#include <QMainWindow>
#include <QPointer>

class QMdiArea;
class QAction;
class QMenu;
class QTimer;
class QToolBar;

namespace plexo {

class CommandActions;
class MessagesView;
class PaletteWindow;
class Therm;
class saoApp;
class saoManager;
struct Message;

class saoFrame : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kIdleIntervalMs = 250; // status texts and command states refresh

    explicit saoFrame(saoApp& app);
    ~saoFrame() override;

    saoApp& app() const { return app_; }
    QMdiArea* mdiArea() const { return mdiArea_; }
    saoManager* manager() const { return manager_; }
    Therm* therm() const { return therm_; }
    QToolBar* commandsBar() const { return commandsBar_; }
    QToolBar* toolsBar() const { return toolsBar_; }

    // The action of a command id (menus, tool bars and status-bar buttons
    // share it), or nullptr.
    QAction* action(int id) const;
    // "MenuEdition", "MenuEchelle", "MenuFuseau", "MenuFleche1", "MenuFleche2",
    // "MenuSize", "MenuFont".
    QMenu* popupMenu(const QString& name) const;

    // Carries a command out: the frame's own row, else the active view's.
    void runCommand(int id);
    // The command's state: the frame's own row, else the active view's (false:
    // nobody knows it, it shows disabled).
    bool commandStatus(int id, CommandStatus& status) const;
    // Enables, ticks and labels every action for the active document window.
    void updateCommands();

    void toggleMessages();
    void toggleSymbols();
    void toggleAttributes();
    MessagesView* messagesView() const;
    PaletteWindow* symbolsPalette() const;
    PaletteWindow* attributesPalette() const;
    // The view whose style the attribute palette shows (not owned): set when a
    // schéma view becomes active, cleared when that view goes away; the
    // palette repaints either way.
    void setStyleView(QWidget* view);
    void clearStyleView(QWidget* view);
    QWidget* styleView() const { return styleView_; }
    // Closes the open palettes, keeping their placement in the settings.
    void closePalettes();

    // "10%".."200%", "----" for another index.
    void setZoomText(int zoomLevel);
    // Sends a zoom command to the active document window; beeps without one.
    void forwardToActiveView(int command);

    // The tool of the "Outils" bar shared by every schéma view (101..120).
    int currentTool() const { return currentTool_; }
    void setCurrentTool(int tool) { currentTool_ = tool; }

    // The idle step: status texts from the active document, the clock once a
    // second, command states, window titles.
    void idleRefresh();
    void refreshClock();

    void rebuildRecentFilesMenu();
    void rebuildFontMenu();

    // Writes the frame's, the palettes' and the tool bar's placement into the settings.
    void storePlacement();

    void showAbout();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createMenus();
    void createPopupMenus();
    void createToolBars();
    void createStatusBar();
    void fillWindowMenu();
    void messageLogged(const Message& message, bool popUp);
    void placePalette(QWidget* palette, int x, int y, int width, int height);
    void storePalettePlacement(QWidget* palette);

    saoApp& app_;
    QMdiArea* mdiArea_;
    saoManager* manager_;
    Therm* therm_ = nullptr;
    QToolBar* commandsBar_ = nullptr;
    QToolBar* toolsBar_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QMenu* windowMenu_ = nullptr;
    QAction* recentSeparator_ = nullptr;
    CommandActions* commands_ = nullptr;
    QPointer<MessagesView> messagesView_;
    QPointer<PaletteWindow> symbolsPalette_;
    QPointer<PaletteWindow> attributesPalette_;
    QPointer<QWidget> styleView_;
    QTimer* idleTimer_;
    long long lastClockUpdate_ = 0;
    int currentTool_ = cmd::kToolSelection;
    bool closing_ = false;
};

} // namespace plexo
