// Rendering benchmark: a folio of 10,000 mixed objects drawn into a 1920 × 1080
// image at 100 % and at 25 % through the object renderer and the Qt surface,
// against the same primitives (recorded once) drawn straight through QPainter.
#include "base/textcodec.h"
#include "bench/directpainter.h"
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
