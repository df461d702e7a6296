// What the geometry reads from the folio holding a shape and from the library
// symbol of an instance: the grid settings, the title-block placement and
// symbol drawings.
#include "shapes/geometry.h"

#include "shapes/shape.h"
#include "shapes/symbolnode.h"

namespace plexo {

GridSettings gridSettingsOf(const Shape& shape) {
    return shape.folio ? shape.folio->gridSettings() : GridSettings{};
}

bool symbolDrawingOf(const Shape& instance, SymbolDrawing& drawing) {
    drawing = {};
    if (instance.kind != kSymbol || !instance.infoSymbole || !instance.infoSymbole->node)
        return false;
    const SymbolNode& node = *instance.infoSymbole->node;
    const std::vector<std::unique_ptr<Shape>>* objects = node.drawingObjects();
    if (!objects || objects->empty())
        return false;
    drawing.objects.reserve(objects->size());
    for (const auto& object : *objects)
        drawing.objects.push_back(object.get());
    drawing.bounds = node.drawingBounds();
    return true;
}

void placeTitleBlock(Shape& shape) {
    const TitleBlockPlacement place =
        shape.folio ? shape.folio->titleBlockPlacement() : TitleBlockPlacement{};
    placeTitleBlock(shape, place.corner, place.rotated, place.pageWidth, place.pageHeight);
}

} // namespace plexo
