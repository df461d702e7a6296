// "Coller à partir de (.bmp et .mid)..." (711): a ".bmp" file becomes a picture
// object, a ".mid" file a MIDI shortcut naming it; either is pasted like the
// clipboard's objects.
#pragma once

#include "shapes/point.h"

#include <filesystem>

namespace plexo {

class Folio;
class saoDoc;

// The file chooser's filter.
inline constexpr const char* kPasteFileFilter = "Fichiers importables (*.bmp *.mid)";

// Pastes the file at origin (the document point under the pane's pixel (10, 10)).
// The last three characters of the file's name decide, whatever their case; a
// name shorter than four characters or another extension does nothing. A file
// that cannot be loaded says "Impossible d'ouvrir le fichier." with the file's
// name as caption. True when an object was pasted.
bool pasteFromFile(saoDoc& document, Folio& folio, const std::filesystem::path& file, Point origin);

} // namespace plexo
