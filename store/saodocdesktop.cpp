// The schéma document's desktop operations: MIDI shortcuts, internet
// shortcuts, sending by mail.
#include "store/saodoc.h"

#include "base/desktopservices.h"
#include "base/textcodec.h"
#include "base/userinterface.h"
#include "shapes/shape.h"
#include "store/folio.h"
#include "store/storestrings.h"

#include <algorithm>
#include <cstdio>

namespace plexo {

std::filesystem::path saoDoc::midiShortcutPath(const std::string& text) const {
    std::string name = cp1252ToUtf8(text);
    if (name.find('\\') != std::string::npos || name.find('/') != std::string::npos) {
        // A full path (written on Windows with backslashes, or here with slashes).
        std::replace(name.begin(), name.end(), '\\', '/');
        return name;
    }
    if (path().empty())
        return name;
    return path().parent_path() / name;
}

bool saoDoc::playMidiShortcut(Folio& folio) {
    const Shape* shortcut = nullptr;
    for (const auto& shape : folio.objects)
        if (shape->alive && shape->kind == kMidiShortcut && !shape->data.empty()) {
            shortcut = shape.get();
            break;
        }
    if (!shortcut)
        return false;
    DesktopServices& services = desktopServices();
    services.stopMidi();
    const std::filesystem::path file = midiShortcutPath(shortcut->data);
    MediaResult opened = services.openMidi(file);
    if (!opened.ok) {
        std::string command = "open \"sequencer!" + file.string() + "\" alias sequence";
        if (!opened.errorText.empty())
            userInterface().messageBox(opened.errorText, command, MessageIcon::Warning);
        else
            userInterface().messageBox(strings::kMidiOpenFailed, strings::kMidiCaption, MessageIcon::Warning);
        return false;
    }
    MediaResult played = services.playMidi();
    if (!played.ok) {
        if (!played.errorText.empty())
            userInterface().messageBox(played.errorText, "play sequence", MessageIcon::Warning);
        else
            userInterface().messageBox(strings::kMidiPlayFailed, strings::kMidiCaption, MessageIcon::Warning);
        return false;
    }
    return true;
}

void saoDoc::stopMidi() {
    desktopServices().stopMidi();
}

bool saoDoc::openInternetShortcut(Folio& folio) {
    const Shape* source = nullptr;
    for (const auto& shape : folio.objects)
        if (shape->alive && shape->selected && !shape->data.empty()) {
            source = shape.get();
            break;
        }
    if (!source)
        return false;
    const std::filesystem::path file = desktopServices().shortcutFolder() / "plexo.url";
    // Written whole (a shorter address must not leave the end of a longer one).
    std::FILE* out = std::fopen(file.c_str(), "wb");
    if (!out)
        return false;
    std::string content = "[InternetShortcut]\r\nURL=" + cp1252ToUtf8(source->data) + "\r\n";
    bool written = std::fwrite(content.data(), 1, content.size(), out) == content.size();
    written = std::fclose(out) == 0 && written;
    return written && desktopServices().openUrlFile(file);
}

bool saoDoc::sendByMail() {
    if (symbolNode)
        return false;
    if (isModified()) {
        MessageAnswer answer = userInterface().messageBox(strings::kMustSaveToSend, strings::kSendCaption,
                                                          MessageIcon::Question, MessageButtons::OkCancel);
        if (answer == MessageAnswer::Ok)
            desktopServices().saveDocument(*this);
        if (isModified())
            return false;
    }
    if (path().empty() || !desktopServices().hasMailService())
        return false;
    return desktopServices().mailFile(path());
}

} // namespace plexo
