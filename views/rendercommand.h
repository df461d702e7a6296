// "plexo render": draws the folios of a schéma document as the editor shows
// them (page borders, the title block on every page, every object; no grid)
// into PNG images, SVG files, one PDF file with a page per page of each folio,
// or DXF files for CAD programs (one per folio, in millimetres). A PDF of the
// whole document (no "--folio") holds the sheets the editor prints, folio after
// folio, with a bookmark per folio (views/print/documentpdf.h).
#pragma once

#include <filesystem>
#include <string>
#include <vector>

class QImage;

namespace plexo {

class Folio;

enum class RenderFormat { Png, Svg, Pdf, Dxf };

struct RenderRequest {
    std::filesystem::path input;
    std::string folio;             // "--folio": a 1-based position or a folio number; empty for all
    int zoom = 5;                  // 0..8
    std::filesystem::path library; // "--library": the symbol library folder; empty when not given
    std::filesystem::path output;
    RenderFormat format = RenderFormat::Png;
};

// Reads the verb's arguments (argv[0] is the verb). False with a French message
// when they are wrong.
bool parseRenderArguments(int argc, char** argv, RenderRequest& request, std::string& error);

// The format named by a file's extension (case-insensitive); false when unknown.
bool renderFormatOf(const std::filesystem::path& path, RenderFormat& format);

// The file of the n-th folio (1-based) when every folio is written to its own
// file: "plan.png" gives "plan-1.png", "plan-2.png"...
std::filesystem::path numberedOutput(const std::filesystem::path& output, int n);

// Images and files of folios whose objects are loaded. A folio larger than
// kMaxImageSide pixels across or down at the zoom is refused.
constexpr int kMaxImageSide = 20000;
QImage renderFolioImage(Folio& folio, int zoom);
bool writeFolioPng(Folio& folio, int zoom, const std::filesystem::path& path, std::string& error);
bool writeFolioSvg(Folio& folio, int zoom, const std::filesystem::path& path, std::string& error);

// The verb: returns 0 when every file was written, 1 on a failure, 2 for wrong
// arguments. usualLibrary is the symbol folder used without "--library" (the
// application's home folder, given by the caller).
int runRenderCommand(int argc, char** argv, const std::filesystem::path& usualLibrary);

} // namespace plexo
