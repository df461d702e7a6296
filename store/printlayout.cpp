#include "store/printlayout.h"

#include "shapes/geometry.h"
#include "shapes/render.h"
#include "shapes/shape.h"
#include "shapes/units.h"
#include "store/folio.h"
#include "store/foliorenderer.h"
#include "store/saodoc.h"

#include <algorithm>

namespace plexo {

namespace {

// How many objects are drawn between two questions to the progress.
constexpr int kProgressStep = 64;

} // namespace

PrintLayout::PrintLayout(const Folio& folio)
    : across_(std::max<int>(folio.pagesAcross, 1)), down_(std::max<int>(folio.pagesDown, 1)),
      pageWidth_(std::max<std::int32_t>(folio.pageSize().width, 1)),
      pageHeight_(std::max<std::int32_t>(folio.pageSize().height, 1)) {}

Point PrintLayout::pageOrigin(int n) const {
    if (!hasSheet(n))
        return {};
    const std::int64_t x = std::int64_t{columnOf(n)} * pageWidth_, y = std::int64_t{rowOf(n)} * pageHeight_;
    return {static_cast<std::int32_t>(std::min<std::int64_t>(x, INT32_MAX)),
            static_cast<std::int32_t>(std::min<std::int64_t>(y, INT32_MAX))};
}

Extent PrintLayout::sheetWindow() const {
    return {toPixels(pageWidth_, kNaturalSizeZoom) + 1, toPixels(pageHeight_, kNaturalSizeZoom) + 1};
}

bool renderPrintedSheet(Folio& folio, Surface& surface, int n, const PrintedSheetOptions& options) {
    const PrintLayout layout(folio);
    if (!layout.hasSheet(n))
        return false;
    RenderContext context = renderContextOf(folio, kNaturalSizeZoom);
    context.printedPage = n;
    context.inverseVideo = options.inverseVideo;
    const Extent window = layout.sheetWindow();
    surface.setClipRect({0, 0, window.width, window.height});

    // The title block keeps the first page's place on every sheet.
    saoDoc* document = folio.document;
    if (document && document->titleBlock) {
        Shape& block = *document->titleBlock;
        ShapeHolder* const owner = block.folio;
        block.folio = &folio;
        placeTitleBlock(block, document->titleBlockCorner, document->titleBlockRotated != 0,
                        layout.pageWidth(), layout.pageHeight());
        draw(block, surface, context, false);
        block.folio = owner;
    }

    const Point origin = layout.pageOrigin(n);
    // The page on the folio: an object meets the sheet when its outline meets it.
    const Rect page{origin.x, origin.y,
                    static_cast<std::int32_t>(
                        std::min<std::int64_t>(std::int64_t{origin.x} + layout.pageWidth(), INT32_MAX)),
                    static_cast<std::int32_t>(
                        std::min<std::int64_t>(std::int64_t{origin.y} + layout.pageHeight(), INT32_MAX))};
    const int total = static_cast<int>(folio.objects.size());
    int drawn = 0;
    bool finished = true;
    for (const auto& object : folio.objects) {
        ++drawn;
        if (options.progress && drawn % kProgressStep == 0 && !options.progress(drawn, total)) {
            finished = false;
            break;
        }
        if (!object || !object->alive || !object->outline.meets(page))
            continue;
        ShiftedForDrawing shifted(*object, -origin.x, -origin.y);
        draw(*object, surface, context, false);
    }
    if (finished && options.progress && !options.progress(total, total))
        finished = false;
    surface.clearClip();
    return finished;
}

} // namespace plexo
