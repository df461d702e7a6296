// Writes a DXF drawing (views/dxfdrawing.h) as an ASCII DXF file of the
// 2000 release through dxflib: millimetres ($INSUNITS 4), Windows-1252 texts
// ($DWGCODEPAGE ANSI_1252), the layers of the families of objects, the dashed
// and dash-dot line types, one block per symbol with its label attributes.
#pragma once

#include "views/dxfdrawing.h"

#include <filesystem>
#include <string>

namespace plexo {

// The tag of the n-th label (1-based) of a symbol: "LIBELLE1", "LIBELLE2"...
std::string dxfAttributeTag(int n);

// The whole file's text.
std::string dxfText(const DxfDrawing& drawing);

// Writes the file; false with a French message when it cannot be written whole.
bool writeDxfFile(const DxfDrawing& drawing, const std::filesystem::path& path, std::string& error);

} // namespace plexo
