// What the pane shows when the selection changes under the mouse, offscreen:
// the handles of objects that leave the selection are erased from the picture.
#include "shapes/shape.h"
#include "store/folio.h"
#include "store/saodoc.h"
#include "store/selection.h"
#include "support/storefixture.h"
#include "support/testenvironment.h"
#include "views/schema/pane.h"
#include "views/schema/saoview.h"

#include <QImage>
#include <QTest>
#include <gtest/gtest.h>

namespace plexo {
namespace {

class PaneSelection : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(doc.open({}));
        doc.unitIsMm = 0;
        doc.snapToGrid = 0;
        view = std::make_unique<saoView>(doc);
        view->resize(640, 480);
        view->show();
        view->pane()->setGridVisible(false);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
        QApplication::processEvents();
    }
    void TearDown() override {
        view.reset();
        doc.close();
    }
    Shape& add(int kind, std::vector<Point> points) {
        Shape& shape = view->folio()->append(test::makeShape(kind, std::move(points)));
        shape.takeUndoCopy();
        view->pane()->repaintAll();
        return shape;
    }
    QWidget* surface() { return view->pane()->viewport(); }
    QPoint window(Point p) {
        const Point w = view->pane()->view().toWindow(p);
        return {w.x, w.y};
    }
    void click(QPoint at) {
        QTest::mouseClick(surface(), Qt::LeftButton, {}, at);
        QApplication::processEvents();
    }
    // The pane as painted, and as a full repaint from the folio draws it.
    QImage shown() { return surface()->grab().toImage().convertToFormat(QImage::Format_RGB32); }
    static int differingPixels(const QImage& a, const QImage& b) {
        if (a.size() != b.size())
            return a.width() * a.height();
        int count = 0;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x)
                count += qRgb(qRed(a.pixel(x, y)), qGreen(a.pixel(x, y)), qBlue(a.pixel(x, y))) !=
                         qRgb(qRed(b.pixel(x, y)), qGreen(b.pixel(x, y)), qBlue(b.pixel(x, y)));
        return count;
    }
    QImage redrawn() {
        view->pane()->repaintAll();
        return shown();
    }

    test::ScriptedUserInterface ui;
    saoDoc doc;
    std::unique_ptr<saoView> view;
};

TEST_F(PaneSelection, AClickOnEmptySpaceErasesTheHandlesOfWhatWasSelected) {
    Shape& box = add(kRectangle, {{100000, 100000}, {160000, 140000}});
    const QImage before = redrawn();
    click(window({100000, 120000}));
    ASSERT_TRUE(box.selected);
    EXPECT_GT(differingPixels(shown(), before), 0) << "the handles are drawn";
    click(window({300000, 300000}));
    ASSERT_FALSE(box.selected);
    EXPECT_EQ(differingPixels(shown(), before), 0);
}

TEST_F(PaneSelection, AClickOnAnotherObjectErasesTheHandlesOfTheFirst) {
    Shape& box = add(kRectangle, {{100000, 100000}, {160000, 140000}});
    Shape& other = add(kRectangle, {{300000, 100000}, {360000, 140000}});
    click(window({300000, 120000}));
    ASSERT_TRUE(other.selected);
    const QImage otherSelected = shown();
    click(window({100000, 120000}));
    click(window({300000, 120000}));
    ASSERT_TRUE(other.selected);
    ASSERT_FALSE(box.selected);
    EXPECT_EQ(differingPixels(shown(), otherSelected), 0);
    EXPECT_EQ(differingPixels(shown(), redrawn()), 0);
}

} // namespace
} // namespace plexo
