#include "views/print/sheetpainter.h"

#include "store/folio.h"
#include "views/qtsurface.h"

#include <QPainter>

namespace plexo {

QPageSize sheetPageSize(const Folio& folio) {
    const PrintLayout layout(folio);
    return QPageSize(QSizeF(layout.pageWidth() / 1000.0, layout.pageHeight() / 1000.0), QPageSize::Point,
                     QString(), QPageSize::ExactMatch);
}

bool paintPrintedSheet(QPainter& painter, const QRectF& viewport, Folio& folio, int n,
                       const PrintedSheetOptions& options) {
    const Extent window = PrintLayout(folio).sheetWindow();
    painter.save();
    painter.resetTransform();
    painter.translate(viewport.topLeft());
    painter.scale(viewport.width() / window.width, viewport.height() / window.height);
    bool finished = false;
    {
        QtSurface surface(painter);
        finished = renderPrintedSheet(folio, surface, n, options);
    }
    painter.restore();
    return finished;
}

} // namespace plexo
