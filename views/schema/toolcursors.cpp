#include "views/schema/toolcursors.h"

#include <QPainter>
#include <QPixmap>

#include <array>
#include <optional>

namespace plexo {

namespace {

constexpr int kSize = 32;
constexpr int kMiddle = 15;

// A 32 × 32 cursor drawn in black with a white outline, so that it shows on any drawing.
template <typename Draw> QCursor drawnCursor(int hotX, int hotY, Draw draw) {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing, true);
    for (const auto& [colour, width] :
         {std::pair{QColor(Qt::white), 3.0}, std::pair{QColor(Qt::black), 1.0}}) {
        painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::SquareCap));
        painter.setBrush(Qt::NoBrush);
        draw(painter);
    }
    return QCursor(pixmap, hotX, hotY);
}

void crossHair(QPainter& painter) {
    painter.drawLine(kMiddle, 4, kMiddle, 26);
    painter.drawLine(4, kMiddle, 26, kMiddle);
}

QCursor makeCursor(ToolCursor cursor) {
    switch (cursor) {
    case ToolCursor::Arrow:
        return QCursor(Qt::ArrowCursor);
    case ToolCursor::Move:
        return QCursor(Qt::SizeAllCursor);
    case ToolCursor::Handle: // a small square held by the cross: reshaping
        return drawnCursor(kMiddle, kMiddle, [](QPainter& p) {
            crossHair(p);
            p.drawRect(kMiddle - 4, kMiddle - 4, 8, 8);
        });
    case ToolCursor::AddLines: // a gap opening between two lines
        return drawnCursor(kMiddle, kMiddle, [](QPainter& p) {
            p.drawLine(4, 11, 26, 11);
            p.drawLine(4, 19, 26, 19);
            p.drawLine(kMiddle, 2, kMiddle, 8);
            p.drawLine(kMiddle, 22, kMiddle, 28);
            p.drawLine(12, 5, kMiddle, 8);
            p.drawLine(18, 5, kMiddle, 8);
            p.drawLine(12, 25, kMiddle, 22);
            p.drawLine(18, 25, kMiddle, 22);
        });
    case ToolCursor::Magnifier: // a lens with its handle
        return drawnCursor(12, 12, [](QPainter& p) {
            p.drawEllipse(4, 4, 16, 16);
            p.drawLine(18, 18, 27, 27);
        });
    case ToolCursor::Draw:
        return drawnCursor(kMiddle, kMiddle, crossHair);
    case ToolCursor::OverTerminal: // the cross over a terminal's diamond: a wire ends here
        return drawnCursor(kMiddle, kMiddle, [](QPainter& p) {
            crossHair(p);
            const std::array<QPoint, 4> diamond{QPoint(kMiddle, kMiddle - 6), QPoint(kMiddle + 6, kMiddle),
                                                QPoint(kMiddle, kMiddle + 6), QPoint(kMiddle - 6, kMiddle)};
            p.drawPolygon(diamond.data(), 4);
        });
    case ToolCursor::WireOverTerminal: // the handle square inside the terminal's diamond
        return drawnCursor(kMiddle, kMiddle, [](QPainter& p) {
            const std::array<QPoint, 4> diamond{QPoint(kMiddle, kMiddle - 9), QPoint(kMiddle + 9, kMiddle),
                                                QPoint(kMiddle, kMiddle + 9), QPoint(kMiddle - 9, kMiddle)};
            p.drawPolygon(diamond.data(), 4);
            p.drawRect(kMiddle - 3, kMiddle - 3, 6, 6);
        });
    }
    return QCursor(Qt::ArrowCursor);
}

} // namespace

QCursor toolCursor(ToolCursor cursor) {
    // Drawn once each: the cursor is asked at every mouse move.
    static std::array<std::optional<QCursor>, 8> made;
    std::optional<QCursor>& slot = made.at(static_cast<std::size_t>(cursor));
    if (!slot)
        slot = makeCursor(cursor);
    return *slot;
}

} // namespace plexo
