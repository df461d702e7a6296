// Making a symbol from a bitmap file: the symbol takes the file's name, and the
// picture becomes the first object of its drawing once it is opened for editing.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

namespace plexo {

class Lib;
class LibNode;
class saoDib;

// The symbol name for a picture file (Windows-1252): its file name without a final
// ".bmp" (any case); empty when the file name is shorter than 4 characters.
std::string symbolNameForImage(const std::filesystem::path& file);

struct ImportedSymbol {
    LibNode* node = nullptr;         // the new symbol, of type "Symbole"
    std::unique_ptr<saoDib> picture; // for its editing document
};

// Reads the bitmap, then creates the symbol under parent (a library or a folder)
// with the name checks of the creation dialog. Nothing is created, after a
// message, when the file is not a readable bitmap or the name is refused; nothing
// either, silently, when the file name is too short.
ImportedSymbol importSymbolFromImage(Lib& lib, LibNode& parent, const std::filesystem::path& file);

} // namespace plexo
