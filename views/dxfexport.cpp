#include "views/dxfexport.h"

#include "base/format.h"
#include "base/textcodec.h"
#include "base/userinterface.h"
#include "shapes/geometry.h"
#include "shapes/infosymbole.h"
#include "shapes/render.h"
#include "shapes/shape.h"
#include "shapes/titlefields.h"
#include "shapes/units.h"
#include "store/folio.h"
#include "store/foliorenderer.h"
#include "views/dxfsurface.h"
#include "views/dxfwriter.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <set>

namespace plexo {
namespace {

constexpr double kPointMm = 25.4 / 72;
// The progress is told after every so many objects.
constexpr std::size_t kProgressStep = 256;
// Folios with at least this many objects show the progress gauge.
constexpr std::size_t kProgressThreshold = 2000;

// The output pixels of a document point at the export's zoom.
Point pixelsOf(Point p) {
    return {toPixels(p.x, kDxfZoom), toPixels(p.y, kDxfZoom)};
}

double millimetresPerPixel() {
    // Measured on a long length, so that the ratio is exact at every zoom.
    constexpr std::int32_t kLength = 1000 * kUnitsPerPoint;
    return kPointMm * 1000 / toPixels(kLength, kDxfZoom);
}

// A block name CAD programs accept: without the characters their name rules refuse.
std::string blockNameFrom(const std::string& symbolName) {
    std::string name;
    for (char c : symbolName) {
        const auto u = static_cast<unsigned char>(c);
        const bool refused = u < 32 || std::string_view("<>/\\\":;?*|,=`").find(c) != std::string_view::npos;
        name += refused ? '_' : c;
    }
    return name.empty() ? "SYMBOLE" : name;
}

std::string upper(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

class FolioExporter {
public:
    explicit FolioExporter(Folio& folio)
        : folio_(folio),
          surface_(millimetresPerPixel(), toPixels(folio.extent().bottom, kDxfZoom) * millimetresPerPixel()) {
        context_ = renderContextOf(folio, kDxfZoom);
        context_.showTerminals = false; // as on paper
        const Rect extent = folio.extent();
        drawing_.extentMin = surface_.toDxf(pixelsOf({extent.left, extent.bottom}));
        drawing_.extentMax = surface_.toDxf(pixelsOf({extent.right, extent.top}));
        // A few entities per object: reserved, so that they are not moved as the list grows.
        drawing_.entities.reserve(4 * folio.objects.size() + 64);
        surface_.setTarget(&drawing_.entities);
    }

    DxfDrawing run(const DxfProgress& progress) {
        surface_.setLayer(dxflayer::kPageBorders);
        drawPageBorders(folio_, surface_, kDxfZoom, {0, 0, 0});
        surface_.setLayer(dxflayer::kTitleBlock);
        drawTitleBlocks(folio_, surface_, context_);
        const std::size_t total = folio_.objects.size();
        for (std::size_t i = 0; i < total; ++i) {
            Shape* object = folio_.objects[i].get();
            if (object && object->alive) {
                surface_.setLayer(dxfLayerOf(object->kind));
                if (object->kind == kSymbol)
                    symbol(*object);
                else
                    draw(*object, surface_, context_, false);
            }
            if (progress && (i + 1) % kProgressStep == 0)
                progress(i + 1, total);
        }
        if (progress)
            progress(total, total);
        return std::move(drawing_);
    }

private:
    // An insert of the symbol's block, its labels as attributes; an instance
    // whose drawing is missing is drawn as the screen draws it.
    void symbol(Shape& instance) {
        SymbolDrawing drawing;
        if (!instance.infoSymbole || !symbolDrawingOf(instance, drawing)) {
            draw(instance, surface_, context_, false);
            return;
        }
        drawShadow(instance, surface_, context_);
        const std::size_t blockIndex = blockFor(*instance.infoSymbole, drawing);
        DxfEntity insert;
        insert.kind = DxfKind::Insert;
        insert.style.layer = dxflayer::kSymbols;
        insert.style.colourIndex = 256; // by layer: the block's entities carry their own colours
        insert.name = drawing_.blocks[blockIndex].name;
        const Point at = instance.points.empty() ? Point{} : instance.points[0];
        insert.points = {surface_.toDxf(pixelsOf(at))};
        insert.rotation = instance.angle;
        // The stretch applies along the folio's axes after the turn: a quarter
        // turn exchanges the block's axes.
        const Point half = drawing.halfSize();
        const double sx = half.x != 0 ? 1 + static_cast<double>(instance.epx) / half.x : 1;
        const double sy = half.y != 0 ? 1 + static_cast<double>(instance.epy) / half.y : 1;
        const bool quarter = instance.angle == 90 || instance.angle == 270;
        insert.scaleX = quarter ? sy : sx;
        insert.scaleY = quarter ? sx : sy;
        labels(instance, drawing, insert);
        drawing_.blocks[blockIndex].attributeCount =
            std::max(drawing_.blocks[blockIndex].attributeCount,
                     static_cast<int>(instance.infoSymbole->labels.size()));
        drawing_.entities.push_back(std::move(insert));
    }

    // The labels drawn in place; their texts become the insert's attributes,
    // "LIBELLE1" for the first label's text and so on.
    void labels(Shape& instance, const SymbolDrawing& drawing, DxfEntity& insert) {
        surface_.setAttributeTarget(&insert.attributes);
        int n = 0;
        for (Etiquette& label : instance.infoSymbole->labels) {
            ++n;
            if (!label.shape)
                continue;
            const std::size_t first = insert.attributes.size();
            refreshLabel(label, instance, context_.printedPage);
            Shape& shape = *label.shape;
            const ShapeGeometryCopy kept = shape.geometryCopy;
            placeInSymbol(shape, instance, drawing);
            draw(shape, surface_, context_, false);
            unplaceFromSymbol(shape);
            shape.geometryCopy = kept;
            for (std::size_t i = first; i < insert.attributes.size(); ++i) {
                insert.attributes[i].name =
                    i == first ? dxfAttributeTag(n) : format("%s_%zu", dxfAttributeTag(n), i - first + 1);
                insert.attributes[i].style.layer = dxflayer::kSymbols;
            }
        }
        surface_.setAttributeTarget(nullptr);
    }

    // The block of a symbol, drawn the first time the symbol is met: the
    // drawing's objects in the library's own place, the drawing's centre as
    // the base point, terminals as points.
    std::size_t blockFor(const InfoSymbole& info, const SymbolDrawing& drawing) {
        const void* key = info.node;
        if (const auto found = blocks_.find(key); found != blocks_.end())
            return found->second;
        DxfBlock block;
        block.name = uniqueBlockName(blockNameFrom(info.name));
        block.base = surface_.toDxf(pixelsOf(drawing.centre()));
        drawing_.blocks.push_back(std::move(block));
        const std::size_t index = drawing_.blocks.size() - 1;
        blocks_.emplace(key, index);

        std::vector<DxfEntity>& entities = drawing_.blocks[index].entities;
        surface_.setTarget(&entities);
        surface_.setLayer(dxflayer::kBlockContents);
        for (Shape* object : drawing.objects) {
            if (!object || object->kind == kTextZone || object->kind == kSymbolText)
                continue;
            if (object->kind == kTerminal) {
                if (object->points.empty())
                    continue;
                DxfEntity point;
                point.kind = DxfKind::Point;
                point.style.layer = dxflayer::kTerminals;
                point.style.colourIndex = 1;
                point.points = {surface_.toDxf(pixelsOf(object->points[0]))};
                entities.push_back(std::move(point));
                continue;
            }
            draw(*object, surface_, context_, false);
        }
        surface_.setTarget(&drawing_.entities);
        surface_.setLayer(dxflayer::kSymbols);
        return index;
    }

    std::string uniqueBlockName(const std::string& wanted) {
        std::string name = wanted;
        for (int n = 2; !blockNames_.insert(upper(name)).second; ++n)
            name = format("%s_%d", wanted, n);
        return name;
    }

    Folio& folio_;
    DxfSurface surface_;
    RenderContext context_;
    DxfDrawing drawing_;
    std::map<const void*, std::size_t> blocks_;
    std::set<std::string> blockNames_;
};

} // namespace

const char* dxfLayerOf(int kind) {
    switch (kind) {
    case kText:
    case kTextZone:
    case kSymbolText:
        return dxflayer::kTexts;
    case kSymbol:
        return dxflayer::kSymbols;
    case kWire:
    case kCable:
        return dxflayer::kWires;
    case kTerminal:
        return dxflayer::kTerminals;
    default:
        return dxflayer::kShapes;
    }
}

DxfDrawing folioDxf(Folio& folio, const DxfProgress& progress) {
    return FolioExporter(folio).run(progress);
}

bool writeFolioDxf(Folio& folio, const std::filesystem::path& path, std::string& error,
                   const DxfProgress& progress) {
    return writeDxfFile(folioDxf(folio, progress), path, error);
}

bool exportFolioDxf(Folio& folio, const std::filesystem::path& path) {
    UserInterface& ui = userInterface();
    ui.beginBusy();
    const bool gauge = folio.objects.size() >= kProgressThreshold;
    if (gauge)
        ui.startProgress(static_cast<int>(folio.objects.size()), "Exportation DXF");
    std::string error;
    const bool written = writeFolioDxf(folio, path, error, [&](std::size_t done, std::size_t) {
        if (gauge)
            ui.advanceProgress(static_cast<int>(done));
    });
    if (gauge)
        ui.resetProgress();
    ui.endBusy();
    if (!written)
        ui.messageBox(error, "Exporter en DXF", MessageIcon::Error);
    return written;
}

std::filesystem::path suggestedDxfPath(const std::filesystem::path& document, const std::string& folioNumber) {
    std::string number = cp1252ToUtf8(folioNumber);
    for (char& c : number)
        if (c == '/' || c == '\\' || static_cast<unsigned char>(c) < 32)
            c = '_';
    const std::string stem = document.empty() ? "Sans titre" : document.stem().string();
    const std::string name = number.empty() ? stem + ".dxf" : stem + "-" + number + ".dxf";
    return document.empty() ? std::filesystem::path(name) : document.parent_path() / name;
}

} // namespace plexo
