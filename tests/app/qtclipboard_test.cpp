// Objects, text and images through the real Qt clipboard: what the schéma view
// offers other programs when it copies, and what it takes from them.
#include "apptestsupport.h"

#include "app/qtuserinterface.h"
#include "edit/clipboard.h"
#include "store/selection.h"
#include "support/drawingfixture.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QPainter>
#include <QSvgRenderer>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

namespace plexo {
namespace {

using test::RunningApp;

class QtClipboard : public ::testing::Test {
protected:
    QtClipboard() {
        running.ui.reset(); // the application's own interface and the real clipboard
        f.document.snapToGrid = 0;
    }

    RunningApp running;
    test::DrawingFixture f;
};

TEST_F(QtClipboard, CopiedObjectsComeBackAndOtherProgramsGetAPicture) {
    Shape& box = f.add(kRectangle, {{100000, 50000}, {140000, 70000}});
    box.selected = true;
    refreshSelectionSummary(f.document);
    ASSERT_TRUE(copySelection(*f.folio));
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_TRUE(data->hasFormat("application/x-plexo-Plexo100PP"));
    ASSERT_TRUE(data->hasImage());
    const QImage picture = qvariant_cast<QImage>(data->imageData());
    const Rect extent = picturedExtent(*f.folio);
    EXPECT_EQ(picture.width(), (extent.right - extent.left) / 1000 + 1);
    EXPECT_EQ(picture.height(), (extent.bottom - extent.top) / 1000 + 1);
    // The box is drawn as its border: the middle stays clear, the top edge is not.
    EXPECT_EQ(qAlpha(picture.pixel(picture.width() / 2, picture.height() / 2)), 0);
    EXPECT_EQ(qAlpha(picture.pixel(picture.width() / 2, 50 - extent.top / 1000)), 255);

    test::DrawingFixture other;
    other.document.snapToGrid = 0;
    ASSERT_TRUE(clipboardCanPaste());
    ASSERT_TRUE(pasteFromClipboard(other.document, *other.folio, {5000, 6000}));
    ASSERT_EQ(other.folio->objects.size(), 1u);
    EXPECT_EQ(other.folio->objects[0]->kind, kRectangle);
    EXPECT_EQ((Point{other.folio->objects[0]->outline.left, other.folio->objects[0]->outline.top}),
              (Point{5000, 6000}));
}

TEST_F(QtClipboard, OtherProgramsAlsoGetTheSelectionAsAnSvgOfItsExtent) {
    Shape& box = f.add(kRectangle, {{100000, 50000}, {140000, 70000}});
    Shape& line = f.add(kLine, {{150000, 20000}, {200000, 20000}});
    f.add(kRectangle, {{400000, 400000}, {500000, 500000}}); // not selected: not pictured
    box.selected = line.selected = true;
    refreshSelectionSummary(f.document);
    ASSERT_TRUE(copySelection(*f.folio));
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    ASSERT_TRUE(data->hasFormat(kSvgMimeType));
    const QByteArray svg = data->data(kSvgMimeType);
    QSvgRenderer renderer(svg);
    ASSERT_TRUE(renderer.isValid());
    const Rect extent = picturedExtent(*f.folio);
    const int width = (extent.right - extent.left) / 1000 + 1;
    const int height = (extent.bottom - extent.top) / 1000 + 1;
    EXPECT_EQ(renderer.viewBox(), QRect(0, 0, width, height));
    // The physical size takes one unit as one point (72 an inch).
    QXmlStreamReader xml(svg);
    while (!xml.atEnd() && !(xml.isStartElement() && xml.name() == QStringLiteral("svg")))
        xml.readNext();
    const QString shownWidth = xml.attributes().value(QStringLiteral("width")).toString();
    const QString shownHeight = xml.attributes().value(QStringLiteral("height")).toString();
    ASSERT_TRUE(shownWidth.endsWith(QStringLiteral("mm"))) << shownWidth.toStdString();
    EXPECT_NEAR(shownWidth.chopped(2).toDouble(), width * 25.4 / 72, 0.01);
    EXPECT_NEAR(shownHeight.chopped(2).toDouble(), height * 25.4 / 72, 0.01);
    // Drawn without handles at natural size: the box's top edge shows, its middle and
    // the empty space beside the line do not.
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        renderer.render(&painter, QRectF(0, 0, width, height));
    }
    const int boxLeft = 100 - extent.left / 1000, boxTop = 50 - extent.top / 1000;
    EXPECT_GT(qAlpha(image.pixel(boxLeft + 20, boxTop)), 0);
    EXPECT_EQ(qAlpha(image.pixel(boxLeft + 20, boxTop + 10)), 0);
    EXPECT_EQ(qAlpha(image.pixel(boxLeft + 4, boxTop + 4)), 0) << "no handle at the corner";

    // An empty picture gives no SVG.
    EXPECT_TRUE(svgOfPicture({}).isEmpty());
}

TEST_F(QtClipboard, TextAndImagesOfOtherProgramsArePasted) {
    QGuiApplication::clipboard()->setText(QString::fromUtf8("Vanne à boisseau"));
    ASSERT_TRUE(clipboardCanPaste());
    ASSERT_TRUE(pasteFromClipboard(f.document, *f.folio, {0, 0}));
    ASSERT_EQ(f.folio->objects.size(), 1u);
    EXPECT_EQ(f.folio->objects[0]->kind, kText);
    EXPECT_EQ(f.folio->objects[0]->data, "Vanne \xE0 boisseau");

    QImage image(3, 2, QImage::Format_RGBA8888);
    image.fill(QColor(0, 128, 255));
    QGuiApplication::clipboard()->setImage(image);
    ASSERT_TRUE(pasteFromClipboard(f.document, *f.folio, {0, 0}));
    ASSERT_EQ(f.folio->objects.size(), 2u);
    const Shape& pasted = *f.folio->objects[1];
    EXPECT_EQ(pasted.kind, kDibPicture);
    ASSERT_TRUE(pasted.dib);
    std::vector<std::uint8_t> rgba;
    ASSERT_TRUE(pasted.dib->decodeToRgba(rgba));
    ASSERT_EQ(rgba.size(), 3u * 2u * 4u);
    EXPECT_EQ((std::vector<std::uint8_t>(rgba.begin(), rgba.begin() + 4)),
              (std::vector<std::uint8_t>{0, 128, 255, 255}));

    // The default interface's image round trip through the real clipboard.
    ASSERT_TRUE(userInterface().setClipboardImage({1, 1, {9, 8, 7, 255}}));
    const std::optional<ClipboardImage> back = userInterface().clipboardImage();
    ASSERT_TRUE(back);
    EXPECT_EQ(back->rgba, (std::vector<std::uint8_t>{9, 8, 7, 255}));
}

} // namespace
} // namespace plexo
