// A folio as a DXF drawing for CAD programs, drawn by the same renderer as the
// screen onto the DXF surface: page borders, the title block of every page,
// then every object on the layer of its family. A symbol instance becomes an
// insert of its symbol's block (defined once per symbol, its terminals kept as
// points) with its labels as attributes.
#pragma once

#include "views/dxfdrawing.h"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>

namespace plexo {

class Folio;

// The zoom the folio is drawn at: 200 %, half a point to the output pixel.
constexpr int kDxfZoom = 8;

// The layer of an object kind.
const char* dxfLayerOf(int kind);

// Told how many of the folio's objects are done, every so often.
using DxfProgress = std::function<void(std::size_t done, std::size_t total)>;

// The folio's objects must be loaded (acquire).
DxfDrawing folioDxf(Folio& folio, const DxfProgress& progress = {});

// Writes the folio's DXF file; false with a French message when it cannot.
bool writeFolioDxf(Folio& folio, const std::filesystem::path& path, std::string& error,
                   const DxfProgress& progress = {});

// The editor's export: the busy cursor, the status bar's progress gauge on
// large folios, and a message box (caption "Exporter en DXF") on failure.
bool exportFolioDxf(Folio& folio, const std::filesystem::path& path);

// The file offered for a folio's export: "<document>-<folio number>.dxf"
// beside the document ("Sans titre" for an untitled one), the folio number
// (Windows-1252) made fit for a file name.
std::filesystem::path suggestedDxfPath(const std::filesystem::path& document, const std::string& folioNumber);

} // namespace plexo
