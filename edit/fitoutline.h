// "Ajuster le contour de l'objet" (710) on the selection of a folio.
#pragma once

namespace plexo {

class Folio;
class saoDoc;

// Each alive, selected object of the folio that fits to its content (texts,
// pictures, symbol instances) refits its outline at the zoom level, recorded as
// one "modification"; the wires joined to them follow. False (nothing
// recorded) when no selected object fits or none changed.
bool fitSelectionOutlines(saoDoc& document, Folio& folio, int zoom);

} // namespace plexo
