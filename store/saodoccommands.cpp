// The schéma document's folio commands, its operations on a folio's selection
// and its desktop operations (MIDI shortcuts, internet shortcuts, mail).
#include "store/saodoc.h"

#include "shapes/shape.h"
#include "base/buffer.h"
#include "base/desktopservices.h"
#include "store/folio.h"
#include "base/objfile.h"
#include "store/storestrings.h"
#include "base/textcodec.h"
#include "base/userinterface.h"

#include <algorithm>
#include <cstdio>

namespace plexo {

namespace {

void copyIdentification(const Folio& from, Folio& to) {
    to.number = from.number;
    to.date = from.date;
    to.author = from.author;
    to.object = from.object;
    to.index = from.index;
    to.titles = from.titles;
    to.revisionAuthors = from.revisionAuthors;
    to.revisionDates = from.revisionDates;
    to.revisionObjects = from.revisionObjects;
    to.pagesDown = from.pagesDown;
    to.pagesAcross = from.pagesAcross;
}

unsigned char lowerAscii(unsigned char c) { return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c + 32) : c; }

std::int32_t centre(std::int32_t a, std::int32_t b) {
    // Halved rounding down, without overflow.
    return static_cast<std::int32_t>((static_cast<std::int64_t>(a) + b) >> 1);
}

} // namespace

// ---- folio commands ------------------------------------------------------------------

Folio* saoDoc::adoptFolio(std::unique_ptr<Folio> folio) {
    folio->serial = takeNextSerial();
    Folio& added = insertFolio(std::move(folio));
    changeFolioList(&added, kFolioAdded);
    // A copied or pasted folio's wires whose links did not survive the copy (an
    // end on an object left out, or a damaged block) attach to what lies under
    // their free ends.
    added.connectLooseWireEnds();
    if (!added.objects.empty() && added.useCount == 0) {
        // Nobody holds the new folio: its objects go to the store like a release's.
        writeFolioObjects(added);
        added.destroyObjects();
    }
    return &added;
}

Folio* saoDoc::addFolio(const FolioDialog& dialog) {
    auto folio = newFolio();
    if (!dialog || !dialog(*folio, FolioDialogKind::NewFolio))
        return nullptr;
    return adoptFolio(std::move(folio));
}

bool saoDoc::editFolioInformation(Folio& folio, const FolioDialog& dialog) {
    // The dialog edits a copy: the folio changes only on OK.
    Folio edited(this);
    copyIdentification(folio, edited);
    if (!dialog || !dialog(edited, FolioDialogKind::Information))
        return false;
    copyIdentification(edited, folio);
    if (folio.pagesDown == 0)
        folio.pagesDown = 1;
    if (folio.pagesAcross == 0)
        folio.pagesAcross = 1;
    changeFolioList(&folio, kFolioResorted);
    return true;
}

bool saoDoc::deleteFolio(Folio& folio) {
    if (folios.size() <= 1) {
        userInterface().messageBox(strings::kCannotDeleteOnlyFolio, strings::kDeleteFolioCaption,
                                   MessageIcon::Warning);
        return false;
    }
    MessageAnswer answer = userInterface().messageBox(
        strings::format(strings::kDeleteFolioQuestion, cp1252ToUtf8(folio.number)), strings::kDeleteFolioCaption,
        MessageIcon::Question, MessageButtons::YesNoCancel);
    if (answer != MessageAnswer::Yes)
        return false;
    changeFolioList(&folio, kFolioDeleted);
    return true;
}

bool saoDoc::fillCopy(Folio& target, Buffer& buffer, bool withHeader) {
    userInterface().startProgress(buffer.capacity(), strings::format(strings::kReadingProgress, title()));
    bool ok = withHeader ? target.readClipboardData(buffer) : target.readObjects(buffer, ReadMode::Load);
    if (!withHeader)
        target.relinkWires();
    userInterface().resetProgress();
    return ok;
}

Folio* saoDoc::copyFolioUnderAnotherName(Folio& source, const FolioDialog& dialog) {
    auto copy = newFolio();
    copyIdentification(source, *copy);
    copy->date = Folio::today();
    source.acquire();
    source.renumberObjects();
    Buffer buffer;
    source.writeObjects(buffer, WhichObjects::All);
    buffer.allocateMeasured();
    source.writeObjects(buffer, WhichObjects::All);
    source.release(false);
    fillCopy(*copy, buffer, false);
    if (!dialog || !dialog(*copy, FolioDialogKind::NewFolio))
        return nullptr;
    return adoptFolio(std::move(copy));
}

bool saoDoc::copyFolioToClipboard(Folio& folio) {
    folio.acquire();
    std::vector<std::uint8_t> data = folio.clipboardData();
    folio.release(false);
    if (data.empty())
        return false;
    return userInterface().setClipboardData(kFolioFormat, std::move(data));
}

Folio* saoDoc::pasteFolioFromClipboard() {
    std::optional<std::vector<std::uint8_t>> data = userInterface().clipboardData(kFolioFormat);
    if (!data || data->empty()) {
        userInterface().messageBox(strings::kPasteNoMemory, strings::kPasteCaption, MessageIcon::Warning);
        return nullptr;
    }
    Buffer buffer(std::move(*data));
    if (buffer.failed()) {
        userInterface().messageBox(strings::kPasteNoMemory, strings::kPasteCaption, MessageIcon::Warning);
        return nullptr;
    }
    auto folio = newFolio();
    userInterface().startProgress(buffer.capacity(), strings::format(strings::kReadingProgress, title()));
    bool headerRead = folio->readHeader(buffer);
    if (headerRead) {
        // A damaged object list keeps the objects read before the damage (logged).
        folio->readObjects(buffer, ReadMode::Load);
        folio->relinkWires();
    }
    userInterface().resetProgress();
    if (!headerRead) {
        userInterface().messageBox(strings::kPasteNoMemory, strings::kPasteCaption, MessageIcon::Warning);
        return nullptr;
    }
    return adoptFolio(std::move(folio));
}

Folio* saoDoc::findFolioForSelection(Folio& folio) const {
    for (const auto& shape : folio.objects) {
        if (!shape->alive || !shape->selected || shape->data.empty())
            continue;
        const std::string& text = shape->data;
        for (const auto& candidate : folios) {
            const std::string& number = candidate->number;
            if (number.size() < text.size())
                continue;
            bool same = true;
            for (std::size_t i = 0; i < text.size() && same; ++i)
                same = lowerAscii(static_cast<unsigned char>(number[i])) ==
                       lowerAscii(static_cast<unsigned char>(text[i]));
            if (same)
                return candidate.get();
        }
    }
    return nullptr;
}

// ---- the selection --------------------------------------------------------------------
// The selection summary and the undoable operations on the selection (move, style
// change, delete, rotation, symmetry, alignment) belong to store/selection.h and
// store/undo.h; the operations below need only the folio.

Shape* saoDoc::singleSelected(Folio& folio) const {
    Shape* single = nullptr;
    for (auto& shape : folio.objects) {
        if (!shape->alive || !shape->selected)
            continue;
        if (single)
            return nullptr;
        single = shape.get();
    }
    return single;
}

Shape* saoDoc::selectNeighbour(Folio& folio, ArrowKey key) const {
    Shape* selection = singleSelected(const_cast<Folio&>(folio));
    if (!selection)
        return nullptr;
    const Rect s = selection->outline;
    const std::int32_t scx = centre(s.left, s.right);
    const std::int32_t scy = centre(s.top, s.bottom);
    Shape* best = nullptr;
    std::int32_t bestCentre = 0;
    for (auto it = folio.objects.rbegin(); it != folio.objects.rend(); ++it) {
        Shape* other = it->get();
        if (other == selection || !other->alive)
            continue;
        const Rect o = other->outline;
        const bool overlapsVertically = o.top <= s.bottom && o.bottom >= s.top;
        const bool overlapsHorizontally = o.left <= s.right && o.right >= s.left;
        const std::int32_t cx = centre(o.left, o.right);
        const std::int32_t cy = centre(o.top, o.bottom);
        bool better = false;
        switch (key) {
        case ArrowKey::Left: better = overlapsVertically && cx < scx && (!best || cx > bestCentre); break;
        case ArrowKey::Right: better = overlapsVertically && cx > scx && (!best || cx < bestCentre); break;
        case ArrowKey::Up: better = overlapsHorizontally && cy < scy && (!best || cy > bestCentre); break;
        case ArrowKey::Down: better = overlapsHorizontally && cy > scy && (!best || cy < bestCentre); break;
        }
        if (better) {
            best = other;
            bestCentre = key == ArrowKey::Left || key == ArrowKey::Right ? cx : cy;
        }
    }
    return best;
}

bool saoDoc::changeZOrder(Folio& folio, ZOrder operation) {
    // Not undoable: the pending action is closed first.
    closePendingAction();
    Shape* selection = singleSelected(folio);
    if (!selection)
        return false;
    auto& list = folio.objects;
    auto it = std::find_if(list.begin(), list.end(), [&](const auto& s) { return s.get() == selection; });
    const std::size_t at = static_cast<std::size_t>(it - list.begin());
    std::size_t to = at;
    switch (operation) {
    case ZOrder::BringToFront: to = list.size() - 1; break;
    case ZOrder::BringForward: to = std::min(at + 1, list.size() - 1); break;
    case ZOrder::SendBackward: to = at == 0 ? 0 : at - 1; break;
    case ZOrder::SendToBack: to = 0; break;
    }
    if (to == at)
        return false;
    std::unique_ptr<Shape> moved = std::move(list[at]);
    list.erase(list.begin() + static_cast<std::ptrdiff_t>(at));
    list.insert(list.begin() + static_cast<std::ptrdiff_t>(to), std::move(moved));
    // The stacking order is stored with the folio.
    setModified();
    notifyAreaChanged(folio, selection->outline);
    return true;
}

bool saoDoc::takeStyleAsModel(Folio& folio) {
    Shape* selection = singleSelected(folio);
    if (!selection)
        return false;
    if (selection->isWire())
        wireStyle = selection->style;
    else
        objectStyle = selection->style;
    // The default styles are stored in the header.
    setModified();
    return true;
}

// ---- desktop operations ------------------------------------------------------------------

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

void saoDoc::stopMidi() { desktopServices().stopMidi(); }

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
