#include "views/print/sheetpainter.h"

#include "store/folio.h"
#include "views/qtsurface.h"

#include <QPainter>
#include <QPrinter>

namespace plexo {

QPageSize sheetPageSize(const Folio& folio) {
    const PrintLayout layout(folio);
    return QPageSize(QSizeF(layout.pageWidth() / 1000.0, layout.pageHeight() / 1000.0), QPageSize::Point,
                     QString(), QPageSize::ExactMatch);
}

void takeSheetPaper(QPrinter& printer, const Folio& folio) {
    const QSizeF points = sheetPageSize(folio).size(QPageSize::Point);
    const bool landscape = points.width() > points.height();
    printer.setPageSize(
        QPageSize(landscape ? points.transposed() : points, QPageSize::Point, QString(), QPageSize::FuzzyMatch));
    printer.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
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
