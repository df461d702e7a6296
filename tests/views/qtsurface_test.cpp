#include "views/qtsurface.h"

#include "shapes/primitives.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace plexo {
namespace {

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kRed{255, 0, 0};

QImage blankImage(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

void drawOn(QImage& image, const std::function<void(QtSurface&)>& draw) {
    QPainter painter(&image);
    QtSurface surface(painter);
    draw(surface);
}

bool isInk(const QImage& image, int x, int y) {
    return image.pixel(x, y) != qRgb(255, 255, 255);
}

// Smallest rectangle holding every non-white pixel; empty when there is none.
QRect inkBounds(const QImage& image) {
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (isInk(image, x, y))
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

TEST(QtSurface, FilledShapesExcludeTheirRightAndBottomEdges) {
    QImage image = blankImage(20, 20);
    drawOn(image, [](QtSurface& s) {
        s.setPen(Pen::null());
        s.setBrush(Brush::solid(kRed));
        s.rectangle({2, 3, 7, 9});
    });
    EXPECT_EQ(inkBounds(image), QRect(QPoint(2, 3), QPoint(6, 8)));
    int red = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            red += image.pixel(x, y) == qRgb(255, 0, 0);
    EXPECT_EQ(red, 5 * 6);

    // With a pen the outline lies on the border pixels of the same area.
    for (auto draw : {+[](QtSurface&s, const Rect&r) { s.rectangle(r); },
                      +[](QtSurface&s, const Rect&r) { s.ellipse(r); },
                      +[](QtSurface&s, const Rect&r) { s.roundRect(r, 6, 6); }}) {
        QImage outlined = blankImage(40, 40);
        drawOn(outlined, [&](QtSurface& s) {
            s.setPen(Pen::solid(kBlack));
            s.setBrush(Brush::solid(kRed));
            draw(s, {5, 6, 25, 30});
        });
        EXPECT_EQ(inkBounds(outlined), QRect(QPoint(5, 6), QPoint(24, 29)));
        EXPECT_EQ(outlined.pixel(15, 18), qRgb(255, 0, 0)); // filled inside
    }
}

TEST(QtSurface, OnePixelOutlinesHaveNoGapsAndInvertEachPixelOnce) {
    // A rectangle outline made of four chained sides, as the renderer draws it,
    // in copy mode and inverted over white: the whole border, corners included,
    // and in inverting mode no pixel inverted twice (it would turn white).
    for (RasterMode mode : {RasterMode::Copy, RasterMode::Invert}) {
        QImage image = blankImage(30, 30);
        drawOn(image, [&](QtSurface& s) {
            s.setRasterMode(mode);
            s.setPen(Pen::solid(kBlack));
            rectangleOutline(s, {3, 4, 20, 25}, 1000, 5, 0);
        });
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 30; ++x) {
                const bool border =
                    ((x == 3 || x == 20) && y >= 4 && y <= 25) || ((y == 4 || y == 25) && x >= 3 && x <= 20);
                EXPECT_EQ(image.pixel(x, y) == qRgb(0, 0, 0), border)
                    << "mode " << int(mode) << " at " << x << "," << y;
            }
    }
    // An inverted polyline doubling back on itself: each joint once, the last
    // point left out.
    QImage image = blankImage(20, 20);
    drawOn(image, [](QtSurface& s) {
        s.setRasterMode(RasterMode::Invert);
        s.setPen(Pen::solid(kBlack));
        const Point chain[] = {{2, 5}, {10, 5}, {10, 12}, {4, 15}};
        s.polyline(chain);
    });
    EXPECT_TRUE(isInk(image, 2, 5));
    EXPECT_TRUE(isInk(image, 10, 5));
    EXPECT_TRUE(isInk(image, 10, 12));
    EXPECT_FALSE(isInk(image, 4, 15));
    EXPECT_EQ(inkBounds(image), QRect(QPoint(2, 5), QPoint(10, 15)));
}

TEST(QtSurface, HatchesLeaveGapsInTheirDirection) {
    struct Case {
        BrushStyle style;
        int dx, dy; // every ink pixel continues at (x + dx, y + dy)
    } cases[] = {
        {BrushStyle::Horizontal, 1, 0},
        {BrushStyle::Vertical, 0, 1},
        {BrushStyle::ForwardDiagonal, 1, 1},   // top-left to bottom-right
        {BrushStyle::BackwardDiagonal, 1, -1}, // bottom-left to top-right
    };
    for (const Case& c : cases) {
        QImage image = blankImage(40, 40);
        drawOn(image, [&](QtSurface& s) {
            s.setPen(Pen::null());
            s.setBrush(Brush::hatch(c.style, kBlack));
            s.rectangle({0, 0, 40, 40});
        });
        int ink = 0;
        for (int y = 8; y < 32; ++y)
            for (int x = 8; x < 32; ++x)
                if (isInk(image, x, y)) {
                    ++ink;
                    EXPECT_TRUE(isInk(image, x + c.dx, y + c.dy)) << int(c.style) << " at " << x << "," << y;
                }
        EXPECT_GT(ink, 24 * 24 / 16) << int(c.style);
        EXPECT_LT(ink, 24 * 24 / 4) << int(c.style); // mostly gaps
    }
    for (BrushStyle style : {BrushStyle::Cross, BrushStyle::DiagonalCross}) {
        QImage image = blankImage(40, 40);
        drawOn(image, [&](QtSurface& s) {
            s.setPen(Pen::null());
            s.setBrush(Brush::hatch(style, kBlack));
            s.rectangle({0, 0, 40, 40});
        });
        int ink = 0;
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 40; ++x)
                ink += isInk(image, x, y);
        EXPECT_GT(ink, 40 * 40 / 8);
        EXPECT_LT(ink, 40 * 40 / 2);
    }
    // In opaque mode the gaps take the background colour.
    QImage opaque = blankImage(16, 16);
    drawOn(opaque, [](QtSurface& s) {
        s.setPen(Pen::null());
        s.setBackgroundMode(BackgroundMode::Opaque);
        s.setBackgroundColour({0, 255, 0});
        s.setBrush(Brush::hatch(BrushStyle::Horizontal, kBlack));
        s.rectangle({0, 0, 16, 16});
    });
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            EXPECT_TRUE(opaque.pixel(x, y) == qRgb(0, 0, 0) || opaque.pixel(x, y) == qRgb(0, 255, 0));
}

TEST(QtSurface, TextTurnsWithTheEscapement) {
    auto ink = [](int escapement) {
        QImage image = blankImage(200, 200);
        drawOn(image, [&](QtSurface& s) {
            Font font;
            font.face = "DejaVu Sans";
            font.height = 16;
            font.escapement = escapement;
            s.setFont(font);
            s.setTextColour(kBlack);
            s.textOut(100, 100, "Plexo");
        });
        return inkBounds(image);
    };
    const QRect across = ink(0), up = ink(900), down = ink(2700);
    ASSERT_FALSE(across.isEmpty());
    EXPECT_GT(across.width(), across.height());
    EXPECT_GE(across.left(), 100);
    EXPECT_GE(across.top(), 100);
    // Upward: the cell lies above the origin, its top edge on the left.
    EXPECT_GT(up.height(), up.width());
    EXPECT_LE(up.bottom(), 100);
    EXPECT_GE(up.left(), 100);
    EXPECT_NEAR(up.height(), across.width(), 2);
    // Downward: below the origin, to its left.
    EXPECT_GE(down.top(), 100);
    EXPECT_LE(down.right(), 100);
}

TEST(QtSurface, TextIsMeasuredAndConvertedFromWindows1252) {
    QImage image = blankImage(10, 10);
    QPainter painter(&image);
    QtSurface s(painter);
    Font font;
    font.face = "DejaVu Sans";
    font.height = 20;
    s.setFont(font);
    const Extent e = s.textExtent("S\xe9quence"); // "Séquence"
    EXPECT_GT(e.width, s.textExtent("Squence").width);
    EXPECT_GE(e.height, 20);
    EXPECT_EQ(s.textExtent("").width, 0);
}

TEST(QtSurface, InvertedRubberShapesDrawnTwiceRestoreTheImage) {
    QImage original(60, 60, QImage::Format_RGB32);
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 60; ++x)
            original.setPixel(x, y, qRgb(x * 4, y * 4, (x * y) % 256));
    QImage image = original;
    auto rubber = [](QtSurface& s) {
        s.setRasterMode(RasterMode::Invert);
        s.setPen(Pen::solid(kBlack));
        s.setBrush(Brush::none());
        s.moveTo(3, 4);
        s.lineTo(50, 41);
        s.rectangle({10, 10, 30, 25});
        s.ellipse({5, 30, 40, 55});
    };
    drawOn(image, rubber);
    EXPECT_NE(image, original);
    EXPECT_EQ(image.pixel(3, 4), ~original.pixel(3, 4) | 0xff000000u);
    drawOn(image, rubber);
    EXPECT_EQ(image, original);
}

TEST(QtSurface, StretchedBitmapCoversItsRectangle) {
    // 2 × 2: red, green / blue, black
    const std::vector<std::uint8_t> pixels = {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 0, 0, 0, 255};
    QImage image = blankImage(40, 40);
    drawOn(image, [&](QtSurface& s) { s.stretchBitmap({10, 10, 30, 30}, 2, 2, pixels); });
    EXPECT_EQ(inkBounds(image), QRect(QPoint(10, 10), QPoint(29, 29)));
    EXPECT_EQ(image.pixel(10, 10), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(29, 10), qRgb(0, 255, 0));
    EXPECT_EQ(image.pixel(10, 29), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(29, 29), qRgb(0, 0, 0));

    QImage mirrored = blankImage(40, 40);
    drawOn(mirrored, [&](QtSurface& s) { s.stretchBitmap({30, 10, 10, 30}, 2, 2, pixels); });
    EXPECT_EQ(mirrored.pixel(10, 10), qRgb(0, 255, 0));

    // Too few bytes for the size: nothing is drawn.
    QImage truncated = blankImage(40, 40);
    drawOn(truncated, [&](QtSurface& s) {
        s.stretchBitmap({10, 10, 30, 30}, 3, 2, pixels);
        s.stretchBitmap({10, 10, 30, 30}, 1 << 20, 1 << 20, pixels);
    });
    EXPECT_TRUE(inkBounds(truncated).isEmpty());
}

TEST(QtSurface, ArcsRunCounterClockwiseBetweenRadials) {
    // From the radial at 3 o'clock to the one at 12: the top-right quarter.
    QImage image = blankImage(50, 50);
    drawOn(image, [](QtSurface& s) {
        s.setPen(Pen::solid(kBlack));
        s.arc({0, 0, 41, 41}, {40, 20}, {20, -100});
    });
    const QRect quarter = inkBounds(image);
    EXPECT_GE(quarter.left(), 19);
    EXPECT_LE(quarter.bottom(), 21);
    EXPECT_GE(quarter.right(), 39);
    EXPECT_LE(quarter.top(), 1);

    // Half-oval fills through the surface's chords land on the curve's side.
    for (int secondY : {10, 50}) {
        QImage half = blankImage(50, 60);
        drawOn(half, [&](QtSurface& s) {
            s.setPen(Pen::null());
            s.setBrush(Brush::solid(kBlack));
            horizontalHalfOvalFill(s, {5, 30}, {45, secondY}, 5);
        });
        const QRect filled = inkBounds(half);
        ASSERT_FALSE(filled.isEmpty());
        if (secondY < 30) {
            EXPECT_LE(filled.bottom(), 31);
            EXPECT_LE(filled.top(), 11);
        } else {
            EXPECT_GE(filled.top(), 30);
            EXPECT_GE(filled.bottom(), 49);
        }
    }
}

TEST(QtSurface, HatchesScrollWithTheDrawing) {
    // The same drawing scrolled by 3 pixels shows its hatch 3 pixels further.
    auto columns = [](int scroll) {
        QImage image = blankImage(24, 1);
        drawOn(image, [&](QtSurface& s) {
            s.setOrigin({scroll, 0});
            s.setPen(Pen::null());
            s.setBrush(Brush::hatch(BrushStyle::Vertical, kBlack));
            s.rectangle({0, 0, 40, 1});
        });
        std::vector<int> ink;
        for (int x = 0; x < 24; ++x)
            if (isInk(image, x, 0))
                ink.push_back(x + scroll);
        return ink;
    };
    const std::vector<int> still = columns(0), scrolled = columns(3);
    ASSERT_GE(still.size(), 2u);
    EXPECT_EQ(still[1] - still[0], 8);
    EXPECT_EQ(scrolled[0] % 8, still[0] % 8);
}

TEST(QtSurface, VectorOutputsTakeEveryCallAndCannotInvert) {
    const std::vector<std::uint8_t> pixel = {10, 20, 30, 255};
    auto drawAll = [&](QtSurface& s) {
        s.setRasterMode(RasterMode::Invert);
        s.setPen(Pen::solid(kRed, 2));
        s.setBrush(Brush::hatch(BrushStyle::Cross, kBlack));
        s.rectangle({10, 10, 50, 40});
        s.roundRect({60, 10, 100, 40}, 10, 10);
        s.chord({10, 50, 50, 90}, {0, 70}, {0, 70});
        s.arc({60, 50, 100, 90}, {100, 70}, {80, 50});
        const Point triangle[] = {{10, 100}, {50, 100}, {30, 120}};
        s.polygon(triangle);
        s.polyline(triangle);
        s.moveTo(0, 0);
        s.lineTo(100, 100);
        Font font;
        font.escapement = 450;
        s.setFont(font);
        s.textOut(60, 100, "Texte");
        s.stretchBitmap({60, 110, 70, 120}, 1, 1, pixel);
    };
    QBuffer svg;
    svg.open(QIODevice::WriteOnly);
    {
        QSvgGenerator generator;
        generator.setOutputDevice(&svg);
        generator.setSize(QSize(120, 130));
        QPainter painter(&generator);
        QtSurface surface(painter);
        EXPECT_FALSE(surface.canInvert());
        drawAll(surface);
    }
    EXPECT_TRUE(svg.data().contains("<svg"));
    EXPECT_TRUE(svg.data().contains("Texte"));

    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        QPainter painter(&writer);
        QtSurface surface(painter);
        EXPECT_FALSE(surface.canInvert());
        drawAll(surface);
    }
    EXPECT_TRUE(pdf.data().startsWith("%PDF"));

    QImage image = blankImage(120, 130);
    QPainter painter(&image);
    QtSurface surface(painter);
    EXPECT_TRUE(surface.canInvert());
}

TEST(QtSurface, OriginScrollsAndClipHoldsOnTheOutput) {
    QImage image = blankImage(20, 20);
    drawOn(image, [](QtSurface& s) {
        s.setPen(Pen::null());
        s.setBrush(Brush::solid(kBlack));
        s.setOrigin({100, 200});
        s.rectangle({100, 200, 102, 202});
        s.setClipRect({105, 205, 110, 210}); // output pixels 5..9
        s.setOrigin({0, 0});
        s.rectangle({0, 0, 20, 20});
    });
    EXPECT_EQ(inkBounds(image), QRect(QPoint(0, 0), QPoint(9, 9)));
    EXPECT_TRUE(isInk(image, 1, 1));
    EXPECT_FALSE(isInk(image, 3, 3));
    EXPECT_TRUE(isInk(image, 5, 5));
}

TEST(QtSurface, PensBrushesAndFontsFollowEveryChangeAcrossTexts) {
    QImage image = blankImage(200, 120);
    QPainter painter(&image);
    QtSurface s(painter);
    Font small;
    small.face = "DejaVu Sans";
    small.height = 10;
    Font large = small;
    large.height = 20;
    s.setFont(small);
    const Extent first = s.textExtent("Plexo");
    s.setFont(large);
    const Extent second = s.textExtent("Plexo");
    s.setFont(small);
    EXPECT_EQ(s.textExtent("Plexo"), first);
    EXPECT_GT(second.width, first.width);
    EXPECT_GT(second.height, first.height);
    Font turned = small;
    turned.escapement = 900;
    s.setFont(turned);
    EXPECT_EQ(s.textExtent("Plexo"), first); // along the baseline, whatever the turn

    // A text in opaque mode leaves the pen, the brush and the mode as they were.
    s.setFont(small);
    s.setPen(Pen::solid(kRed));
    s.setPen(Pen::solid(kRed));
    s.setBrush(Brush::solid({0, 0, 255}));
    s.setTextColour({0, 128, 0});
    s.setBackgroundColour({255, 255, 0});
    s.setBackgroundMode(BackgroundMode::Opaque);
    s.textOut(10, 10, "Plexo");
    EXPECT_EQ(image.pixel(10, 10), qRgb(255, 255, 0)); // the cell's corner
    s.moveTo(10, 50);
    s.lineTo(100, 50);
    EXPECT_EQ(image.pixel(50, 50), qRgb(255, 0, 0));
    s.rectangle({120, 40, 140, 60});
    EXPECT_EQ(image.pixel(130, 50), qRgb(0, 0, 255));
    s.textOut(10, 80, "Plexo");
    EXPECT_EQ(image.pixel(10, 80), qRgb(255, 255, 0)); // still opaque
    // Back to a pen used before: it is applied again.
    s.setPen(Pen::solid(kBlack));
    s.setPen(Pen::solid(kRed));
    s.moveTo(10, 70);
    s.lineTo(100, 70);
    EXPECT_EQ(image.pixel(50, 70), qRgb(255, 0, 0));
}

TEST(QtSurface, KeptExtentsAreThoseOfTheOutputAndFontMeasuredAfresh) {
    // Each output answers with its own metrics, the first time and every time
    // after, whichever surface measured the text before.
    const std::string texts[] = {"Plexo", "S\xe9quence", "obj12"};
    auto check = [&](QPaintDevice& device, const char* name) {
        for (int height : {7, 13, 13, 30})
            for (int weight : {400, 600, 700}) {
                QPainter painter(&device);
                QtSurface s(painter);
                Font font;
                font.face = "DejaVu Sans";
                font.height = height;
                font.weight = weight;
                s.setFont(font);
                const QFontMetrics fresh(painter.font(), &device);
                for (const std::string& text : texts) {
                    const QString string = QString::fromLatin1(text.data(), int(text.size()));
                    EXPECT_EQ(s.textExtent(text), (Extent{fresh.horizontalAdvance(string), fresh.height()}))
                        << name << " " << height << " " << weight << " " << text;
                }
            }
    };
    QImage image = blankImage(10, 10);
    check(image, "image");
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    QPdfWriter writer(&pdf);
    check(writer, "pdf");
    check(image, "image again");
}

} // namespace
} // namespace plexo
