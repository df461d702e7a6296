// The schéma view's clipboard: copy, cut, paste and duplicate of the selected
// objects of a folio. Objects travel in the private format "Plexo100PP" (the
// folio's object list); plain text from other programs is pasted as a text object.
// Pasted and duplicated objects are recorded as one "coller" action, selected,
// placed with the top-left of their extent on a given document point, and joined
// among themselves only: a pasted wire never joins the objects it was copied from.
#pragma once

#include "shapes/point.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace plexo {

class Folio;
class saoDoc;

class Surface;
class saoDib;
struct ClipboardImage;

// The private format of the objects on the clipboard.
constexpr const char* kObjectsFormat = "Plexo100PP";

namespace clipstr {
inline constexpr const char* kPasteImageFailed = "Impossible de coller l'image.";
} // namespace clipstr

// The selected alive objects of folio as an object list (renumbered first, so
// that wire ends name their objects). Empty when the buffer failed.
std::vector<std::uint8_t> selectedObjectsData(Folio& folio);

// What the picture offered with copied objects shows.
enum class PictureOf { Selection, WholeFolio };

// The extent of the pictured objects (the union of their outlines): the selected
// alive objects, or every alive object; (0, 0, -1, -1) when there is none.
Rect picturedExtent(const Folio& folio, PictureOf what = PictureOf::Selection);
// Draws the pictured objects at natural size (one document point to one output
// unit), their extent's top-left at the output's origin, without handles.
void drawPictured(const Folio& folio, Surface& surface, PictureOf what = PictureOf::Selection);

// Copy (24323): the selection goes to the clipboard, with a picture of it for
// other programs. False when nothing was copied. With WholeFolio (801) the
// picture shows every alive object of the folio; the data still carries the
// selected objects only.
bool copySelection(Folio& folio, PictureOf what = PictureOf::Selection);
// Cut (24322): copy, then delete the selection ("suppression").
bool cutSelection(saoDoc& document, Folio& folio);

// Paste (24324): the private format first, then plain text, then an image. origin is the
// document point under the pane's pixel (10, 10); a pasted text's box is fitted to
// its lines at the zoom level. False, with a message, when nothing could be
// pasted; a failure leaves no object behind and nothing to undo.
bool pasteFromClipboard(saoDoc& document, Folio& folio, Point origin, int zoom = 5);
// Whether paste has something to take.
bool clipboardCanPaste();

// Duplicate (727): the selection is copied without the clipboard and pasted at origin.
bool duplicateSelection(saoDoc& document, Folio& folio, Point origin);

// Pastes an object list read from data; the objects are placed at origin. False
// (and nothing changed) when the data does not decode (with a message) or holds
// no object.
bool pasteObjects(saoDoc& document, Folio& folio, const std::vector<std::uint8_t>& data, Point origin);

// A new picture object (kind 11) holding the image, placed at origin; "Impossible
// de coller l'image." when the image cannot be kept.
bool pasteImage(saoDoc& document, Folio& folio, const ClipboardImage& image, Point origin);

// A new picture object (kind 11) holding the bitmap, placed at origin; false
// (nothing changed) when the bitmap is not usable.
bool pastePicture(saoDoc& document, Folio& folio, std::unique_ptr<saoDib> dib, Point origin);
// A new MIDI shortcut (kind 23) naming the file (Windows-1252 path), placed at origin.
bool pasteMidiShortcut(saoDoc& document, Folio& folio, const std::string& path, Point origin);

// The displacement that brings the top-left of the objects from index first to
// origin, snapped to the secondary grid when the document's snap switch is on.
Point placementOffset(const saoDoc& document, const Folio& folio, std::size_t first, Point origin);

} // namespace plexo
