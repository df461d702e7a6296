#include "app/saoframe.h"

#include "app/commandactions.h"
#include "app/framecommands.h"
#include "app/icons.h"
#include "app/messagesview.h"
#include "app/palettewindow.h"
#include "app/saoapp.h"
#include "app/saomanager.h"
#include "app/strings.h"
#include "app/therm.h"
#include "shell/appinfo.h"
#include "shell/statustexts.h"

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
#include <QMimeData>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

#include <ctime>

namespace plexo {
namespace {

// X11 modifier bits of the lock keys, as key events carry them.
constexpr quint32 kX11LockMask = 0x02;
constexpr quint32 kX11NumLockMask = 0x10;

QString utf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
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

    commands_ =
        new CommandActions(this, {[](int id) -> const CommandFace* { return frameCommands().find(id); },
                                  [this](int id, CommandStatus& status) { return commandStatus(id, status); },
                                  [this](int id) { runCommand(id); }});
    createPopupMenus();
    createMenus();
    createToolBars();
    createStatusBar();
    manager_ = new saoManager(mdiArea_, this);
    connect(manager_, &saoManager::documentFileUsed, this, [this](const QString& path) {
        app_.recentFiles().add(path.toStdString());
        rebuildRecentFilesMenu();
    });
    connect(manager_, &saoManager::popupRequested, this, [this](const QString& name, const QPoint& at) {
        if (QMenu* menu = popupMenu(name))
            menu->exec(at);
    });
    connect(mdiArea_, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* window) {
        // A document may have brought faces of its own into the font list.
        if (window)
            rebuildFontMenu();
        idleRefresh();
    });
    rebuildFontMenu();
    // "Autre police..." may add a face to the list: the menu is filled again
    // each time it opens.
    connect(popupMenu("MenuFont"), &QMenu::aboutToShow, this, &saoFrame::rebuildFontMenu);
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