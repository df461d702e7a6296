// Real output of the renderer through the Qt surface: pixels of fills, hatches,
// texts and ghosts, and the Qt text measurer.
#include "bench/render_scene.h"
#include "shapes/recordingsurface.h"
#include "shapes/render.h"
#include "store/foliorenderer.h"
#include "views/qtsurface.h"
#include "views/qttextmeasurer.h"
#include "views/rendercommand.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace plexo {
namespace {

constexpr QRgb kWhitePixel = 0xffffffff;

std::unique_ptr<Shape> filledRectangle(int pattern, std::int32_t x, std::int32_t y) {
    auto box = scene::makeObject(kRectangle, x, y, 0);
    box->style.set(kColour, 0);
    box->style.set(kFillColour, 1);
    box->style.set(kPattern, pattern);
    box->style.set(kLineType, 0);
    box->style.set(kShadow, kNoColour);
    box->setText("");
    rebuildGeometry(*box);
    return box;
}

int countPixels(const QImage& image, const QRect& area, QRgb colour) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += image.pixel(x, y) == colour;
    return count;
}

TEST(RenderImage, SolidFillCoversItsPixelsAndHatchesLeaveGaps) {
    QtTextMeasurerInstaller measurer;
    Folio folio;
    folio.append(filledRectangle(0, 20000, 20000));  // (20, 20)-(80, 60) pixels
    folio.append(filledRectangle(5, 120000, 20000)); // cross-hatched
    const QImage image = renderFolioImage(folio, 5);
    ASSERT_FALSE(image.isNull());
    const QRect solidInside(22, 22, 57, 37);
    EXPECT_EQ(countPixels(image, solidInside, qRgb(255, 0, 0)), solidInside.width() * solidInside.height());
    // The outline lies on the box's edges, nothing beyond.
    EXPECT_EQ(image.pixel(20, 40), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(80, 40), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(18, 40), kWhitePixel);
    EXPECT_EQ(image.pixel(82, 40), kWhitePixel);
    const QRect hatchInside(122, 22, 57, 37);
    const int red = countPixels(image, hatchInside, qRgb(255, 0, 0));
    const int white = countPixels(image, hatchInside, kWhitePixel);
    EXPECT_GT(red, 100);
    EXPECT_GT(white, red);
    EXPECT_EQ(red + white, hatchInside.width() * hatchInside.height());
    // Page borders at the A4 page's right and bottom, doubled one pixel out.
    EXPECT_EQ(image.pixel(595, 300), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(596, 300), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(300, 841), qRgb(0, 0, 0));
}

TEST(RenderImage, GhostDrawnTwiceInInvertModeLeavesNoTrace) {
    QtTextMeasurerInstaller measurer;
    auto wire = scene::makeObject(kWire, 20000, 20000, 3);
    QImage image(200, 120, QImage::Format_RGB32);
    image.fill(Qt::white);
    const QImage before = image;
    {
        QPainter painter(&image);
        QtSurface surface(painter);
        surface.setRasterMode(RasterMode::Invert);
        draw(*wire, surface, 5, true);
        painter.end();
    }
    EXPECT_NE(image, before);
    {
        QPainter painter(&image);
        QtSurface surface(painter);
        surface.setRasterMode(RasterMode::Invert);
        draw(*wire, surface, 5, true);
    }
    EXPECT_EQ(image, before);
}

TEST(RenderImage, TextStaysInItsBoxAndBreaksAlikeAtEveryZoom) {
    QtTextMeasurerInstaller measurer;
    auto text = scene::makeObject(kText, 20000, 20000, 0);
    text->points = {{20000, 20000}, {120000, 200000}};
    text->style.set(kFillColour, kNoColour);
    text->style.set(kShadow, kNoColour);
    text->style.set(kTextAlign, 0);
    text->style.set(kFontSize, 10);
    rebuildGeometry(*text);
    std::vector<std::string> reference;
    for (int zoom : {5, 3, 8}) {
        RecordingSurface recording;
        draw(*text, recording, zoom, false);
        std::vector<std::string> lines;
        for (const SurfaceCall& call : recording.calls())
            if (call.op == SurfaceOp::TextOut)
                lines.push_back(call.text);
        ASSERT_GE(lines.size(), 3u);
        if (reference.empty())
            reference = lines;
        EXPECT_EQ(lines, reference) << "zoom " << zoom;
    }
    QImage image(200, 240, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        QtSurface surface(painter);
        draw(*text, surface, 5, false);
    }
    int inside = 0, outside = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != kWhitePixel)
                (x >= 20 && x <= 121 && y >= 20 && y <= 201 ? inside : outside)++;
    EXPECT_GT(inside, 100);
    EXPECT_EQ(outside, 0);
}

TEST(QtTextMeasurer, MatchesTheFontMetricsOfTheSurfaceFont) {
    QtTextMeasurer measurer;
    TextFont font;
    font.height = 20;
    const TextExtent short_ = measurer.measure(font, "ab");
    const TextExtent long_ = measurer.measure(font, "abcdefgh");
    EXPECT_GT(long_.width, short_.width);
    EXPECT_EQ(measurer.measure(font, "").width, 0);
    EXPECT_EQ(short_.height, QFontMetrics(QtTextMeasurer::toQFont(font)).height());
    TextFont bold = font;
    bold.bold = true;
    EXPECT_GE(measurer.measure(bold, "abcdefgh").width, long_.width);
    // Windows-1252 bytes are measured as the characters they stand for.
    EXPECT_EQ(measurer.measure(font, "\xe9").width,
              QFontMetrics(QtTextMeasurer::toQFont(font)).horizontalAdvance(QString::fromUtf8("\xc3\xa9")));

    // Installed, it serves the core's outlines.
    TextMeasurer* before = &textMeasurer();
    {
        QtTextMeasurerInstaller installed;
        EXPECT_NE(&textMeasurer(), before);
    }
    EXPECT_EQ(&textMeasurer(), before);
}

TEST(RenderImage, EveryKindOfTheSceneDrawsInsideItsOutline) {
    QtTextMeasurerInstaller measurer;
    for (int kind : scene::sceneKinds()) {
        auto shape = scene::makeObject(kind, 40000, 40000, 7);
        rebuildGeometry(*shape);
        QImage image(400, 400, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            QtSurface surface(painter);
            draw(*shape, surface, 5, false);
        }
        const Rect o = shape->outline;
        int ink = 0, stray = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                if (image.pixel(x, y) == kWhitePixel)
                    continue;
                ++ink;
                if (x < o.left / 1000 - 1 || x > o.right / 1000 + 1 || y < o.top / 1000 - 1 ||
                    y > o.bottom / 1000 + 1)
                    ++stray;
            }
        EXPECT_GT(ink, 0) << "kind " << kind;
        // The outline of a terminal is 3 points around its point while its diamond
        // reaches 5, and a wire's outline leaves out its end labels: the
        // geometry's rules, not the drawing's.
        if (kind != kTerminal && !shape->isWire()) {
            EXPECT_EQ(stray, 0) << "kind " << kind;
        }
    }
}

} // namespace
} // namespace plexo
