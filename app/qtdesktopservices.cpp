#include "app/qtdesktopservices.h"

#include "app/saoapp.h"
#include "app/saomanager.h"
#include "app/strings.h"
#include "base/log.h"
#include "base/userinterface.h"
#include "midi/midireader.h"
#include "midi/midistrings.h"
#include "midi/seqdoc.h"
#include "shell/appinfo.h"
#include "store/storestrings.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include <fluidsynth.h>

#include <fstream>
#include <system_error>

namespace plexo {

namespace {

std::string utf8(const std::filesystem::path& path) {
    const auto text = path.u8string();
    return std::string(text.begin(), text.end());
}

QString qtPath(const std::filesystem::path& path) {
    return QString::fromStdString(utf8(path));
}

std::filesystem::path absoluteOf(const std::filesystem::path& file) {
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(file, error);
    return error ? file : absolute;
}

MediaResult failure(std::string text) {
    return MediaResult{false, std::move(text)};
}

// The file's bytes when Plexo's MIDI reader accepts them; otherwise why not.
std::string checkedMidiBytes(const std::filesystem::path& file, std::vector<std::uint8_t>& bytes) {
    std::ifstream in(file, std::ios::binary | std::ios::ate);
    const std::streamoff size = in ? static_cast<std::streamoff>(in.tellg()) : -1;
    if (size <= 0)
        return midistr::kNoHeader;
    if (static_cast<std::uint64_t>(size) > kMaxMidiFileSize)
        return midistr::kFileTooLarge;
    in.seekg(0);
    bytes.resize(static_cast<std::size_t>(size));
    in.read(reinterpret_cast<char*>(bytes.data()), size);
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    seqDoc checked;
    MidiReadResult read = readStandardMidiFile(bytes, checked);
    return read.ok ? std::string() : read.problem;
}

} // namespace

// One open sequence: the synthesizer with its SoundFont, the audio output and
// the player of the file. Destroyed in the reverse order of creation, the audio
// output first so that its thread stops rendering before the rest goes.
struct QtDesktopServices::Midi {
    fluid_settings_t* settings = nullptr;
    fluid_synth_t* synth = nullptr;
    fluid_player_t* player = nullptr;
    fluid_audio_driver_t* output = nullptr;

    ~Midi() {
        if (player)
            fluid_player_stop(player);
        if (output)
            delete_fluid_audio_driver(output);
        // No thread drives the player once the output is gone: it is freed at once.
        if (player)
            delete_fluid_player(player);
        if (synth)
            delete_fluid_synth(synth);
        if (settings)
            delete_fluid_settings(settings);
    }
};

QtDesktopServices::QtDesktopServices()
    : soundFonts(defaultSoundFonts()),
      openUrl([](const QUrl& url) { return QDesktopServices::openUrl(url); }),
      mailProgram(QStandardPaths::findExecutable("xdg-email")),
      startDetached([](const QString& program, const QStringList& arguments) {
          return QProcess::startDetached(program, arguments);
      }) {}

QtDesktopServices::~QtDesktopServices() = default;

std::vector<std::filesystem::path> QtDesktopServices::defaultSoundFonts() {
    return {"/usr/share/sounds/sf2/FluidR3_GM.sf2", "/usr/share/sounds/sf2/default-GM.sf2",
            "/usr/share/soundfonts/default.sf2", "/usr/share/sounds/sf2/TimGM6mb.sf2"};
}

std::optional<std::filesystem::path>
QtDesktopServices::findSoundFont(const std::vector<std::filesystem::path>& candidates) {
    for (const auto& candidate : candidates) {
        std::error_code error;
        if (std::filesystem::is_regular_file(candidate, error))
            return candidate;
    }
    return std::nullopt;
}

MediaResult QtDesktopServices::openMidi(const std::filesystem::path& file) {
    midi_.reset(); // an "open" replaces the sequence open before
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error))
        return failure(strings::format(strings::kMidiFileMissing, utf8(file).c_str()));
    // Plexo's own reader checks the file before the synthesizer sees it, and the
    // synthesizer is given the very bytes that were checked.
    std::vector<std::uint8_t> bytes;
    if (std::string problem = checkedMidiBytes(file, bytes); !problem.empty())
        return failure(strings::format(strings::kMidiRefused, utf8(file).c_str(), problem.c_str()));
    const auto soundFont = findSoundFont(soundFonts);
    if (!soundFont) {
        std::string places;
        for (const auto& candidate : soundFonts)
            places += (places.empty() ? "" : ", ") + utf8(candidate);
        return failure(strings::format(strings::kNoSoundFont, places.c_str()));
    }

    auto midi = std::make_unique<Midi>();
    midi->settings = new_fluid_settings();
    if (!midi->settings)
        return failure(strings::kNoSynthesizer);
    if (!audioDriver.isEmpty() &&
        fluid_settings_setstr(midi->settings, "audio.driver", audioDriver.toUtf8().constData()) != FLUID_OK)
        return failure(strings::kNoAudioOutput);
    if (!audioFile.isEmpty())
        fluid_settings_setstr(midi->settings, "audio.file.name", audioFile.toUtf8().constData());
    midi->synth = new_fluid_synth(midi->settings);
    if (!midi->synth)
        return failure(strings::kNoSynthesizer);
    if (fluid_synth_sfload(midi->synth, soundFont->c_str(), 1) == FLUID_FAILED)
        return failure(strings::format(strings::kSoundFontUnreadable, utf8(*soundFont).c_str()));
    midi->player = new_fluid_player(midi->synth);
    if (!midi->player || fluid_player_add_mem(midi->player, bytes.data(), bytes.size()) != FLUID_OK)
        return failure(strings::format(strings::kNotAMidiFile, utf8(file).c_str()));
    midi->output = new_fluid_audio_driver(midi->settings, midi->synth);
    if (!midi->output)
        return failure(strings::kNoAudioOutput);
    midi_ = std::move(midi);
    return {true, {}};
}

MediaResult QtDesktopServices::playMidi() {
    if (!midi_)
        return failure(strings::kMidiNotOpen);
    if (fluid_player_play(midi_->player) != FLUID_OK)
        return failure({}); // the caller shows "Impossible d'exécuter le fichier Midi (2)"
    return {true, {}};
}

void QtDesktopServices::stopMidi() {
    midi_.reset();
}

std::filesystem::path QtDesktopServices::shortcutFolder() {
    if (!shortcutFolderPath.empty())
        return shortcutFolderPath;
    // A per-user folder stands for the Windows folder of the original design:
    // the program folder may not be writable.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    if (!folder.isEmpty() && QDir().mkpath(folder))
        return std::filesystem::path(folder.toStdString());
    return homeDir();
}

QString QtDesktopServices::urlOfShortcutFile(const std::filesystem::path& file) {
    QFile in(qtPath(file));
    if (!in.open(QIODevice::ReadOnly))
        return {};
    // The file may be longer than what was just written (it is written over
    // without being shortened): the first "URL=" line is the address.
    while (!in.atEnd()) {
        QString line = QString::fromUtf8(in.readLine(64 * 1024)).trimmed();
        if (line.startsWith("URL=", Qt::CaseInsensitive))
            return line.mid(4).trimmed();
    }
    return {};
}

bool QtDesktopServices::openUrlFile(const std::filesystem::path& file) {
    const QString address = urlOfShortcutFile(file);
    // The core wrote an address it checked (and asked about): taken as written,
    // a bare host name ("www.exemple.fr") as a web address.
    QUrl url(address);
    if (url.isRelative() && !address.isEmpty())
        url = QUrl("http://" + address);
    if (address.isEmpty() || !url.isValid() || !openUrl || !openUrl(url)) {
        logMessage(0, 0, kError, strings::format(strings::kUrlNotOpened, address.toStdString().c_str()),
                   false);
        return false;
    }
    return true;
}

QStringList QtDesktopServices::mailArguments(const std::filesystem::path& file) {
    return {"--attach", qtPath(absoluteOf(file))};
}

bool QtDesktopServices::mailFile(const std::filesystem::path& file) {
    if (mailProgram.isEmpty())
        return false;
    if (startDetached && startDetached(mailProgram, mailArguments(file)))
        return true;
    userInterface().messageBox(strings::format(strings::kMailNotStarted, utf8(file).c_str()),
                               strings::kMailCaption, MessageIcon::Warning);
    return false;
}

bool QtDesktopServices::saveDocument(Document& document) {
    saoApp* app = theApp();
    if (app && app->manager())
        return app->manager()->fileSave(document);
    return DesktopServices::saveDocument(document);
}

} // namespace plexo
