#include "shapes/fontlist.h"

#include "base/log.h"
#include "base/textcodec.h"

#include <algorithm>

namespace plexo {

void FontList::setInstalledFonts(const std::vector<std::string>& names) {
    clear();
    for (const std::string& name : names) {
        if (static_cast<int>(names_.size()) >= kMaxInstalledFonts)
            break;
        if (name.empty() || std::find(names_.begin(), names_.end(), name) != names_.end())
            continue;
        names_.push_back(name);
    }
    std::sort(names_.begin(), names_.end());
}

int FontList::fontIndexByName(std::string_view name) const {
    if (name.empty())
        return 0;
    for (std::size_t i = 0; i < names_.size(); ++i) {
        if (names_[i] == name)
            return static_cast<int>(i) + 1;
    }
    return 0;
}

const std::string* FontList::fontNameByIndex(int index) const {
    if (index < 0 || index >= size())
        return nullptr;
    return &names_[static_cast<std::size_t>(index)];
}

std::string FontList::faceName(int fontIndex) const {
    const std::string* name = fontNameByIndex(fontIndex - 1);
    return name ? *name : std::string();
}

int FontList::addFace(std::string_view name) {
    if (name.empty())
        return 0;
    if (int index = fontIndexByName(name))
        return index;
    if (added_ >= kMaxAddedFaces) {
        if (!refusalLogged_) {
            refusalLogged_ = true;
            logMessage(0, 0, kError,
                       "Attention, trop de polices inconnues : la police '" + cp1252ToUtf8(name) +
                           "' et les suivantes sont remplacées par la police par défaut.",
                       false);
        }
        return 0;
    }
    ++added_;
    names_.emplace_back(name);
    return size();
}

FontList& fontList() {
    static FontList list;
    return list;
}

} // namespace plexo
