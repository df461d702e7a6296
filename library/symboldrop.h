// A library node dropped on a folio of a schéma document: a title-block symbol
// ("Cartouche") becomes the document's title block, shown on every folio; any
// other symbol becomes a symbol object at the drop point, recorded as a
// creation for undo. The drag between the browser and a pane carries a
// reference to the node (its library's name and its id) rather than a pointer,
// so that a node deleted meanwhile is simply not found.
#pragma once

#include "shapes/point.h"

#include <string>
#include <string_view>

namespace plexo {

class Folio;
class Lib;
class LibNode;
class saoDoc;

enum class SymbolDrop { Refused, TitleBlock, Instance };

// Whether a node may be dragged out of the browser: a symbol being edited may
// not ("Vous ne pouvez pas déplacer ou utiliser ce symbole car il est en cours
// d'édition.", shown here).
bool mayDragNode(const LibNode& node);

// Drops node at `at` (document units, not snapped) on folio of document.
// Anything but a named symbol, a symbol being edited (with its message) or a
// symbol whose drawing holds nothing is refused with a beep.
SymbolDrop dropSymbol(saoDoc& document, Folio& folio, LibNode& node, Point at);

// The drag's reference to a folder or symbol node, and the node it names in lib
// (nullptr when none does any more).
std::string dragReference(const LibNode& node);
LibNode* nodeForDragReference(Lib& lib, std::string_view reference);

} // namespace plexo
