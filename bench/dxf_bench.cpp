// DXF export benchmark: a folio of 10,000 mixed objects written as a DXF file,
// against the same folio written as an SVG file through the Qt surface (the
// other vector export) in the same run.
#include "bench/directpainter.h"
#include "bench/render_scene.h"
#include "store/foliorenderer.h"
#include "views/dxfexport.h"
#include "views/qtsurface.h"
#include "views/qttextmeasurer.h"

#include <QGuiApplication>
#include <QPainter>
#include <QSvgGenerator>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

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

    const std::filesystem::path folder = std::filesystem::temp_directory_path();
    const std::filesystem::path dxfPath = folder / "plexo_dxf_bench.dxf", svgPath = folder / "plexo_dxf_bench.svg";
    std::string error;
    const double dxf = medianMilliseconds([&] {
        if (!writeFolioDxf(folio, dxfPath, error))
            std::fprintf(stderr, "%s\n", error.c_str());
    });
    const double svg = medianMilliseconds([&] {
        QSvgGenerator generator;
        generator.setFileName(QString::fromStdString(svgPath.string()));
        generator.setSize(QSize(kWidth, kHeight));
        {
            QPainter painter(&generator);
            QtSurface surface(painter);
            FolioRenderOptions options;
            options.zoom = kDxfZoom;
            renderFolio(folio, surface, options);
        }
    });
    const auto dxfBytes = static_cast<std::size_t>(std::filesystem::file_size(dxfPath));
    const auto svgBytes = static_cast<std::size_t>(std::filesystem::file_size(svgPath));
    std::filesystem::remove(dxfPath);
    std::filesystem::remove(svgPath);
    std::printf("Export d'un folio de %d objets (médiane de %d passes)\n", kObjects, kRuns);
    std::printf("  DXF (dxflib)        : %8.1f ms  %9zu octets\n", dxf, dxfBytes);
    std::printf("  SVG (surface Qt)    : %8.1f ms  %9zu octets   (référence)\n", svg, svgBytes);
    std::printf("  rapport DXF / SVG   : %8.2f\n", svg > 0 ? dxf / svg : 0.0);
    return 0;
}
