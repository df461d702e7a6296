// Objects, text and images through the real Qt clipboard: what the schéma view
// offers other programs when it copies, and what it takes from them.
#include "apptestsupport.h"

#include "edit/clipboard.h"
#include "store/selection.h"
#include "support/drawingfixture.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

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
