// Cutting a symbol out of its library onto the clipboard and pasting it into
// a library or folder, in the clipboard format "Plex3100PP": the symbol's node
// record (the tree record's layout), then a 32-bit length and the bytes of its
// drawing record (5, id), then a 32-bit length and the bytes of its header
// record (4, id).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace plexo {

class LibNode;

// The clipboard block of a symbol with the two records' bytes.
std::vector<std::uint8_t> symbolClipboardBlock(const LibNode& symbol, std::string_view drawing,
                                               std::string_view header);

// Puts the symbol on the clipboard, then frees its records, takes it out of the
// tree and saves its library's tree. Refused (false, nothing changed) for a
// symbol in use or being edited, without an owning library, or when the
// clipboard does not take the block. A symbol never edited has no records: it
// travels with two empty blocks.
bool cutSymbol(LibNode& symbol);

// Pastes the clipboard's symbol under parent (a library or a folder) with the
// next free id and a free name (see freeSymbolName); writes its two records and
// saves the tree. The clipboard keeps its content. nullptr, after a message,
// when it cannot be done; nullptr without a message when the clipboard holds no
// symbol.
LibNode* pasteSymbol(LibNode& parent);

// The name itself when no node of the tree has it (ignoring case), otherwise
// "name-2", "name-3"... the first one that is free.
std::string freeSymbolName(const LibNode& anyNodeOfTree, std::string_view name);

} // namespace plexo
