#include "library/libimport.h"

#include "base/format.h"
#include "base/textcodec.h"
#include "base/userinterface.h"
#include "library/lib.h"
#include "library/browserstrings.h"
#include "shapes/saodib.h"

#include <fstream>
#include <iterator>
#include <optional>
#include <system_error>
#include <vector>

namespace plexo {

namespace {

// A file no larger than a bitmap can be; nullopt when it cannot be read.
std::optional<std::vector<std::uint8_t>> readBitmapFile(const std::filesystem::path& file) {
    std::error_code error;
    const auto size = std::filesystem::file_size(file, error);
    if (error || size > kMaxBmpFileBytes)
        return std::nullopt;
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return std::nullopt;
    return std::vector<std::uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

} // namespace

std::string symbolNameForImage(const std::filesystem::path& file) {
    std::string name = utf8ToCp1252(file.filename().string());
    if (name.size() < 4)
        return {};
    if (namesEqualIgnoringCase(name.substr(name.size() - 4), ".bmp"))
        name.resize(name.size() - 4);
    return name;
}

ImportedSymbol importSymbolFromImage(Lib& lib, LibNode& parent, const std::filesystem::path& file) {
    ImportedSymbol imported;
    const std::string name = symbolNameForImage(file);
    if (name.empty())
        return imported;
    std::optional<std::vector<std::uint8_t>> bytes = readBitmapFile(file);
    auto picture = std::make_unique<saoDib>(bytes ? saoDib::fromBmpFile(*bytes) : saoDib());
    if (!picture->isValid()) {
        userInterface().messageBox(format(libstr::kCannotReadImage, file.filename().string()),
                                   libstr::kImportCaption, MessageIcon::Warning);
        return imported;
    }
    imported.node = lib.createNode(parent, NodeKind::Symbol, name, kSymbole);
    if (imported.node)
        imported.picture = std::move(picture);
    return imported;
}

} // namespace plexo
