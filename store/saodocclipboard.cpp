// A whole folio through the clipboard (format "Plex2100PP").
#include "store/saodoc.h"

#include "base/buffer.h"
#include "base/userinterface.h"
#include "store/folio.h"
#include "store/folioholder.h"
#include "store/storestrings.h"

namespace plexo {

bool saoDoc::copyFolioToClipboard(Folio& folio) {
    std::vector<std::uint8_t> data;
    {
        FolioHolder held(folio);
        data = held.folio().clipboardData();
    }
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

} // namespace plexo
