// The recent-files list of the "Fichier" menu, kept in the settings file:
// section "MRU", "Count" = number of entries, then "File1" (the most recent)
// to "File<Count>".
#pragma once

#include "shell/profilefile.h"

#include <string>
#include <vector>

namespace plexo {

class RecentFiles {
public:
    static constexpr int kDefaultSize = 9;

    explicit RecentFiles(int maxEntries = kDefaultSize) : maxEntries_(maxEntries) {}

    void read(const ProfileFile& profile);
    void write(ProfileFile& profile) const;

    // Puts path first (moving it up when already listed), dropping the oldest
    // entry when the list is full.
    void add(const std::string& path);
    void remove(const std::string& path);

    const std::vector<std::string>& entries() const { return entries_; }
    int maxEntries() const { return maxEntries_; }

private:
    int maxEntries_;
    std::vector<std::string> entries_; // UTF-8 paths, most recent first
};

} // namespace plexo
