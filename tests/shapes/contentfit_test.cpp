// "Ajuster le contour de l'objet" on one object: a text's box holds its lines
// exactly as they are laid out, a picture takes its natural size, and the box
// turns with the object.
#include "shapes/contentfit.h"

#include "shapes/geometry.h"
#include "shapes/render.h"
#include "shapes/shape.h"
#include "shapes/style.h"
#include "shapes/textmeasurer.h"
#include "shapes/units.h"
#include "support/storefixture.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace plexo {
namespace {

// A text object at size 10: the fixed measurer gives 6 pixels a character and
// 10 a line.
std::unique_ptr<Shape> textObject(const std::string& text, int angle = 0) {
    auto made = std::make_unique<Shape>(kText);
    Shape& shape = *made;
    shape.style = objectDefaultStyle();
    shape.style.fontSize = 10;
    shape.style.fontStyle = 0;
    shape.setApplicability();
    shape.data = text;
    shape.angle = angle;
    shape.points = {{5000, 7000}, {6000, 8000}};
    rebuildGeometry(shape);
    return made;
}

// The text's layout in its box at natural size, as it is drawn.
TextLayout laidOut(const Shape& shape, int shrinkRight = 0) {
    FixedTextMeasurer measurer;
    TextFont font;
    font.height = 10;
    const TextMeasure measure = [&](std::string_view line) {
        const TextExtent e = measurer.measure(font, line);
        return Extent{e.width, e.height};
    };
    Rect box{shape.points[0].x / 1000, shape.points[0].y / 1000, shape.points[1].x / 1000,
             shape.points[1].y / 1000};
    box.right -= shrinkRight;
    return layoutText(shape.data, box, shape.angle, 0, measure, measure, box);
}

TEST(ContentFit, ATextBoxHoldsItsLinesExactly) {
    struct Case {
        const char* what;
        std::string text;
        int angle;
        Point size; // document units, across and down the page
        std::size_t lines;
    } cases[] = {
        {"two lines, CR LF", "abc\r\ndefgh", 0, {30000, 20000}, 2},
        {"an empty line counts", "a\n\nbb", 0, {12000, 30000}, 3},
        {"LF CR is one break", "a\n\rbb", 0, {12000, 20000}, 2},
        {"a tab is a space", "a\tb", 0, {18000, 10000}, 1},
        {"turned a quarter", "abc\r\ndefgh", 90, {20000, 30000}, 2},
        {"an empty text keeps one line", "", 0, {6000, 10000}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto owned = textObject(c.text, c.angle);
        Shape& shape = *owned;
        ASSERT_TRUE(fitToContent(shape, kZoom100));
        EXPECT_EQ(shape.points[0], (Point{5000, 7000})) << "the top-left corner stays";
        EXPECT_EQ(shape.points[1], (Point{5000 + c.size.x, 7000 + c.size.y}));
        if (c.angle == 0 && !c.text.empty()) {
            const TextLayout layout = laidOut(shape);
            EXPECT_FALSE(layout.overflow);
            EXPECT_EQ(layout.lines.size(), c.lines);
            // One pixel less and the widest line no longer fits on its own.
            const TextLayout tighter = laidOut(shape, 1);
            EXPECT_TRUE(tighter.overflow || tighter.lines.size() > c.lines);
        }
    }
}

TEST(ContentFit, TheBoxIsTheSameAtEveryZoom) {
    Point sizes[kZoomLevelCount];
    for (int zoom = 0; zoom < kZoomLevelCount; ++zoom)
        sizes[zoom] = fittedTextSize(*textObject("Pompe de relevage\r\nP2"), zoom);
    for (int zoom = 0; zoom < kZoomLevelCount; ++zoom)
        EXPECT_EQ(sizes[zoom], (Point{17 * 6000, 20000})) << zoom;
}

TEST(ContentFit, PicturesTakeTheirNaturalSize) {
    Shape dib(kDibPicture);
    dib.dib = std::make_unique<saoDib>(test::smallDibBlock());
    dib.points = {{90000, 40000}, {10000, 20000}}; // drawn right to left
    ASSERT_TRUE(fitToContent(dib, kZoom100));
    EXPECT_EQ(dib.points[0], (Point{10000, 20000}));
    EXPECT_EQ(dib.points[1], (Point{12000, 22000})); // 2 × 2 pixels are 2 × 2 points

    Shape bitmap(kBitmapPicture);
    bitmap.picture = std::make_unique<ShapePicture>();
    bitmap.picture->width = 30;
    bitmap.picture->height = 4;
    bitmap.picture->rgba.assign(30 * 4 * 4, 0);
    bitmap.angle = 270;
    bitmap.points = {{0, 0}, {1000, 1000}};
    ASSERT_TRUE(fitToContent(bitmap, kZoom100));
    EXPECT_EQ(bitmap.points[1], (Point{4000, 30000})) << "turned: width and height exchange";

    Shape empty(kDibPicture);
    empty.points = {{0, 0}, {5000, 5000}};
    EXPECT_FALSE(fitChanges(empty, kZoom100));
    EXPECT_FALSE(fitToContent(empty, kZoom100));
    EXPECT_EQ(empty.points[1], (Point{5000, 5000}));
}

TEST(ContentFit, OnlyTextsPicturesAndSymbolsFit) {
    for (int kind = 0; kind < kShapeKindCount; ++kind) {
        const bool fits = kind == kText || kind == kDibPicture || kind == kBitmapPicture || kind == kSymbol;
        EXPECT_EQ(fitsToContent(kind), fits) << kind;
    }
    Shape box(kRectangle);
    box.points = {{0, 0}, {5000, 5000}};
    EXPECT_FALSE(fitToContent(box, kZoom100));
    EXPECT_EQ(box.points[1], (Point{5000, 5000}));
    // A fitted text has nothing left to fit.
    const auto owned = textObject("abc");
    Shape& text = *owned;
    EXPECT_TRUE(fitChanges(text, kZoom100));
    fitToContent(text, kZoom100);
    EXPECT_FALSE(fitChanges(text, kZoom100));
}

} // namespace
} // namespace plexo
