#include "shell/recentfiles.h"

#include "shell/settings.h"

#include <algorithm>

namespace plexo {
namespace {

constexpr const char* kSection = "MRU";

std::string entryKey(int index) {
    return "File" + std::to_string(index + 1);
}

} // namespace

void RecentFiles::read(const ProfileFile& profile) {
    entries_.clear();
    int count = std::clamp(parseProfileInteger(profile.readString(kSection, "Count", "0")), 0, maxEntries_);
    for (int i = 0; i < count; ++i) {
        auto path = profile.readString(kSection, entryKey(i));
        if (path && !path->empty() && std::find(entries_.begin(), entries_.end(), *path) == entries_.end())
            entries_.push_back(*path);
    }
}

void RecentFiles::write(ProfileFile& profile) const {
    profile.writeString(kSection, "Count", formatProfileInteger(static_cast<int>(entries_.size())));
    for (int i = 0; i < maxEntries_; ++i) {
        if (i < static_cast<int>(entries_.size()))
            profile.writeString(kSection, entryKey(i), entries_[i]);
        else
            profile.removeKey(kSection, entryKey(i));
    }
}

void RecentFiles::add(const std::string& path) {
    if (path.empty())
        return;
    remove(path);
    entries_.insert(entries_.begin(), path);
    if (static_cast<int>(entries_.size()) > maxEntries_)
        entries_.resize(maxEntries_);
}

void RecentFiles::remove(const std::string& path) {
    std::erase(entries_, path);
}

} // namespace plexo
