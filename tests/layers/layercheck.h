// The layering of the source folders: which folders the files of each folder
// may include, and a scan of a source tree for the includes that break it.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace plexo::test {

struct FolderRule {
    std::string folder;              // "store", "library/browser"...
    std::vector<std::string> mayUse; // folders its files may include (itself included)
    bool qtFree = true;              // no Qt header at all
};

// One file allowed to break its folder's rule, with the reason.
struct LayerException {
    std::string file;   // path from the source root
    std::string folder; // the folder it may include besides its own rule
};

struct LayerViolation {
    std::string file; // path from the source root
    int line = 0;
    std::string include;
    friend bool operator==(const LayerViolation&, const LayerViolation&) = default;
};

// The project's table: base ← shapes ← store ← library ← (jcl, midi), the Qt
// views above the core, the Qt-free shell and editor logic, app above all.
std::vector<FolderRule> projectLayers();
std::vector<LayerException> projectLayerExceptions();

// The folder a path (from the source root) belongs to: the longest folder of
// the table it lies in; empty when none.
std::string folderOf(const std::string& path, const std::vector<FolderRule>& rules);

// Every quoted include of a folder of the table that the including file's
// folder may not use, and every Qt include (<Q...>) of a Qt-free folder, in the
// .h and .cpp files under root (sorted by file, then line).
std::vector<LayerViolation> findLayerViolations(const std::filesystem::path& root,
                                                const std::vector<FolderRule>& rules,
                                                const std::vector<LayerException>& exceptions);

} // namespace plexo::test
