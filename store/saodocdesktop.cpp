// The schéma document's desktop operations: MIDI shortcuts, internet
// shortcuts, sending by mail.
#include "store/saodoc.h"

#include "base/desktopservices.h"
#include "base/privatefile.h"
#include "base/shortcutaddress.h"
#include "base/textcodec.h"
#include "base/userinterface.h"
#include "shapes/shape.h"
#include "store/folio.h"
#include "store/storestrings.h"

#include <algorithm>

namespace plexo {

std::filesystem::path saoDoc::midiShortcutPath(const std::string& text) const {
    std::string name = cp1252ToUtf8(text);
    // Written on Windows with backslashes, or here with slashes.
    std::replace(name.begin(), name.end(), '\\', '/');
    if (name.empty())
        return {};
    const bool windowsDrive = name.size() >= 2 && name[1] == ':';
    if (name.front() == '/' || windowsDrive)
        return name;
    // Relative to the document, never to the folder Plexo was started in.
    if (path().empty() || !path().has_parent_path())
        return {};
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
    if (file.empty()) {
        userInterface().messageBox(strings::format(strings::kMidiNoFolder, cp1252ToUtf8(shortcut->data).c_str()),
                                   strings::kMidiCaption, MessageIcon::Warning);
        return false;
    }
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
    const std::string folder = path().empty() ? std::string() : path().parent_path().string();
    const ShortcutAddress address = classifyShortcutAddress(cp1252ToUtf8(source->data), folder);
    switch (address.verdict) {
    case AddressVerdict::Refuse:
        userInterface().messageBox(strings::format(address.refusal == AddressRefusal::Program
                                                       ? strings::kAddressIsProgram
                                                       : strings::kAddressUnreachable,
                                                   address.shown.c_str()),
                                   strings::kInternetCaption, MessageIcon::Warning);
        return false;
    case AddressVerdict::Ask:
        if (userInterface().messageBox(strings::format(strings::kAddressQuestion, address.shown.c_str()),
                                       strings::kInternetCaption, MessageIcon::Question,
                                       MessageButtons::YesNo) != MessageAnswer::Yes)
            return false;
        break;
    case AddressVerdict::Open:
        break;
    }
    // Written whole to a fresh file renamed over the old one: a shorter address
    // leaves nothing of a longer one, and a link at that name is never followed.
    const std::filesystem::path file = desktopServices().shortcutFolder() / "plexo.url";
    const std::string content = "[InternetShortcut]\r\nURL=" + address.url + "\r\n";
    return replaceFile(file, content) && desktopServices().openUrlFile(file);
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
