// The application object: owns the settings, the message list and log file,
// the recent-files list, the main frame and (through it) the document manager.
// One per process; theApp() reaches it.
#pragma once

#include "app/qtuserinterface.h"
#include "shell/messagelog.h"
#include "shell/recentfiles.h"
#include "shell/settings.h"

#include <QObject>
#include <QString>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace plexo {

class Lib;
class LibNode;
class QtDesktopServices;
class saoDib;
class saoFrame;
class saoManager;

class saoApp : public QObject {
    Q_OBJECT
public:
    // Reads "Plexo.ini" and opens "Plexo.log.txt" in homeFolder; installs the
    // log as the program's LogSink and the Qt user interface. clock is for tests.
    explicit saoApp(const std::filesystem::path& homeFolder, MessageLog::Clock clock = {});
    ~saoApp() override;
    saoApp(const saoApp&) = delete;
    saoApp& operator=(const saoApp&) = delete;

    // Creates the frame with its bars, menus, status bar, document manager and font list.
    void initMainWindow();
    // Shows the frame, scans the symbol library folder (see app/libraryfolder.h)
    // and installs the library set, reopens the palettes, logs the start and
    // opens the documents named on the command line (already in their long form).
    void initInstance(const std::vector<std::string>& paths);

    // The quit sequence: asks every document, logs the stop, saves every library
    // tree, writes the settings and closes the palettes. False when a document
    // refused. The library set stays installed until the application object
    // goes, after its documents.
    bool exitInstance();

    // Opens a document file: "Ce document est déjà ouvert." when it is,
    // ".dls" appended to a path without ".dls" or ".mid", then the document
    // manager opens it ("Type de document inconnu." when no kind takes it).
    void openDocumentByPath(const QString& path);

    const std::filesystem::path& homeFolder() const { return homeFolder_; }
    std::filesystem::path iniPath() const { return homeFolder_ / "Plexo.ini"; }
    Settings& settings() { return settings_; }
    MessageLog& messageLog() { return log_; }
    RecentFiles& recentFiles() { return recentFiles_; }
    saoFrame* frame() const { return frame_.get(); }
    saoManager* manager() const;
    QtUserInterface& qtInterface() { return ui_; }
    int timeZoneBias() const { return timeZoneBias_; }
    // The symbol library set (nullptr before initInstance).
    Lib* library() const { return library_.get(); }
    // The library browser's "&Editer le symbole": a schéma document bound to the
    // symbol, in a window without folio tabs (picture: placed on a new symbol's
    // page). The browser repaints as the symbol's edit count changes.
    void editSymbol(LibNode& symbol, std::unique_ptr<saoDib> picture = nullptr);
    // Repaints the "Symboles" palette when it is open.
    void refreshSymbolBrowser();
    QtDesktopServices& desktop() { return *desktop_; }
    // Where the libraries bundled with the program are looked for when the
    // settings' folder holds none (programDir; tests change it before initInstance).
    std::filesystem::path bundledLibraryFolder;

    // The path of a recent-files entry being opened (as the document manager
    // reads it).
    QString pathToOpen;

private:
    void openLibrary();
    void writeSettings();

    std::filesystem::path homeFolder_;
    RecentFiles recentFiles_;
    MessageLog log_;
    LogSink* previousSink_;
    Settings settings_;
    QtUserInterface ui_;
    UserInterface* previousInterface_;
    int timeZoneBias_;
    std::unique_ptr<QtDesktopServices> desktop_; // the MIDI, shortcut and mail services
    std::unique_ptr<Lib> library_;               // outlives the frame and its documents
    std::unique_ptr<saoFrame> frame_;
};

// The application object of the process, or nullptr.
saoApp* theApp();

} // namespace plexo
