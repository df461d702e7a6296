#include "edit/pastefile.h"

#include "base/textcodec.h"
#include "base/userinterface.h"
#include "edit/clipboard.h"
#include "shapes/saodib.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <vector>

namespace plexo {

namespace {

constexpr const char* kCannotOpen = "Impossible d'ouvrir le fichier.";

std::string lowerTail(const std::string& name) {
    std::string tail = name.substr(name.size() - 3);
    std::transform(tail.begin(), tail.end(), tail.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return tail;
}

// The file's bytes, none when it cannot be read or is larger than limit.
std::optional<std::vector<std::uint8_t>> readBounded(const std::filesystem::path& file, std::size_t limit) {
    std::error_code error;
    const auto size = std::filesystem::file_size(file, error);
    if (error || size > limit)
        return std::nullopt;
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return bytes;
}

} // namespace

bool pasteFromFile(saoDoc& document, Folio& folio, const std::filesystem::path& file, Point origin) {
    const std::string name = file.filename().string();
    if (name.size() < 4)
        return false;
    const std::string tail = lowerTail(name);
    bool pasted = false;
    if (tail == "bmp") {
        if (std::optional<std::vector<std::uint8_t>> bytes = readBounded(file, kMaxBmpFileBytes))
            pasted =
                pastePicture(document, folio, std::make_unique<saoDib>(saoDib::fromBmpFile(*bytes)), origin);
    } else if (tail == "mid") {
        std::error_code error;
        const std::filesystem::path full = std::filesystem::absolute(file, error);
        if (!error && std::filesystem::is_regular_file(full, error))
            pasted = pasteMidiShortcut(document, folio, utf8ToCp1252(full.string()), origin);
    } else {
        return false;
    }
    if (!pasted)
        userInterface().messageBox(kCannotOpen, name, MessageIcon::Warning);
    return pasted;
}

} // namespace plexo
