// Copy, paste and duplicate of objects: what arrives, where it lands, what the
// pasted wires join, and that a failed paste leaves nothing behind.
#include "edit/clipboard.h"

#include "base/textcodec.h"
#include "shapes/recordingsurface.h"
#include "shapes/shape.h"
#include "store/selection.h"
#include "store/undo.h"
#include "support/drawingfixture.h"
#include "support/storefixture.h"
#include "support/testenvironment.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace plexo {
namespace {

class ClipboardTest : public ::testing::Test {
protected:
    ClipboardTest() {
        for (test::DrawingFixture* fixture : {&f, &other}) {
            fixture->document.snapToGrid = 0;
            fixture->document.unitIsMm = 0;
            fixture->document.secondaryGrid = 5000;
        }
    }

    // Two symbols joined by a wire from the right terminal of the first to the
    // left terminal of the second, all selected.
    void drawPair() {
        left = &f.folio->append(test::makeSymbol(*f.folio, "Moteur", {0, 0}));
        right = &f.folio->append(test::makeSymbol(*f.folio, "Moteur", {40000, 0}));
        wire = &f.addWire({{20000, 5000}, {40000, 5000}}, test::DrawingFixture::terminal(*left, 1),
                          test::DrawingFixture::terminal(*right, 0));
        for (auto& object : f.folio->objects)
            object->selected = true;
        refreshSelectionSummary(f.document);
    }

    static Rect extentFrom(const Folio& folio, std::size_t first) {
        Rect r = folio.objects.at(first)->outline;
        for (std::size_t i = first; i < folio.objects.size(); ++i) {
            r.left = std::min(r.left, folio.objects[i]->outline.left);
            r.top = std::min(r.top, folio.objects[i]->outline.top);
        }
        return r;
    }

    // The symbol whose labels hold end, among the objects from index first.
    static const Shape* ownerOf(const Folio& folio, const Shape* end, std::size_t first = 0) {
        for (std::size_t i = first; i < folio.objects.size(); ++i) {
            const Shape& object = *folio.objects[i];
            if (object.kind == kSymbol && object.infoSymbole)
                for (const auto& label : object.infoSymbole->labels)
                    if (label.shape.get() == end)
                        return &object;
        }
        return nullptr;
    }

    test::TemporaryFolder folder;
    test::LibraryFixture library{folder.path()};
    test::ScriptedUserInterface ui;
    test::DrawingFixture f;
    test::DrawingFixture other;
    Shape* left = nullptr;
    Shape* right = nullptr;
    Shape* wire = nullptr;
};

TEST_F(ClipboardTest, ObjectsTravelBetweenDocumentsJoinedAndPlaced) {
    drawPair();
    ASSERT_TRUE(copySelection(*f.folio));
    EXPECT_TRUE(clipboardCanPaste());

    Folio& target = *other.folio;
    Shape& kept = other.add(kRectangle, {{0, 0}, {10000, 10000}});
    kept.selected = true;
    const Point origin{100000, 50000};
    ASSERT_TRUE(pasteFromClipboard(other.document, target, origin));
    ASSERT_EQ(target.objects.size(), 4u);
    EXPECT_FALSE(kept.selected);
    EXPECT_EQ(other.document.selection.count, 3);
    const Rect placed = extentFrom(target, 1);
    EXPECT_EQ((Point{placed.left, placed.top}), origin);
    EXPECT_EQ(undoLabelFor(other.document, &target).text, "&Annuler coller\tCtrl+Z");

    const Shape& pastedWire = *target.objects[3];
    ASSERT_TRUE(pastedWire.infoFil);
    EXPECT_EQ(ownerOf(target, pastedWire.infoFil->amont), target.objects[1].get());
    EXPECT_EQ(ownerOf(target, pastedWire.infoFil->aval), target.objects[2].get());
    EXPECT_EQ(pastedWire.infoFil->amont->infoBorne->wire, &pastedWire);

    // Undone, the pasted objects are gone again.
    undoAction(other.document);
    for (std::size_t i = 1; i < target.objects.size(); ++i)
        EXPECT_FALSE(target.objects[i]->alive);
}

TEST_F(ClipboardTest, APastedWireNeverJoinsTheOriginals) {
    drawPair();
    ASSERT_TRUE(copySelection(*f.folio));
    // Pasted onto the same folio, over the originals.
    ASSERT_TRUE(pasteFromClipboard(f.document, *f.folio, {0, 0}));
    ASSERT_EQ(f.folio->objects.size(), 6u);
    const Shape& pastedWire = *f.folio->objects[5];
    EXPECT_EQ(ownerOf(*f.folio, pastedWire.infoFil->amont, 3), f.folio->objects[3].get());
    EXPECT_EQ(ownerOf(*f.folio, pastedWire.infoFil->aval, 3), f.folio->objects[4].get());
    // The originals keep their own wire.
    EXPECT_EQ(ownerOf(*f.folio, wire->infoFil->amont), left);
    EXPECT_EQ(ownerOf(*f.folio, wire->infoFil->aval), right);
    EXPECT_EQ(test::DrawingFixture::terminal(*left, 1)->infoBorne->wire, wire);
    EXPECT_EQ(test::DrawingFixture::terminal(*right, 0)->infoBorne->wire, wire);
    EXPECT_FALSE(left->selected || right->selected || wire->selected);
}

TEST_F(ClipboardTest, DuplicatedSymbolsKeepTheirWireBetweenThem) {
    drawPair();
    ASSERT_TRUE(duplicateSelection(f.document, *f.folio, {200000, 100000}));
    ASSERT_EQ(f.folio->objects.size(), 6u);
    const Shape& copy = *f.folio->objects[5];
    ASSERT_TRUE(copy.isWire());
    EXPECT_EQ(ownerOf(*f.folio, copy.infoFil->amont, 3), f.folio->objects[3].get());
    EXPECT_EQ(ownerOf(*f.folio, copy.infoFil->aval, 3), f.folio->objects[4].get());
    EXPECT_EQ(test::DrawingFixture::terminal(*left, 1)->infoBorne->wire, wire);
    // The copy's wire lies between the copies' terminals, not the originals'.
    EXPECT_GE(copy.points.front().x, 200000);
    EXPECT_EQ(undoLabelFor(f.document, f.folio).text, "&Annuler coller\tCtrl+Z");
    EXPECT_EQ(f.document.selection.count, 3);
    // The clipboard was not used.
    EXPECT_FALSE(clipboardCanPaste());
}

TEST_F(ClipboardTest, PlacementSnapsTheDisplacementWhenSnapIsOn) {
    Shape& box = f.add(kRectangle, {{1000, 1000}, {11000, 6000}});
    struct Case {
        bool snap;
        Point origin, topLeft;
    } cases[] = {
        {false, {12600, 7400}, {12600, 7400}},
        // The outline starts at (-2000, -2000) (the box grown by 3000): the
        // displacement (14600, 9400) snaps to steps of 5000: (15000, 10000).
        {true, {12600, 7400}, {13000, 8000}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.snap);
        f.document.snapToGrid = c.snap ? 1 : 0;
        deselectAll(f.document);
        box.selected = true;
        refreshSelectionSummary(f.document);
        const std::size_t first = f.folio->objects.size();
        ASSERT_TRUE(duplicateSelection(f.document, *f.folio, c.origin));
        const Rect placed = extentFrom(*f.folio, first);
        EXPECT_EQ((Point{placed.left, placed.top}), c.topLeft);
    }
}

TEST_F(ClipboardTest, TextFromOtherProgramsBecomesATextObject) {
    EXPECT_FALSE(clipboardCanPaste());
    userInterface().setClipboardText("Pompe à eau");
    ASSERT_TRUE(clipboardCanPaste());
    ASSERT_TRUE(pasteFromClipboard(f.document, *f.folio, {30000, 20000}));
    ASSERT_EQ(f.folio->objects.size(), 1u);
    const Shape& text = *f.folio->objects[0];
    EXPECT_EQ(text.kind, kText);
    EXPECT_EQ(text.data, utf8ToCp1252("Pompe à eau"));
    EXPECT_TRUE(text.selected && text.alive);
    EXPECT_EQ((Point{text.outline.left, text.outline.top}), (Point{30000, 20000}));
    EXPECT_EQ(undoLabelFor(f.document, f.folio).text, "&Annuler coller\tCtrl+Z");
    // Copying objects replaces the text.
    drawPair();
    ASSERT_TRUE(copySelection(*f.folio));
    EXPECT_FALSE(userInterface().clipboardText());
}

TEST_F(ClipboardTest, CopyOffersAPictureOfTheSelectionAtNaturalSize) {
    Shape& box = f.add(kRectangle, {{100000, 50000}, {140000, 70000}});
    f.add(kRectangle, {{0, 0}, {10000, 10000}}); // not selected: not drawn
    box.selected = true;
    refreshSelectionSummary(f.document);
    ASSERT_TRUE(copySelection(*f.folio));
    const Rect extent = picturedExtent(*f.folio);
    EXPECT_EQ(extent, box.outline);
    ASSERT_TRUE(ui.clipboardPicture.draw);
    EXPECT_EQ(ui.clipboardPicture.width, (extent.right - extent.left) / 1000 + 1);
    EXPECT_EQ(ui.clipboardPicture.height, (extent.bottom - extent.top) / 1000 + 1);
    RecordingSurface surface;
    ui.clipboardPicture.draw(surface);
    // The selected box only, its outline's corner at the picture's origin, and the
    // surface's origin put back at the end; the box stays selected.
    EXPECT_EQ(
        surface.drawingLines(),
        (std::vector<std::string>{"moveTo(100,50)", "lineTo(140,50)", "moveTo(140,50)", "lineTo(140,70)",
                                  "moveTo(140,70)", "lineTo(100,70)", "moveTo(100,70)", "lineTo(100,50)"}));
    std::vector<const SurfaceCall*> origins;
    for (const SurfaceCall& call : surface.calls())
        if (call.op == SurfaceOp::SetOrigin)
            origins.push_back(&call);
    ASSERT_EQ(origins.size(), 2u);
    EXPECT_EQ(origins[0]->args, (std::vector<int>{extent.left / 1000, extent.top / 1000}));
    EXPECT_EQ(surface.origin(), (Point{0, 0}));
    EXPECT_TRUE(box.selected);
}

TEST_F(ClipboardTest, TheWholeFolioPictureCarriesTheSelectionOnly) {
    Shape& box = f.add(kRectangle, {{100000, 50000}, {140000, 70000}});
    Shape& apart = f.add(kRectangle, {{0, 0}, {10000, 10000}});
    box.selected = true;
    refreshSelectionSummary(f.document);
    ASSERT_TRUE(copySelection(*f.folio, PictureOf::WholeFolio));
    const Rect whole = picturedExtent(*f.folio, PictureOf::WholeFolio);
    EXPECT_EQ(whole.left, apart.outline.left);
    EXPECT_EQ(whole.right, box.outline.right);
    EXPECT_EQ(ui.clipboardPicture.width, (whole.right - whole.left) / 1000 + 1);
    RecordingSurface surface;
    ui.clipboardPicture.draw(surface);
    EXPECT_EQ(surface.drawingLines().size(), 16u); // both boxes
    ASSERT_TRUE(pasteFromClipboard(other.document, *other.folio, {0, 0}));
    EXPECT_EQ(other.folio->objects.size(), 1u);

    // Nothing selected: the picture still goes, and a paste of it adds nothing,
    // says nothing and leaves nothing to undo.
    deselectAll(f.document);
    ASSERT_TRUE(copySelection(*f.folio, PictureOf::WholeFolio));
    EXPECT_FALSE(copySelection(*f.folio));
    ui.boxes.clear();
    EXPECT_FALSE(pasteFromClipboard(f.document, *f.folio, {0, 0}));
    EXPECT_EQ(f.folio->objects.size(), 2u);
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_FALSE(undoLabelFor(f.document, f.folio).enabled);
}

TEST_F(ClipboardTest, ImagesFromOtherProgramsBecomePictures) {
    ClipboardImage image{2, 1, {255, 0, 0, 255, 0, 0, 255, 255}};
    userInterface().setClipboardImage(image);
    ASSERT_TRUE(clipboardCanPaste());
    ASSERT_TRUE(pasteFromClipboard(f.document, *f.folio, {20000, 30000}));
    ASSERT_EQ(f.folio->objects.size(), 1u);
    const Shape& picture = *f.folio->objects[0];
    EXPECT_EQ(picture.kind, kDibPicture);
    ASSERT_TRUE(picture.dib);
    EXPECT_EQ(picture.dib->width(), 2);
    EXPECT_EQ(picture.dib->height(), 1);
    std::vector<std::uint8_t> decoded;
    ASSERT_TRUE(picture.dib->decodeToRgba(decoded));
    EXPECT_EQ(decoded, image.rgba);
    EXPECT_TRUE(picture.selected);
    EXPECT_EQ((Point{picture.outline.left, picture.outline.top}), (Point{20000, 30000}));

    // An image that cannot be kept: a message, nothing pasted, nothing to undo.
    undoAction(f.document);
    recordAction(f.document, f.folio, kUndoMove);
    const std::size_t before = f.folio->objects.size();
    for (const ClipboardImage& bad :
         {ClipboardImage{2, 2, {1, 2, 3}}, ClipboardImage{0, 0, {}}, ClipboardImage{20000, 20000, {}}}) {
        ui.boxes.clear();
        userInterface().setClipboardImage(bad);
        EXPECT_FALSE(pasteFromClipboard(f.document, *f.folio, {0, 0}));
        EXPECT_EQ(f.folio->objects.size(), before);
        ASSERT_EQ(ui.boxes.size(), 1u);
        EXPECT_EQ(ui.boxes[0].text, "Impossible de coller l'image.");
        EXPECT_EQ(ui.boxes[0].caption, "Coller");
    }
}

TEST_F(ClipboardTest, ADamagedClipboardLeavesNothingBehind) {
    Shape& kept = f.add(kRectangle, {{0, 0}, {10000, 10000}});
    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
    } cases[] = {
        {"empty", {}},
        {"cut short", {1, 9, 0, 0}},
        {"no end marker", test::objectListBytes(*f.folio)},
    };
    cases[2].bytes.pop_back();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ui.boxes.clear();
        userInterface().setClipboardData(kObjectsFormat, c.bytes);
        EXPECT_FALSE(pasteFromClipboard(f.document, *f.folio, {50000, 50000}));
        ASSERT_EQ(f.folio->objects.size(), 1u);
        EXPECT_EQ(f.folio->objects[0].get(), &kept);
        EXPECT_FALSE(undoLabelFor(f.document, f.folio).enabled);
        ASSERT_EQ(ui.boxes.size(), 1u);
        EXPECT_EQ(ui.boxes[0].text, "Il n'y a pas assez de mémoire pour coller.");
        EXPECT_EQ(ui.boxes[0].caption, "Coller");
    }
}

} // namespace
} // namespace plexo
