// The pane's magnetic grid as painted offscreen: lines at the grid's multiples,
// and a grid finer than a pixel (a step entered as 0 is stored as 1) covering
// every pixel of the folio without taking a line per step.
#include "views/schema/pane.h"

#include "support/drawingfixture.h"

#include <QElapsedTimer>
#include <QImage>
#include <gtest/gtest.h>

namespace plexo {
namespace {

class PaneGridTest : public ::testing::Test {
protected:
    PaneGridTest() {
        f.document.computeDocumentSize();
        pane.resize(400, 300);
        pane.setGridVisible(true);
    }

    // Shows the folio with these grid steps at 100 % and paints it.
    QImage paintWith(std::int32_t across, std::int32_t down) {
        f.document.horizontalGrid = across;
        f.document.verticalGrid = down;
        pane.showFolio(f.folio);
        pane.show();
        return pane.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    QRgb gridColour() const { return pane.palette().color(QPalette::Button).rgb() | 0xff000000u; }

    test::DrawingFixture f;
    Pane pane;
};

TEST_F(PaneGridTest, LinesFallOnTheStepsMultiples) {
    // 10 points across (10 pixels at 100 %); the horizontal lines far below the view.
    const QImage image = paintWith(10000, 1000000);
    ASSERT_NE(image.pixel(5, 50), gridColour());
    for (int x = 10; x <= 200; x += 10) {
        EXPECT_EQ(image.pixel(x, 50), gridColour()) << x;
        EXPECT_NE(image.pixel(x + 5, 50), gridColour()) << x + 5;
    }
}

TEST_F(PaneGridTest, AGridFinerThanAPixelCoversEveryPixelQuickly) {
    pane.resize(1000, 800);
    QElapsedTimer clock;
    clock.start();
    const QImage image = paintWith(1, 1);
    // A line per step would be some 220 000 lines here, seconds of painting; a
    // line per pixel is a few milliseconds.
    EXPECT_LT(clock.elapsed(), 250);
    for (int x = 1; x < 300; ++x)
        ASSERT_EQ(image.pixel(x, 50), gridColour()) << x;
    for (int y = 1; y < 250; ++y)
        ASSERT_EQ(image.pixel(50, y), gridColour()) << y;
}

} // namespace
} // namespace plexo
