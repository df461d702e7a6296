#include "app/saoapp.h"

#include "app/libraryfolder.h"
#include "app/palettewindow.h"
#include "app/qtdesktopservices.h"
#include "app/saoframe.h"
#include "app/saomanager.h"
#include "app/strings.h"
#include "base/textcodec.h"
#include "library/lib.h"
#include "library/libsymbolresolver.h"
#include "shapes/fontlist.h"
#include "shapes/saodib.h"
#include "shell/appinfo.h"
#include "shell/documentpaths.h"
#include "shell/statustexts.h"
#include "store/saodoc.h"
#include "views/library/libview.h"
#include "views/library/symbolview.h"
#include "views/schema/saoview.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

#include <system_error>

namespace plexo {
namespace {

saoApp* currentApp = nullptr;

std::filesystem::path preparedHome(const std::filesystem::path& home) {
    std::error_code ec;
    std::filesystem::create_directories(home, ec);
    return home;
}

Rect screenRectangle() {
    QScreen* screen = QGuiApplication::primaryScreen();
    QRect area = screen ? screen->virtualGeometry() : QRect(0, 0, 1024, 768);
    return {area.left(), area.top(), area.left() + area.width(), area.top() + area.height()};
}

// The scalable faces of the screen in enumeration order; FontList keeps the
// first 98 and sorts them.
void fillFontList() {
    std::vector<std::string> names;
    for (const QString& family : QFontDatabase::families())
        if (QFontDatabase::isScalable(family))
            names.push_back(utf8ToCp1252(family.toStdString()));
    fontList().setInstalledFonts(names);
}

} // namespace

saoApp* theApp() {
    return currentApp;
}

saoApp::saoApp(const std::filesystem::path& homeFolder, MessageLog::Clock clock)
    : homeFolder_(preparedHome(homeFolder)), log_(homeFolder_ / MessageLog::kFileName, std::move(clock)),
      previousSink_(logSink()), previousInterface_(&plexo::userInterface()),
      timeZoneBias_(systemTimeZoneBias()), desktop_(std::make_unique<QtDesktopServices>()) {
    currentApp = this;
    bundledLibraryFolder = programDir();
    setShuttingDown(false);
    setLogSink(&log_);
    setUserInterface(&ui_);
    setDesktopServices(desktop_.get());

    ProfileFile profile;
    profile.load(iniPath());
    recentFiles_.read(profile);
    settings_.read(profile, homeFolder_.string(), screenRectangle());
    registerBuiltinDocumentKinds();
    // The "Symboles" palette shows the library browser over this application's libraries.
    setPaletteContent(PaletteKind::Symbols, [this](QWidget* parent) -> QWidget* {
        if (!library_)
            return nullptr;
        auto* browser = new SymbolView(*library_, parent);
        browser->tree()->symbolEditor = [this](LibNode& symbol, std::unique_ptr<saoDib> picture) {
            editSymbol(symbol, std::move(picture));
        };
        return browser;
    });
}

saoApp::~saoApp() {
    // Documents destroyed from here on leave the objects they share alone.
    setShuttingDown(true);
    frame_.reset();
    setPaletteContent(PaletteKind::Symbols, nullptr);
    // The documents are gone: nothing borrows from the library set any more.
    if (library_) {
        if (plexo::library() == library_.get())
            installLibrary(nullptr);
        library_.reset();
    }
    setDesktopServices(nullptr);
    desktop_.reset();
    setUserInterface(previousInterface_);
    setLogSink(previousSink_);
    log_.close();
    if (currentApp == this)
        currentApp = nullptr;
}

saoManager* saoApp::manager() const {
    return frame_ ? frame_->manager() : nullptr;
}

void saoApp::initMainWindow() {
    fillFontList();
    frame_ = std::make_unique<saoFrame>(*this);
    ui_.setFrame(frame_.get(), frame_->therm());
}

void saoApp::initInstance(const std::vector<std::string>& paths) {
    if (settings_.useSavedFramePlacement && settings_.frameMaximized)
        frame_->showMaximized();
    else
        frame_->show();
    openLibrary();
    if (settings_.messagesVisible)
        frame_->toggleMessages();
    if (settings_.symbolsVisible)
        frame_->toggleSymbols();
    if (settings_.attributesVisible)
        frame_->toggleAttributes();
    logMessage(0, 0, kInformation, strings::kStarting, false);
    for (const auto& path : paths)
        openDocumentByPath(QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size())));
}

void saoApp::openDocumentByPath(const QString& path) {
    saoManager* documents = manager();
    if (!documents || path.isEmpty())
        return;
    const std::string typed = path.toStdString();
    const std::string withExtension = withDocumentExtension(typed);
    // "plan" names the same document as "plan.dls": both are looked for.
    if (documents->findDocument(typed) || documents->findDocument(withExtension)) {
        plexo::userInterface().messageBox(strings::kAlreadyOpen, typed, MessageIcon::Warning);
        return;
    }
    documents->openDocumentFile(withExtension);
}

void saoApp::openLibrary() {
    std::string folder = libraryFolderToScan(settings_.libraryPath, bundledLibraryFolder).string();
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    library_ = std::make_unique<Lib>(folder);
    library_->scanLocation();
    // Renaming the library folder in the browser moves the settings' path with it.
    library_->locationChanged = [this](const std::string& path) { settings_.libraryPath = path; };
    installLibrary(library_.get());
}

void saoApp::editSymbol(LibNode& symbol, std::unique_ptr<saoDib> picture) {
    saoManager* documents = manager();
    if (!documents)
        return;
    auto document = std::make_unique<saoDoc>(&symbol);
    document->imageForNewSymbol = std::move(picture);
    Document* opened = documents->addDocument(std::move(document), QString::fromUtf8("Schéma"));
    if (!opened)
        return;
    // A symbol has one page: its window shows no folio tabs.
    static_cast<saoDoc*>(opened)->showTabs = 0;
    for (DocumentWindow* window : documents->windows(opened)) {
        if (auto* view = qobject_cast<saoView*>(window->view()))
            view->setTabsShown(false);
        // The symbol's edit count falls when the document goes, after its window.
        connect(window, &QObject::destroyed, this,
                [this] { QTimer::singleShot(0, this, [this] { refreshSymbolBrowser(); }); });
        window->widget()->setFocus();
    }
    refreshSymbolBrowser();
}

void saoApp::refreshSymbolBrowser() {
    PaletteWindow* palette = frame_ ? frame_->symbolsPalette() : nullptr;
    if (auto* browser = palette ? qobject_cast<SymbolView*>(palette->content()) : nullptr)
        browser->refresh();
}

bool saoApp::exitInstance() {
    if (!frame_ || !frame_->manager()->closeAllDocuments())
        return false;
    logMessage(0, 0, kInformation, strings::kStopping, false);
    if (library_)
        library_->saveAll();
    frame_->storePlacement();
    writeSettings();
    frame_->closePalettes();
    return true;
}

void saoApp::writeSettings() {
    ProfileFile profile;
    profile.load(iniPath()); // keeps whatever else the file holds
    settings_.write(profile);
    recentFiles_.write(profile);
    if (!profile.save())
        logMessage(0, 0, kError,
                   "*** Impossible d'enregistrer les réglages dans '" + iniPath().string() + "'", false);
}

} // namespace plexo
