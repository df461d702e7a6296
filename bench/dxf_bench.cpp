// DXF export benchmark: a folio of 10,000 mixed objects turned into a DXF
// file's text, against the same folio written as SVG through the Qt surface
// (the other vector export) in the same run.
#include "bench/directpainter.h"
#include "bench/render_scene.h"
#include "store/foliorenderer.h"
#include "views/dxfexport.h"
#include "views/dxfwriter.h"
#include "views/qtsurface.h"
#include "views/qttextmeasurer.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPainter>
#include <QSvgGenerator>

#include <cstdio>
#include <cstdlib>

using namespace plexo;
using namespace plexo::bench;

namespace {
constexpr int kObjects = 10000;
constexpr int kWidth = 1920, kHeight = 1080;
} // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM"))
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication application(argc, argv);
    QtTextMeasurerInstaller measurer;

    Folio folio;
    scene::fillFolio(folio, kObjects, {0, 0, kWidth * 1000, kHeight * 1000});

    std::size_t dxfBytes = 0, svgBytes = 0;
    const double dxf = medianMilliseconds([&] { dxfBytes = dxfText(folioDxf(folio)).size(); });
    const double svg = medianMilliseconds([&] {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QSvgGenerator generator;
        generator.setOutputDevice(&buffer);
        generator.setSize(QSize(kWidth, kHeight));
        {
            QPainter painter(&generator);
            QtSurface surface(painter);
            FolioRenderOptions options;
            options.zoom = kDxfZoom;
            renderFolio(folio, surface, options);
        }
        svgBytes = static_cast<std::size_t>(buffer.size());
    });
    std::printf("Export d'un folio de %d objets (médiane de %d passes)\n", kObjects, kRuns);
    std::printf("  DXF (dxflib)        : %8.1f ms  %9zu octets\n", dxf, dxfBytes);
    std::printf("  SVG (surface Qt)    : %8.1f ms  %9zu octets   (référence)\n", svg, svgBytes);
    std::printf("  rapport DXF / SVG   : %8.2f\n", svg > 0 ? dxf / svg : 0.0);
    return 0;
}
