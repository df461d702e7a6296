#include "app/saoframe.h"

#include "app/appinfo.h"
#include "app/commands.h"
#include "app/icons.h"
#include "app/messagesview.h"
#include "app/palettewindow.h"
#include "app/saoapp.h"
#include "app/saomanager.h"
#include "app/statustexts.h"
#include "app/strings.h"
#include "app/therm.h"
#include "shapes/fontlist.h"
#include "base/desktopservices.h"
#include "base/textcodec.h"
#include "base/userinterface.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

#include <ctime>

namespace plexo {
namespace {

constexpr int kSendCommand = 786; // "&Envoyer...": the active document by mail

// X11 modifier bits of the lock keys, as key events carry them.
constexpr quint32 kX11LockMask = 0x02;
constexpr quint32 kX11NumLockMask = 0x10;

constexpr int kStatusBarButtonGroups[][4] = {
    {784, 785, 787, 788},
    {1201, 1202, 1203, 725},
    {798, 723, 724, 0},
};

QString utf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

bool isZoomCommand(int id) {
    return id >= cmd::kZoomFirst && id <= cmd::kZoomOut;
}
bool isTimeZoneCommand(int id) {
    return id >= cmd::kTimeZoneFirst && id <= cmd::kTimeZoneLast;
}
bool isRecentCommand(int id) {
    return id >= cmd::kRecentFirst && id <= cmd::kRecentLast;
}

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

saoFrame::saoFrame(saoApp& app) : app_(app), mdiArea_(new QMdiArea(this)) {
    setObjectName("saoFrame");
    setWindowTitle(QString::fromUtf8(kAppCaption));
    setWindowIcon(frameIcon());
    setCentralWidget(mdiArea_);
    mdiArea_->setObjectName("documents");
    const Settings& settings = app_.settings();
    if (settings.useSavedFramePlacement) {
        resize(settings.frameWidth, settings.frameHeight);
        move(settings.frameX, settings.frameY);
    }

    createPopupMenus();
    createMenus();
    createToolBars();
    createStatusBar();
    manager_ = new saoManager(mdiArea_, this);
    connect(manager_, &saoManager::documentFileUsed, this, [this](const QString& path) {
        app_.recentFiles().add(path.toStdString());
        rebuildRecentFilesMenu();
    });
    connect(mdiArea_, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow*) { idleRefresh(); });
    rebuildFontMenu();
    rebuildRecentFilesMenu();
    setZoomText(-1);
    refreshClock();

    setAcceptDrops(true);
    qApp->installEventFilter(this);
    app_.messageLog().setListener(
        [this](const Message& message, bool popUp) { messageLogged(message, popUp); });

    idleTimer_ = new QTimer(this);
    idleTimer_->setInterval(kIdleIntervalMs);
    connect(idleTimer_, &QTimer::timeout, this, &saoFrame::idleRefresh);
    idleTimer_->start();
    updateCommands();
}

saoFrame::~saoFrame() {
    app_.messageLog().setListener({});
    qApp->removeEventFilter(this);
    // The documents' windows and views go before the frame's other parts.
    delete manager_;
    manager_ = nullptr;
    delete messagesView_.data();
    delete symbolsPalette_.data();
    delete attributesPalette_.data();
}

// ---------------------------------------------------------------------------
// Actions and menus

QAction* saoFrame::makeAction(int id) {
    if (auto found = actions_.find(id); found != actions_.end())
        return found->second;
    auto* action = new QAction(this);
    action->setData(id);
    action->setObjectName(QString("command%1").arg(id));
    if (const CommandInfo* info = commandInfo(id)) {
        QString text = QString::fromUtf8(info->text);
        action->setText(text);
        if (auto tab = text.indexOf('\t'); tab >= 0)
            action->setShortcut(shortcutOf(text.mid(tab + 1)));
        action->setStatusTip(QString::fromUtf8(info->hint));
        action->setToolTip(QString::fromUtf8(info->hint));
    }
    action->setIcon(commandIcon(id));
    connect(action, &QAction::triggered, this, [this, id] { runCommand(id); });
    addAction(action); // its shortcut works wherever the frame has the focus
    actions_[id] = action;
    return action;
}

QAction* saoFrame::addCommand(QMenu* menu, int id) {
    QAction* action = makeAction(id);
    menu->addAction(action);
    return action;
}

void saoFrame::addCommands(QMenu* menu, std::initializer_list<int> ids) {
    for (int id : ids) {
        if (id == 0)
            menu->addSeparator();
        else
            addCommand(menu, id);
    }
}

QAction* saoFrame::action(int id) const {
    auto found = actions_.find(id);
    return found != actions_.end() ? found->second : nullptr;
}

QMenu* saoFrame::popupMenu(const QString& name) const {
    auto found = popups_.find(name);
    return found != popups_.end() ? found->second : nullptr;
}

void saoFrame::createPopupMenus() {
    auto popup = [this](const char* name, const char* title) {
        auto* menu = new QMenu(QString::fromUtf8(title), this);
        menu->setObjectName(name);
        popups_[name] = menu;
        connect(menu, &QMenu::aboutToShow, this, &saoFrame::updateCommands);
        return menu;
    };
    addCommands(popup("MenuEdition", "Edition"),
                {24322, 24323, 24324, 1207, 727, 0, 715, 710, 732, 0, 1660, 1661, 804, 805});
    addCommands(popup("MenuEchelle", "&Echelle"), {760, 761, 762, 763, 764, 765, 766, 767, 768, 0, 769, 770});
    QMenu* zones = popup("MenuFuseau", "&Fuseau horaire");
    for (int id = cmd::kTimeZoneFirst; id <= cmd::kTimeZoneLast; ++id) {
        QAction* zone = makeAction(id);
        zone->setText(utf8(timeZoneMenuText(id - cmd::kTimeZoneGmt)));
        zone->setStatusTip(QString::fromUtf8("Montre l'heure de ce fuseau dans la barre d'état"));
        zone->setCheckable(true);
        zones->addAction(zone);
    }
    QMenu* start = popup("MenuFleche1", "Flèche de &début");
    QMenu* end = popup("MenuFleche2", "Flèche de &fin");
    for (int i = 0; i < 13; ++i) {
        addCommand(start, 1665 + i)->setCheckable(true);
        addCommand(end, 1679 + i)->setCheckable(true);
    }
    QMenu* sizes = popup("MenuSize", "&Taille");
    for (int id = 1402; id <= 1414; ++id)
        addCommand(sizes, id)->setCheckable(true);
    sizes->addSeparator();
    addCommand(sizes, 1499)->setCheckable(true);
    popup("MenuFont", "&Police"); // filled from the font list
}

void saoFrame::createMenus() {
    QMenuBar* bar = menuBar();
    auto topMenu = [this, bar](const char* title, const char* name) {
        QMenu* menu = bar->addMenu(QString::fromUtf8(title));
        menu->setObjectName(name);
        connect(menu, &QMenu::aboutToShow, this, &saoFrame::updateCommands);
        return menu;
    };

    fileMenu_ = topMenu("&Fichier", "menuFichier");
    addCommands(fileMenu_, {24331, 24332, 24334, 24333, 24335, 0, 24337, 24338, 0, 786});
    fileMenu_->addSeparator();
    recentSeparator_ = fileMenu_->addSeparator();
    addCommand(fileMenu_, cmd::kQuit);

    QMenu* edit = topMenu("&Edition", "menuEdition");
    addCommands(edit,
                {1206, 0, 24322, 24323, 24324, 711, 1207, 727, 0, 1208, 1662, 1663, 0, 715, 710, 732, 0});
    QMenu* order = edit->addMenu("&Plan");
    addCommands(order, {1648, 1649, 1650, 1651});
    QMenu* align = edit->addMenu("Ali&gnement");
    addCommands(align, {1653, 1654, 1655, 1656, 1657, 1658, 0, 1659, 797});
    addCommands(edit, {1660, 1661, 804, 805, 0});
    QMenu* line = edit->addMenu(QString::fromUtf8("&Epaisseur du trait"));
    addCommands(line, {1211, 1212, 1213, 1214, 1215, 1216, 1217, 0, 1219, 1220, 1221});
    for (int id : {1211, 1212, 1213, 1214, 1215, 1216, 1217, 1219, 1220, 1221})
        action(id)->setCheckable(true);
    edit->addMenu(popups_["MenuFleche1"]);
    edit->addMenu(popups_["MenuFleche2"]);
    edit->addMenu(popups_["MenuFont"]);
    edit->addMenu(popups_["MenuSize"]);
    QMenu* flags = edit->addMenu(QString::fromUtf8("St&yle de caractères"));
    addCommands(flags, {1616, 1617, 1618, 1619});
    for (int id : {1616, 1617, 1618, 1619})
        action(id)->setCheckable(true);
    addCommands(edit, {0, 784, 785, 787, 788});
    for (QMenu* sub : {order, align, line, flags})
        connect(sub, &QMenu::aboutToShow, this, &saoFrame::updateCommands);

    QMenu* document = topMenu("&Document", "menuDocument");
    addCommands(document, {702, 703, 704, 705, 725, 0, 706, 707, 708, 728, 731, 709, 729, 0, 790, 791, 0});
    QMenu* retro = document->addMenu(QString::fromUtf8("Rétro-&documentation"));
    addCommands(retro, {781, 782});
    addCommands(document, {0, 1201, 1202, 1203, 0, 789});
    for (int id : {705, 725, 1201, 1202, 1203, 789})
        action(id)->setCheckable(true);

    QMenu* tools = topMenu("&Outils", "menuOutils");
    addCommands(tools, {101, 102, 103, 0,   104, 105, 106, 107, 108, 109, 110, 111,
                        112, 113, 0,   115, 116, 0,   117, 114, 0,   118, 119, 120});
    for (int id = cmd::kToolFirst; id <= cmd::kToolLast; ++id)
        action(id)->setCheckable(true);

    QMenu* display = topMenu("&Affichage", "menuAffichage");
    display->setObjectName("menuAffichage");
    // The tool bars' own toggles join this menu once the bars exist (createToolBars).
    addCommands(display, {723, 798, 724, 0});
    for (int id : {723, 798, 724})
        action(id)->setCheckable(true);
    display->addMenu(popups_["MenuEchelle"]);
    display->addMenu(popups_["MenuFuseau"]);

    windowMenu_ = topMenu("Fe&nêtre", "menuFenetre");
    connect(windowMenu_, &QMenu::aboutToShow, this, &saoFrame::fillWindowMenu);
    fillWindowMenu();

    QMenu* help = topMenu("&?", "menuAide");
    addCommands(help, {717, 730, 0, 718});
}

void saoFrame::fillWindowMenu() {
    windowMenu_->clear();
    addCommands(windowMenu_, {24360, 24361, 24362, 24363, 24364, 24365});
    const auto windows = mdiArea_->subWindowList();
    if (windows.isEmpty())
        return;
    windowMenu_->addSeparator();
    for (int i = 0; i < windows.size(); ++i) {
        QMdiSubWindow* window = windows[i];
        QString text = QStringLiteral("&%1 %2").arg(i + 1).arg(window->windowTitle());
        QAction* entry = windowMenu_->addAction(text);
        entry->setCheckable(true);
        entry->setChecked(window == mdiArea_->currentSubWindow());
        connect(entry, &QAction::triggered, this, [this, window] { mdiArea_->setActiveSubWindow(window); });
    }
}

void saoFrame::createToolBars() {
    commandsBar_ = new QToolBar("Commandes", this);
    commandsBar_->setObjectName("Commandes");
    toolsBar_ = new QToolBar("Outils", this);
    toolsBar_->setObjectName("Outils");
    for (QToolBar* bar : {commandsBar_, toolsBar_}) {
        bar->setIconSize(QSize(16, 16));
        addToolBar(Qt::TopToolBarArea, bar);
    }
    const int commands[] = {24331, 24332, 24333, 0,    24337, 0, 1662, 0,    24322, 24323, 24324, 0, 1206,
                            0,     1648,  1649,  1650, 1651,  0, 1660, 1661, 0,     804,   805,   0, 1659};
    const int tools[] = {101, 102, 103, 0,   104, 105, 106, 107, 108, 109, 110, 111,
                         112, 113, 0,   115, 116, 0,   117, 114, 0,   118, 119, 120};
    auto fill = [this](QToolBar* bar, const auto& ids) {
        for (int id : ids) {
            if (id)
                bar->addAction(makeAction(id));
            else
                bar->addSeparator();
        }
    };
    fill(commandsBar_, commands);
    fill(toolsBar_, tools);

    if (auto* display = menuBar()->findChild<QMenu*>("menuAffichage")) {
        QAction* first = display->actions().value(0);
        display->insertAction(first, commandsBar_->toggleViewAction());
        display->insertAction(first, toolsBar_->toggleViewAction());
        commandsBar_->toggleViewAction()->setText("Barre d'outils &Commandes");
        toolsBar_->toggleViewAction()->setText("Barre d'outils &Outils");
    }
}

void saoFrame::createStatusBar() {
    therm_ = new Therm(this);
    setStatusBar(therm_);
    for (const auto& group : kStatusBarButtonGroups) {
        for (int id : group)
            if (id)
                therm_->addButton(makeAction(id));
        therm_->addSeparator();
    }
    therm_->addBoxes();
    connect(therm_, &Therm::zoomBoxClicked, this, [this] {
        updateCommands();
        popups_["MenuEchelle"]->popup(therm_->zoomBox()->mapToGlobal(QPoint(0, 0)));
    });
    connect(therm_, &Therm::clockBoxClicked, this, [this] {
        updateCommands();
        popups_["MenuFuseau"]->popup(therm_->clockBox()->mapToGlobal(QPoint(0, 0)));
    });
    if (auto* display = menuBar()->findChild<QMenu*>("menuAffichage")) {
        auto* toggle = new QAction(QString::fromUtf8("Barre d'&état"), this);
        toggle->setCheckable(true);
        toggle->setChecked(true);
        connect(toggle, &QAction::toggled, therm_, &QWidget::setVisible);
        display->insertAction(display->actions().value(2), toggle);
    }
}

void saoFrame::rebuildRecentFilesMenu() {
    for (int id = cmd::kRecentFirst; id <= cmd::kRecentLast; ++id) {
        if (auto found = actions_.find(id); found != actions_.end()) {
            delete found->second;
            actions_.erase(found);
        }
    }
    const auto& entries = app_.recentFiles().entries();
    for (int i = 0; i < static_cast<int>(entries.size()) && cmd::kRecentFirst + i <= cmd::kRecentLast; ++i) {
        QAction* entry = makeAction(cmd::kRecentFirst + i);
        QString path = utf8(entries[static_cast<std::size_t>(i)]);
        entry->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(QString(path).replace('&', "&&")));
        entry->setStatusTip(QString::fromUtf8("Ouvre ce document"));
        fileMenu_->insertAction(recentSeparator_, entry);
    }
}

void saoFrame::rebuildFontMenu() {
    QMenu* menu = popups_["MenuFont"];
    menu->clear();
    for (int id = cmd::kFontFirst; id <= cmd::kOtherFont; ++id) {
        if (auto found = actions_.find(id); found != actions_.end()) {
            delete found->second;
            actions_.erase(found);
        }
    }
    const FontList& fonts = fontList();
    for (int i = 0; i < fonts.size() && i < cmd::kFontMenuCount; ++i) {
        QAction* face = makeAction(cmd::kFontFirst + i);
        face->setText(utf8(cp1252ToUtf8(*fonts.fontNameByIndex(i))).replace('&', "&&"));
        face->setStatusTip(QString::fromUtf8("Police de caractères"));
        face->setCheckable(true);
        menu->addAction(face);
    }
    menu->addSeparator();
    addCommand(menu, cmd::kOtherFont);
}

// ---------------------------------------------------------------------------
// Commands

bool saoFrame::frameCommandState(int id, CommandState& state) const {
    Document* document = manager_ ? manager_->activeDocument() : nullptr;
    state = {};
    switch (id) {
    case cmd::kNew:
    case cmd::kOpen:
    case cmd::kQuit:
    case cmd::kHelp:
    case cmd::kReadMe:
    case cmd::kAbout:
        return true;
    case cmd::kClose:
    case cmd::kSave:
    case cmd::kNewWindow:
        state.enabled = document != nullptr;
        return true;
    case cmd::kSaveAs:
        state.enabled = document && document->canSaveAs();
        return true;
    case cmd::kCascade:
    case cmd::kTile:
    case cmd::kArrangeIcons:
    case cmd::kCloseAll:
    case cmd::kNextWindow:
        state.enabled = !mdiArea_->subWindowList().isEmpty();
        return true;
    case kSendCommand:
        // Without a mail service sending stays disabled, whatever the view says.
        if (!desktopServices().hasMailService()) {
            state.enabled = false;
            return true;
        }
        return false;
    case cmd::kToggleMessages:
        state.checked = !messagesView_.isNull();
        return true;
    case cmd::kToggleSymbols:
        state.checked = !symbolsPalette_.isNull();
        return true;
    case cmd::kToggleAttributes:
        state.checked = !attributesPalette_.isNull();
        return true;
    default:
        break;
    }
    if (isZoomCommand(id) || isRecentCommand(id))
        return true;
    if (isTimeZoneCommand(id)) {
        state.checked = app_.settings().timeZoneOffset == id - cmd::kTimeZoneGmt;
        return true;
    }
    return false;
}

void saoFrame::updateCommands() {
    DocumentWindow* window = manager_ ? manager_->activeWindow() : nullptr;
    for (auto& [id, action] : actions_) {
        CommandState state;
        bool known = frameCommandState(id, state);
        if (!known && window && window->kind().updateCommand) {
            state = {};
            known = window->kind().updateCommand(window->view(), id, state);
        }
        if (!known)
            state = CommandState{false, false, {}};
        if (action->isEnabled() != state.enabled)
            action->setEnabled(state.enabled);
        if (action->isCheckable() && action->isChecked() != state.checked)
            action->setChecked(state.checked);
        if (!state.text.isEmpty() && action->text() != state.text)
            action->setText(state.text);
    }
}

bool saoFrame::runFrameCommand(int id) {
    Document* document = manager_->activeDocument();
    switch (id) {
    case cmd::kNew:
        manager_->fileNew();
        return true;
    case cmd::kOpen: {
        QString path = manager_->askOpenPath();
        if (!path.isEmpty())
            app_.openDocumentByPath(path);
        return true;
    }
    case cmd::kClose:
        if (document)
            manager_->fileClose(*document);
        return true;
    case cmd::kSave:
        if (document)
            manager_->fileSave(*document);
        return true;
    case cmd::kSaveAs:
        if (document)
            manager_->fileSaveAs(*document);
        return true;
    case cmd::kQuit:
        close();
        return true;
    case cmd::kHelp:
        app_.openDocumentByPath(utf8((programDir() / strings::kHelpDocument).string()));
        return true;
    case cmd::kReadMe:
        app_.openDocumentByPath(utf8((programDir() / strings::kReadMeDocument).string()));
        return true;
    case cmd::kAbout:
        showAbout();
        return true;
    case cmd::kToggleMessages:
        toggleMessages();
        return true;
    case cmd::kToggleSymbols:
        toggleSymbols();
        return true;
    case cmd::kToggleAttributes:
        toggleAttributes();
        return true;
    case cmd::kNewWindow:
        if (document)
            manager_->newWindow(*document);
        return true;
    case cmd::kCascade:
        mdiArea_->cascadeSubWindows();
        return true;
    case cmd::kTile:
        mdiArea_->tileSubWindows();
        return true;
    case cmd::kArrangeIcons: {
        // Minimised windows line up along the bottom of the document area.
        int x = 0;
        for (QMdiSubWindow* window : mdiArea_->subWindowList())
            if (window->isMinimized()) {
                window->move(x, mdiArea_->viewport()->height() - window->height());
                x += window->width();
            }
        return true;
    }
    case cmd::kCloseAll:
        if (manager_->closeAllDocuments())
            mdiArea_->closeAllSubWindows();
        return true;
    case cmd::kNextWindow:
        mdiArea_->activateNextSubWindow();
        return true;
    default:
        break;
    }
    if (isZoomCommand(id)) {
        forwardToActiveView(id);
        return true;
    }
    if (isTimeZoneCommand(id)) {
        app_.settings().timeZoneOffset = id - cmd::kTimeZoneGmt;
        refreshClock();
        updateCommands();
        return true;
    }
    if (isRecentCommand(id)) {
        const auto& entries = app_.recentFiles().entries();
        auto index = static_cast<std::size_t>(id - cmd::kRecentFirst);
        if (index < entries.size()) {
            app_.pathToOpen = utf8(entries[index]);
            QString path = app_.pathToOpen;
            app_.openDocumentByPath(path);
        }
        return true;
    }
    return false;
}

void saoFrame::runCommand(int id) {
    if (!runFrameCommand(id)) {
        DocumentWindow* window = manager_->activeWindow();
        if (window && window->kind().runCommand)
            window->kind().runCommand(window->view(), id);
    }
    if (!closing_)
        updateCommands();
}

void saoFrame::forwardToActiveView(int command) {
    DocumentWindow* window = manager_->activeWindow();
    if (!window) {
        userInterface().beep();
        return;
    }
    if (window->kind().runCommand)
        window->kind().runCommand(window->view(), command);
    idleRefresh();
}

void saoFrame::setZoomText(int zoomLevel) {
    therm_->setZoomText(utf8(zoomText(zoomLevel)));
}

// ---------------------------------------------------------------------------
// Palettes

void saoFrame::placePalette(QWidget* palette, int x, int y, int width, int height) {
    palette->resize(std::max(width, 1), std::max(height, 1));
    palette->move(x, y);
    palette->installEventFilter(this);
}

void saoFrame::storePalettePlacement(QWidget* palette) {
    Settings& settings = app_.settings();
    const QPoint position = palette->pos();
    if (palette == messagesView_) {
        settings.messagesX = position.x();
        settings.messagesY = position.y();
        settings.messagesWidth = palette->width();
        settings.messagesHeight = palette->height();
    } else if (palette == symbolsPalette_) {
        settings.symbolsX = position.x();
        settings.symbolsY = position.y();
        settings.symbolsWidth = palette->width();
        settings.symbolsHeight = palette->height();
    } else if (palette == attributesPalette_) {
        settings.attributesX = position.x();
        settings.attributesY = position.y();
    }
}

MessagesView* saoFrame::messagesView() const {
    return messagesView_;
}

PaletteWindow* saoFrame::symbolsPalette() const {
    return symbolsPalette_;
}

PaletteWindow* saoFrame::attributesPalette() const {
    return attributesPalette_;
}

void saoFrame::toggleMessages() {
    if (messagesView_) {
        storePalettePlacement(messagesView_);
        delete messagesView_.data();
        return;
    }
    const Settings& settings = app_.settings();
    messagesView_ = new MessagesView(app_.messageLog(), this);
    messagesView_->setAttribute(Qt::WA_DeleteOnClose);
    messagesView_->setWindowIcon(documentIcon());
    placePalette(messagesView_, settings.messagesX, settings.messagesY, settings.messagesWidth,
                 settings.messagesHeight);
    messagesView_->show();
    messagesView_->messageAdded();
}

void saoFrame::toggleSymbols() {
    if (symbolsPalette_) {
        storePalettePlacement(symbolsPalette_);
        delete symbolsPalette_.data();
        return;
    }
    const Settings& settings = app_.settings();
    symbolsPalette_ =
        new PaletteWindow(PaletteKind::Symbols, QString::fromUtf8(strings::kSymbolsCaption), this);
    placePalette(symbolsPalette_, settings.symbolsX, settings.symbolsY, settings.symbolsWidth,
                 settings.symbolsHeight);
    symbolsPalette_->show();
}

void saoFrame::toggleAttributes() {
    if (attributesPalette_) {
        storePalettePlacement(attributesPalette_);
        delete attributesPalette_.data();
        return;
    }
    const Settings& settings = app_.settings();
    attributesPalette_ =
        new PaletteWindow(PaletteKind::Attributes, QString::fromUtf8(strings::kAttributesCaption), this);
    // The style palette's own size: 464 x 53 pixels.
    placePalette(attributesPalette_, settings.attributesX, settings.attributesY, 464, 53);
    attributesPalette_->show();
}

void saoFrame::setStyleView(QWidget* view) {
    styleView_ = view;
    if (attributesPalette_ && attributesPalette_->content())
        attributesPalette_->content()->update();
}

void saoFrame::clearStyleView(QWidget* view) {
    if (styleView_ != view)
        return;
    styleView_ = nullptr;
    if (attributesPalette_ && attributesPalette_->content())
        attributesPalette_->content()->update();
}

void saoFrame::closePalettes() {
    for (QWidget* palette :
         {static_cast<QWidget*>(messagesView_.data()), static_cast<QWidget*>(symbolsPalette_.data()),
          static_cast<QWidget*>(attributesPalette_.data())})
        if (palette) {
            storePalettePlacement(palette);
            palette->removeEventFilter(this);
            delete palette;
        }
}

void saoFrame::messageLogged(const Message&, bool popUp) {
    if (popUp && !messagesView_) {
        toggleMessages();
        userInterface().beep();
        return; // the new window shows the whole list, scrolled to the end
    }
    if (messagesView_)
        messagesView_->messageAdded();
}

// ---------------------------------------------------------------------------
// Idle refresh

void saoFrame::refreshClock() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    auto text =
        clockText(local.tm_hour * 60 + local.tm_min, app_.timeZoneBias(), app_.settings().timeZoneOffset);
    if (text)
        therm_->setClockText(utf8(*text));
    lastClockUpdate_ = static_cast<long long>(now);
}

void saoFrame::idleRefresh() {
    if (closing_ || !manager_)
        return;
    QString message, indicator;
    if (DocumentWindow* window = manager_->activeWindow()) {
        Document& document = window->document();
        const std::string type = document.typeName();
        if (window->kind().viewStatus) {
            ViewStatus status = window->kind().viewStatus(document, window->view());
            message = status.message;
            indicator = status.pageIndicator;
            if (status.zoomLevel >= 0)
                setZoomText(status.zoomLevel);
        } else if (type == "Séquence") {
            message = QString::fromUtf8("Séquence");
            indicator = "1:0:0";
        } else if (type != "Schéma") {
            indicator = "?";
        }
    }
    therm_->setMessageText(message);
    therm_->setPageIndicator(indicator);
    if (static_cast<long long>(std::time(nullptr)) > lastClockUpdate_ + 1)
        refreshClock();
    manager_->refreshTitles();
    updateCommands();
}

// ---------------------------------------------------------------------------
// Placement, quitting, drops

void saoFrame::storePlacement() {
    Settings& settings = app_.settings();
    settings.frameMaximized = isMaximized() ? 1 : 0;
    const QRect normal = isMaximized() || isMinimized() ? normalGeometry() : QRect(pos(), size());
    settings.frameX = normal.x();
    settings.frameY = normal.y();
    settings.frameWidth = normal.width();
    settings.frameHeight = normal.height();
    settings.messagesVisible = messagesView_ ? 1 : 0;
    settings.symbolsVisible = symbolsPalette_ ? 1 : 0;
    settings.attributesVisible = attributesPalette_ ? 1 : 0;
    for (QWidget* palette :
         {static_cast<QWidget*>(messagesView_.data()), static_cast<QWidget*>(symbolsPalette_.data()),
          static_cast<QWidget*>(attributesPalette_.data())})
        if (palette)
            storePalettePlacement(palette);
    const QPoint corner = commandsBar_->mapToGlobal(QPoint(0, 0));
    settings.commandsBar = {corner.x(), corner.y(), corner.x() + commandsBar_->width(),
                            corner.y() + commandsBar_->height()};
}

void saoFrame::closeEvent(QCloseEvent* event) {
    if (closing_) {
        event->accept();
        return;
    }
    if (!app_.exitInstance()) {
        event->ignore();
        return;
    }
    closing_ = true;
    idleTimer_->stop();
    event->accept();
}

void saoFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void saoFrame::dropEvent(QDropEvent* event) {
    const auto urls = event->mimeData()->urls();
    event->acceptProposedAction();
    for (const QUrl& url : urls)
        if (url.isLocalFile())
            app_.openDocumentByPath(url.toLocalFile());
}

bool saoFrame::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Close && watched->isWidgetType() &&
        (watched == messagesView_ || watched == symbolsPalette_ || watched == attributesPalette_)) {
        storePalettePlacement(static_cast<QWidget*>(watched));
    } else if ((event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) &&
               QGuiApplication::platformName() == "xcb") {
        const quint32 modifiers = static_cast<QKeyEvent*>(event)->nativeModifiers();
        therm_->setLockStates(modifiers & kX11LockMask, modifiers & kX11NumLockMask);
    }
    return QMainWindow::eventFilter(watched, event);
}

void saoFrame::showAbout() {
    QDialog about(this);
    about.setWindowTitle(QString::fromUtf8(strings::kAboutCaption));
    auto* layout = new QVBoxLayout(&about);
    auto* row = new QHBoxLayout;
    auto* icon = new QLabel;
    icon->setPixmap(frameIcon().pixmap(32, 32));
    row->addWidget(icon, 0, Qt::AlignTop);
    auto* text = new QLabel(QString::fromUtf8(kAppCaption) + "\n\n" + QString::fromUtf8(strings::kAboutText));
    row->addWidget(text, 1);
    layout->addLayout(row);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    buttons->button(QDialogButtonBox::Ok)->setText("OK");
    connect(buttons, &QDialogButtonBox::accepted, &about, &QDialog::accept);
    layout->addWidget(buttons);
    about.exec();
}

} // namespace plexo
