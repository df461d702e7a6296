// Rendering benchmark: a folio of 10,000 mixed objects drawn into a 1920 × 1080
// image at 100 % and at 25 % through the object renderer and the Qt surface,
// against the same primitives (recorded once) drawn straight through QPainter.
#include "base/textcodec.h"
#include "bench/render_scene.h"
#include "shapes/recordingsurface.h"
#include "store/foliorenderer.h"
#include "views/qtsurface.h"
#include "views/qttextmeasurer.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <numbers>
#include <vector>

using namespace plexo;

namespace {

constexpr int kObjects = 10000;
constexpr int kWidth = 1920, kHeight = 1080;
constexpr int kRuns = 5;

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

int angle16(const Rect& box, Point p) {
    const double cx = (box.left + box.right) / 2.0, cy = (box.top + box.bottom) / 2.0;
    return int(std::lround(std::atan2(-(p.y - cy), p.x - cx) * 180 / std::numbers::pi * 16));
}

// The recorded primitives turned into ready QPainter calls: pens, brushes, fonts
// and geometry are built before the timing, so that only the drawing is timed.
using DirectOp = std::function<void(QPainter&)>;

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

} // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM"))
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication application(argc, argv);
    QtTextMeasurerInstaller measurer;

    Folio folio;
    scene::fillFolio(folio, kObjects, {0, 0, kWidth * 1000, kHeight * 1000});
    std::vector<std::uint8_t> rgba;
    const saoDib sample = scene::samplePicture();
    sample.decodeToRgba(rgba);
    const QImage picture(rgba.data(), sample.width(), sample.height(), sample.width() * 4,
                         QImage::Format_RGBA8888);

    FolioRenderOptions options;
    options.pageBorders = false;
    options.titleBlock = false;
    std::printf("Rendu d'un folio de %d objets dans une image de %d x %d (médiane de %d passes)\n", kObjects,
                kWidth, kHeight, kRuns);
    for (int zoom : {5, 1}) {
        options.zoom = zoom;
        QImage image(kWidth, kHeight, QImage::Format_RGB32);
        const double renderer = medianMilliseconds([&] {
            image.fill(Qt::white);
            QPainter painter(&image);
            QtSurface surface(painter);
            renderFolio(folio, surface, options);
        });
        RecordingSurface recording;
        renderFolio(folio, recording, options);
        const std::vector<DirectOp> ops = directOps(recording, picture);
        const double direct = medianMilliseconds([&] {
            image.fill(Qt::white);
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing, false);
            for (const DirectOp& op : ops)
                op(painter);
        });
        std::printf(
            "zoom %3d %% : moteur de rendu %8.1f ms, QPainter direct %8.1f ms (%zu appels), rapport %.2f\n",
            zoom == 5 ? 100 : 25, renderer, direct, ops.size(), direct > 0 ? renderer / direct : 0.0);
    }
    return 0;
}
