// The desktop services of the editor on a Linux desktop:
// - MIDI shortcuts play through FluidSynth with a General MIDI SoundFont; the
//   media-control commands map onto it: "open" loads the SoundFont, the file and
//   the audio output, "play" starts FluidSynth's player (it runs on FluidSynth's
//   own thread, so the interface never waits), "stop"/"close" end and free it;
// - internet shortcuts: the address of the "plexo.url" file goes to the
//   desktop's URL handler;
// - mail: "xdg-email --attach FILE", started detached; without xdg-email there
//   is no mail service and sending is disabled.
// The hooks (SoundFont candidates, URL opener, process starter, folders) let the
// tests run without a sound card, a browser or a mail client.
#pragma once

#include "base/desktopservices.h"

#include <QString>
#include <QStringList>
#include <QUrl>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace plexo {

class QtDesktopServices : public DesktopServices {
public:
    QtDesktopServices();
    ~QtDesktopServices() override;
    QtDesktopServices(const QtDesktopServices&) = delete;
    QtDesktopServices& operator=(const QtDesktopServices&) = delete;

    bool hasMidiService() override { return findSoundFont(soundFonts).has_value(); }
    MediaResult openMidi(const std::filesystem::path& file) override;
    MediaResult playMidi() override;
    void stopMidi() override;

    std::filesystem::path shortcutFolder() override;
    bool openUrlFile(const std::filesystem::path& file) override;

    bool hasMailService() override { return !mailProgram.isEmpty(); }
    bool mailFile(const std::filesystem::path& file) override;

    bool saveDocument(Document& document) override;

    // The usual places of a General MIDI SoundFont on Debian, best first.
    static std::vector<std::filesystem::path> defaultSoundFonts();
    // The first candidate that is a regular file.
    static std::optional<std::filesystem::path>
    findSoundFont(const std::vector<std::filesystem::path>& candidates);
    // The address of an internet shortcut file (its "URL=" line); empty when none.
    static QString urlOfShortcutFile(const std::filesystem::path& file);
    // The arguments given to xdg-email to send the file.
    static QStringList mailArguments(const std::filesystem::path& file);

    // Hooks, set at construction to the real ones.
    std::vector<std::filesystem::path> soundFonts;
    QString audioDriver;                      // FluidSynth's "audio.driver"; empty: its default
    QString audioFile;                        // for the "file" driver: where the rendered sound goes
    std::function<bool(const QUrl&)> openUrl; // QDesktopServices::openUrl
    QString mailProgram;                      // xdg-email's path; empty: no mail service
    std::function<bool(const QString& program, const QStringList& arguments)> startDetached;
    std::filesystem::path shortcutFolderPath; // empty: the per-user data folder

    bool midiOpen() const { return midi_ != nullptr; }

private:
    struct Midi;
    std::unique_ptr<Midi> midi_;
};

} // namespace plexo
