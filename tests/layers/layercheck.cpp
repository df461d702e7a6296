#include "layers/layercheck.h"

#include <algorithm>
#include <cctype>
#include <fstream>

namespace plexo::test {

namespace {

bool inFolder(const std::string& path, const std::string& folder) {
    return path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 &&
           path[folder.size()] == '/';
}

const FolderRule* ruleOf(const std::string& path, const std::vector<FolderRule>& rules) {
    const FolderRule* best = nullptr;
    for (const FolderRule& rule : rules)
        if (inFolder(path, rule.folder) && (!best || rule.folder.size() > best->folder.size()))
            best = &rule;
    return best;
}

// The target of an #include line: its text between the delimiters and whether
// it was quoted; false for any other line.
bool includeOf(const std::string& line, std::string& target, bool& quoted) {
    std::size_t i = line.find_first_not_of(" \t");
    if (i == std::string::npos || line[i] != '#')
        return false;
    i = line.find_first_not_of(" \t", i + 1);
    if (i == std::string::npos || line.compare(i, 7, "include") != 0)
        return false;
    i = line.find_first_of("\"<", i + 7);
    if (i == std::string::npos)
        return false;
    quoted = line[i] == '"';
    const std::size_t end = line.find(quoted ? '"' : '>', i + 1);
    if (end == std::string::npos)
        return false;
    target = line.substr(i + 1, end - i - 1);
    return true;
}

bool isQtHeader(const std::string& target) {
    return target.size() > 1 && target[0] == 'Q' &&
           (std::isupper(static_cast<unsigned char>(target[1])) || target.compare(0, 2, "Qt") == 0);
}

} // namespace

std::vector<FolderRule> projectLayers() {
    const std::vector<std::string> core = {"base", "shapes", "store", "library", "jcl", "midi"};
    auto with = [](std::vector<std::string> folders, std::initializer_list<const char*> more) {
        folders.insert(folders.end(), more.begin(), more.end());
        return folders;
    };
    std::vector<std::string> views = with(core, {"edit", "shell", "views", "library/browser", "midi/view"});
    return {
        {"base", {"base"}},
        {"shapes", {"base", "shapes"}},
        {"store", {"base", "shapes", "store"}},
        {"library", {"base", "shapes", "store", "library"}},
        {"jcl", {"base", "shapes", "store", "library", "jcl"}},
        {"midi", {"base", "shapes", "store", "library", "midi"}},
        {"shell", {"base", "shapes", "store", "shell"}},
        {"edit", with(core, {"shell", "edit"})},
        {"views", views, false},
        {"library/browser", views, false},
        {"midi/view", views, false},
        {"app", with(views, {"app"}), false},
    };
}

std::vector<LayerException> projectLayerExceptions() {
    // No file sits outside its folder's layer today; a file that must (while it
    // moves to its layer) is named here with the folder it may also use.
    return {};
}

std::string folderOf(const std::string& path, const std::vector<FolderRule>& rules) {
    const FolderRule* rule = ruleOf(path, rules);
    return rule ? rule->folder : std::string();
}

std::vector<LayerViolation> findLayerViolations(const std::filesystem::path& root,
                                                const std::vector<FolderRule>& rules,
                                                const std::vector<LayerException>& exceptions) {
    std::vector<LayerViolation> found;
    std::error_code error;
    for (auto it = std::filesystem::recursive_directory_iterator(root, error);
         !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
        const std::filesystem::path& file = it->path();
        if (!it->is_regular_file() || (file.extension() != ".h" && file.extension() != ".cpp"))
            continue;
        const std::string path = file.lexically_relative(root).generic_string();
        const FolderRule* rule = ruleOf(path, rules);
        if (!rule)
            continue;
        std::ifstream in(file);
        std::string line, target;
        bool quoted = false;
        for (int number = 1; std::getline(in, line); ++number) {
            if (!includeOf(line, target, quoted))
                continue;
            bool allowed = true;
            if (!quoted) {
                allowed = !(rule->qtFree && isQtHeader(target));
            } else if (const FolderRule* used = ruleOf(target, rules)) {
                allowed =
                    std::find(rule->mayUse.begin(), rule->mayUse.end(), used->folder) != rule->mayUse.end() ||
                    std::any_of(exceptions.begin(), exceptions.end(), [&](const LayerException& e) {
                        return e.file == path && e.folder == used->folder;
                    });
            }
            if (!allowed)
                found.push_back({path, number, target});
        }
    }
    std::sort(found.begin(), found.end(), [](const LayerViolation& a, const LayerViolation& b) {
        return a.file != b.file ? a.file < b.file : a.line < b.line;
    });
    return found;
}

} // namespace plexo::test
