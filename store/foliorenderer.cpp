#include "store/foliorenderer.h"

#include "shapes/geometry.h"
#include "shapes/render.h"
#include "shapes/shape.h"
#include "shapes/units.h"
#include "store/folio.h"
#include "store/saodoc.h"

#include <algorithm>

namespace plexo {

void drawPageBorders(const Folio& folio, Surface& surface, int zoom, Rgb colour) {
    SurfaceSaver saver(surface);
    surface.setPen(Pen::solid(colour, 1));
    const PageSize page = folio.pageSize();
    const Rect extent = folio.extent();
    const int right = toPixels(extent.right, zoom), bottom = toPixels(extent.bottom, zoom);
    const int across = std::max<int>(folio.pagesAcross, 1), down = std::max<int>(folio.pagesDown, 1);
    auto vertical = [&](int x) {
        surface.moveTo(x, 0);
        surface.lineTo(x, bottom);
    };
    auto horizontal = [&](int y) {
        surface.moveTo(0, y);
        surface.lineTo(right, y);
    };
    for (int i = 1; i <= across; ++i)
        vertical(toPixels(
            static_cast<std::int32_t>(std::min<std::int64_t>(std::int64_t{page.width} * i, INT32_MAX)),
            zoom));
    vertical(right + 1);
    for (int j = 1; j <= down; ++j)
        horizontal(toPixels(
            static_cast<std::int32_t>(std::min<std::int64_t>(std::int64_t{page.height} * j, INT32_MAX)),
            zoom));
    horizontal(bottom + 1);
}

RenderContext renderContextOf(const Folio& folio, int zoom) {
    RenderContext context;
    context.zoom = zoom;
    if (folio.document)
        context.showTerminals = folio.document->showTerminals != 0;
    return context;
}

void drawTitleBlocks(Folio& folio, Surface& surface, const RenderContext& context,
                     const std::optional<Rect>& visible) {
    saoDoc* document = folio.document;
    if (!document || !document->titleBlock)
        return;
    Shape& block = *document->titleBlock;
    const PageSize page = folio.pageSize();
    // The title block shows this folio's fields: it belongs to the folio while drawn.
    ShapeHolder* const owner = block.folio;
    block.folio = &folio;
    placeTitleBlock(block, document->titleBlockCorner, document->titleBlockRotated != 0, page.width,
                    page.height);
    const int across = std::max<int>(folio.pagesAcross, 1), down = std::max<int>(folio.pagesDown, 1);
    for (int j = 0; j < down; ++j) {
        for (int i = 0; i < across; ++i) {
            const std::int32_t dx = page.width * i, dy = page.height * j;
            move(block, dx, dy);
            if (!visible || block.outline.meets(*visible))
                draw(block, surface, context, false);
            move(block, -dx, -dy);
        }
    }
    block.folio = owner;
}

ShiftedForDrawing::ShiftedForDrawing(Shape& shape, std::int32_t dx, std::int32_t dy)
    : shape_(shape), points_(shape.points), outline_(shape.outline) {
    move(shape, dx, dy);
}

ShiftedForDrawing::~ShiftedForDrawing() {
    shape_.points = std::move(points_);
    shape_.outline = outline_;
}

void renderFolio(Folio& folio, Surface& surface, const FolioRenderOptions& options) {
    RenderContext context = renderContextOf(folio, options.zoom);
    context.printedPage = options.printedPage;
    context.inverseVideo = options.inverseVideo;
    if (options.pageBorders)
        drawPageBorders(folio, surface, options.zoom, options.borderColour);
    if (options.titleBlock)
        drawTitleBlocks(folio, surface, context, options.visible);
    for (const auto& object : folio.objects) {
        if (!object || !object->alive)
            continue;
        if (options.visible && !object->outline.meets(*options.visible))
            continue;
        draw(*object, surface, context, false);
    }
}

} // namespace plexo
