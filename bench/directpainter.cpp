#include "bench/directpainter.h"

#include "base/textcodec.h"

#include <QPolygon>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <memory>
#include <numbers>

namespace plexo::bench {

double medianMilliseconds(const std::function<void()>& work) {
    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run) {
        const auto start = std::chrono::steady_clock::now();
        work();
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

namespace {

int angle16(const Rect& box, Point p) {
    const double cx = (box.left + box.right) / 2.0, cy = (box.top + box.bottom) / 2.0;
    return int(std::lround(std::atan2(-(p.y - cy), p.x - cx) * 180 / std::numbers::pi * 16));
}

} // namespace

std::vector<DirectOp> directOps(const RecordingSurface& recording, const QImage& picture) {
    std::vector<DirectOp> ops;
    auto colour = [](const std::vector<int>& a, std::size_t at) {
        return QColor(a[at], a[at + 1], a[at + 2]);
    };
    auto shared = std::make_shared<QPoint>();
    auto textColour = std::make_shared<QColor>(Qt::black);
    for (const SurfaceCall& call : recording.calls()) {
        const std::vector<int>& a = call.args;
        switch (call.op) {
        case SurfaceOp::SetPen: {
            QPen pen = a[0] == 0 ? QPen(colour(a, 2), std::max(1, a[1])) : QPen(Qt::NoPen);
            // The same ends and joins as the drawing surface gives its pens, so that
            // both sides draw the same lines.
            if (a[0] == 0) {
                pen.setCapStyle(a[1] <= 1 ? Qt::SquareCap : Qt::RoundCap);
                pen.setJoinStyle(a[1] <= 1 ? Qt::MiterJoin : Qt::RoundJoin);
            }
            ops.push_back([pen](QPainter& p) { p.setPen(pen); });
            break;
        }
        case SurfaceOp::SetBrush: {
            static const Qt::BrushStyle styles[] = {Qt::NoBrush,      Qt::SolidPattern,    Qt::HorPattern,
                                                    Qt::VerPattern,   Qt::FDiagPattern,    Qt::BDiagPattern,
                                                    Qt::CrossPattern, Qt::DiagCrossPattern};
            QBrush brush(colour(a, 1), styles[std::clamp(a[0], 0, 7)]);
            ops.push_back([brush](QPainter& p) { p.setBrush(brush); });
            break;
        }
        case SurfaceOp::SetFont: {
            QFont font;
            if (!call.text.empty())
                font.setFamily(QString::fromStdString(cp1252ToUtf8(call.text)));
            font.setPixelSize(std::max(1, a[0]));
            font.setWeight(QFont::Weight(std::clamp(a[1], 1, 1000)));
            ops.push_back([font](QPainter& p) { p.setFont(font); });
            break;
        }
        case SurfaceOp::SetTextColour: {
            const QColor c = colour(a, 0);
            ops.push_back([c, textColour](QPainter&) { *textColour = c; });
            break;
        }
        case SurfaceOp::MoveTo: {
            const QPoint at(a[0], a[1]);
            ops.push_back([at, shared](QPainter&) { *shared = at; });
            break;
        }
        case SurfaceOp::LineTo: {
            const QPoint to(a[0], a[1]);
            ops.push_back([to, shared](QPainter& p) {
                p.drawLine(*shared, to);
                *shared = to;
            });
            break;
        }
        case SurfaceOp::Polyline:
        case SurfaceOp::Polygon: {
            QPolygon polygon;
            for (std::size_t i = 0; i + 1 < a.size(); i += 2)
                polygon << QPoint(a[i], a[i + 1]);
            if (call.op == SurfaceOp::Polyline)
                ops.push_back([polygon](QPainter& p) { p.drawPolyline(polygon); });
            else
                ops.push_back([polygon](QPainter& p) { p.drawPolygon(polygon, Qt::OddEvenFill); });
            break;
        }
        case SurfaceOp::Rectangle: {
            const QRect r(a[0], a[1], a[2] - a[0] - 1, a[3] - a[1] - 1);
            ops.push_back([r](QPainter& p) { p.drawRect(r); });
            break;
        }
        case SurfaceOp::RoundRect: {
            const QRect r(a[0], a[1], a[2] - a[0] - 1, a[3] - a[1] - 1);
            const double rx = a[4] / 2.0, ry = a[5] / 2.0;
            ops.push_back([r, rx, ry](QPainter& p) { p.drawRoundedRect(r, rx, ry); });
            break;
        }
        case SurfaceOp::Ellipse: {
            const QRect r(a[0], a[1], a[2] - a[0] - 1, a[3] - a[1] - 1);
            ops.push_back([r](QPainter& p) { p.drawEllipse(r); });
            break;
        }
        case SurfaceOp::Arc:
        case SurfaceOp::Chord: {
            const Rect box{a[0], a[1], a[2], a[3]};
            const QRect r(a[0], a[1], a[2] - a[0] - 1, a[3] - a[1] - 1);
            const int start = angle16(box, {a[4], a[5]});
            int span = angle16(box, {a[6], a[7]}) - start;
            while (span <= 0)
                span += 360 * 16;
            if (call.op == SurfaceOp::Arc)
                ops.push_back([r, start, span](QPainter& p) { p.drawArc(r, start, span); });
            else
                ops.push_back([r, start, span](QPainter& p) { p.drawChord(r, start, span); });
            break;
        }
        case SurfaceOp::TextOut: {
            const QString text = QString::fromStdString(cp1252ToUtf8(call.text));
            const QPoint at(a[0], a[1]);
            ops.push_back([text, at, textColour](QPainter& p) {
                const QPen pen = p.pen();
                p.setPen(*textColour);
                p.drawText(at.x(), at.y() + p.fontMetrics().ascent(), text);
                p.setPen(pen);
            });
            break;
        }
        case SurfaceOp::StretchBitmap: {
            const QRect r(a[0], a[1], a[2] - a[0], a[3] - a[1]);
            ops.push_back([r, &picture](QPainter& p) { p.drawImage(r, picture); });
            break;
        }
        default:
            break;
        }
    }
    return ops;
}

} // namespace plexo::bench
