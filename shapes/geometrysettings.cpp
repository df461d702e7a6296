// What the geometry reads from the document and the libraries: the grid
// settings, the page size and title-block placement, and symbol drawings.
#include "shapes/geometry.h"

#include "library/libnode.h"
#include "shapes/shape.h"
#include "store/folio.h"
#include "store/saodoc.h"

namespace plexo {

namespace {
const saoDoc* documentOf(const Shape& shape) {
    return shape.folio ? shape.folio->document : nullptr;
}
} // namespace

GridSettings gridSettingsOf(const Shape& shape) {
    GridSettings grid;
    if (const saoDoc* doc = documentOf(shape)) {
        grid.horizontal = doc->horizontalGrid;
        grid.vertical = doc->verticalGrid;
        grid.secondary = doc->secondaryGrid;
        grid.unitIsMm = doc->unitIsMm != 0;
        grid.snapToGrid = doc->snapToGrid != 0;
    }
    return grid;
}

bool symbolDrawingOf(const Shape& instance, SymbolDrawing& drawing) {
    drawing = {};
    if (instance.kind != kSymbol || !instance.infoSymbole || !instance.infoSymbole->node)
        return false;
    const LibNode& node = *instance.infoSymbole->node;
    if (!node.drawing || node.drawing->objects.empty())
        return false;
    drawing.objects.reserve(node.drawing->objects.size());
    for (const auto& object : node.drawing->objects)
        drawing.objects.push_back(object.get());
    drawing.bounds = {node.bounds.left, node.bounds.top, node.bounds.right, node.bounds.bottom};
    return true;
}

void placeTitleBlock(Shape& shape) {
    const saoDoc* doc = documentOf(shape);
    if (!doc) {
        placeTitleBlock(shape, 0, false, 0, 0);
        return;
    }
    placeTitleBlock(shape, doc->titleBlockCorner, doc->titleBlockRotated != 0, doc->documentWidth,
                    doc->documentHeight);
}

} // namespace plexo
