// The schéma pane's painting: a folio of 10,000 mixed objects in a 1920 × 1080
// pane, a scroll by one unit and a full repaint at 100 % and 25 %, beside the
// same primitives drawn straight through QPainter; then the time from opening
// the example document to its first painted folio.
#include "bench/directpainter.h"
#include "bench/render_scene.h"
#include "library/lib.h"
#include "library/libsymbolresolver.h"
#include "store/folio.h"
#include "store/foliorenderer.h"
#include "store/saodoc.h"
#include "views/qttextmeasurer.h"
#include "views/schema/pane.h"
#include "views/schema/saoview.h"

#include <QApplication>
#include <QScrollBar>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

using namespace plexo;
using namespace plexo::bench;

namespace {

constexpr int kObjects = 10000;
constexpr int kWidth = 1920, kHeight = 1080;

void paneFigures() {
    saoDoc document;
    document.computeDocumentSize();
    Folio folio(&document);
    folio.pagesAcross = 4; // the folio's extent covers the scene
    folio.pagesDown = 2;
    scene::fillFolio(folio, kObjects, {0, 0, kWidth * 1000, kHeight * 1000});

    Pane pane;
    pane.resize(kWidth, kHeight);
    pane.setGridVisible(false);
    pane.showFolio(&folio);
    pane.show();
    std::vector<std::uint8_t> rgba;
    const saoDib sample = scene::samplePicture();
    sample.decodeToRgba(rgba);
    const QImage picture(rgba.data(), sample.width(), sample.height(), sample.width() * 4,
                         QImage::Format_RGBA8888);

    std::printf("Volet de %d x %d, folio de %d objets (médiane de %d passes)\n", pane.viewport()->width(),
                pane.viewport()->height(), kObjects, kRuns);
    for (int zoom : {5, 1}) {
        pane.setZoom(zoom);
        const double repaint = medianMilliseconds([&] {
            pane.repaintAll();
            (void)pane.viewport()->grab();
        });
        // The same primitives the pane draws, straight through QPainter.
        RecordingSurface recording;
        FolioRenderOptions options;
        options.zoom = zoom;
        options.visible = pane.view().visibleRegion();
        renderFolio(folio, recording, options);
        const std::vector<DirectOp> ops = directOps(recording, picture);
        QImage image(pane.viewport()->size(), QImage::Format_RGB32);
        const double direct = medianMilliseconds([&] {
            image.fill(Qt::white);
            QPainter painter(&image);
            for (const DirectOp& op : ops)
                op(painter);
        });
        std::printf("zoom %3d %% : réaffichage complet %8.1f ms, QPainter direct %8.1f ms, rapport %.2f\n",
                    zoom == 5 ? 100 : 25, repaint, direct, direct > 0 ? repaint / direct : 0.0);
    }
    pane.setZoom(5);
    (void)pane.viewport()->grab();
    int step = 1;
    const double scroll = medianMilliseconds([&] {
        QScrollBar* bar = pane.horizontalScrollBar();
        bar->setValue(bar->value() + step);
        step = -step;
        (void)pane.viewport()->grab();
    });
    std::printf("zoom 100 %% : défilement d'une unité %8.1f ms (objectif < 16 ms)\n", scroll);
}

void openingFigure(const std::filesystem::path& example) {
    if (!std::filesystem::exists(example)) {
        std::printf("Document d'exemple introuvable : %s\n", example.string().c_str());
        return;
    }
    Lib lib(example.parent_path().parent_path().append("bin").string());
    lib.scanLocation();
    installLibrary(&lib);
    {
        const auto start = std::chrono::steady_clock::now();
        saoDoc document;
        if (!document.open(example)) {
            std::printf("Impossible d'ouvrir %s\n", example.string().c_str());
        } else {
            saoView view(document);
            view.resize(kWidth, kHeight);
            view.show();
            (void)view.pane()->viewport()->grab();
            const double ms =
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
            std::printf("Ouverture de %s jusqu'au premier folio affiché : %.1f ms\n",
                        example.filename().string().c_str(), ms);
        }
        document.close();
    }
    installLibrary(nullptr);
}

} // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM"))
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    QtTextMeasurerInstaller measurer;
    paneFigures();
    // The build writes the example document beside the benchmarks' folder.
    const std::filesystem::path example =
        argc > 1 ? std::filesystem::path(argv[1])
                 : std::filesystem::path(QCoreApplication::applicationDirPath().toStdString()) / ".." /
                       "examples" / "Exemples.dls";
    openingFigure(std::filesystem::weakly_canonical(example));
    return 0;
}
