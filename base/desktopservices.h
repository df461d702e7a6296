// What the schéma document asks of the desktop and of the application around it:
// playing a MIDI file through the sequencer, opening an internet shortcut file,
// mailing a document, the recent-files list and saving through the document
// manager. The application installs the real services (FluidSynth, the desktop's
// URL handler, the mail client); the default reports that nothing is available.
#pragma once

#include <filesystem>
#include <string>

namespace plexo {

class Document;

// The outcome of a sequencer command: ok, or the device's error text (empty when
// the device gave none).
struct MediaResult {
    bool ok = false;
    std::string errorText; // UTF-8
};

class DesktopServices {
public:
    virtual ~DesktopServices() = default;

    // Whether MIDI files can be played (a synthesizer and its sounds are there).
    virtual bool hasMidiService() { return false; }
    // "open \"sequencer!%s\" alias sequence" with the file.
    virtual MediaResult openMidi(const std::filesystem::path& file);
    // "play sequence".
    virtual MediaResult playMidi();
    // "stop sequence" then "close sequence" (errors ignored).
    virtual void stopMidi() {}

    // The folder where the internet shortcut file "plexo.url" is written (by
    // default the per-user private folder).
    virtual std::filesystem::path shortcutFolder();
    // Hands the shortcut file to the desktop; false when it could not.
    virtual bool openUrlFile(const std::filesystem::path& file);

    virtual bool hasMailService() { return false; }
    // Sends the file as an attachment; false when it was not sent.
    virtual bool mailFile(const std::filesystem::path& file);

    // Puts the path at the head of the recent files.
    virtual void addRecentFile(const std::filesystem::path& path) { (void)path; }
    // Saves the document as "&Sauver" does (asking for a name when it has none).
    virtual bool saveDocument(Document& document);
    // True while the application is shutting down (documents then skip some work);
    // the default tells the process-wide flag of store/shutdown.h.
    virtual bool isShuttingDown();
};

// nullptr restores the default services.
void setDesktopServices(DesktopServices* services);
DesktopServices& desktopServices();

} // namespace plexo
