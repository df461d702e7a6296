// An edit of a folio as one transaction: what it records, what it puts back
// when abandoned, and what the views are told.
#include "store/edittransaction.h"

#include "base/buffer.h"
#include "shapes/geometry.h"
#include "shapes/shape.h"
#include "shapes/wires.h"
#include "store/folio.h"
#include "store/schemaobserver.h"
#include "store/selection.h"
#include "store/undo.h"
#include "support/drawingfixture.h"
#include "support/storefixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

namespace plexo {
namespace {

using test::DrawingFixture;
using Points = std::vector<Point>;

// A view that takes the typed calls.
struct TypedView : SchemaObserver {
    std::vector<std::pair<Folio*, Rect>> areas;
    int selections = 0;
    void areaChanged(Folio& folio, const Rect& area) override { areas.emplace_back(&folio, area); }
    void selectionChanged() override { ++selections; }
};

// A view that only knows the numbers.
struct NumberedView : DocumentObserver {
    std::vector<std::pair<int, std::intptr_t>> seen;
    void documentChanged(int code, std::intptr_t detail) override { seen.emplace_back(code, detail); }
};

class EditTransactionTest : public ::testing::Test {
protected:
    EditTransactionTest() {
        f.document.addObserver(&typed);
        f.document.addObserver(&numbered);
    }
    ~EditTransactionTest() override {
        f.document.removeObserver(&typed);
        f.document.removeObserver(&numbered);
    }

    std::string menu() { return undoLabelFor(f.document, f.folio).text; }
    void forgetNotifications() {
        typed.areas.clear();
        typed.selections = 0;
        numbered.seen.clear();
    }

    DrawingFixture f;
    TypedView typed;
    NumberedView numbered;
};

TEST_F(EditTransactionTest, AnEditThatTouchesNothingRecordsNothing) {
    Shape& gone = f.add(kRectangle, {{0, 0}, {10000, 10000}});
    gone.selected = true;
    deleteSelection(f.document, *f.folio);
    f.document.setModified(false);

    // Operations on an empty selection, and a transaction that returns before
    // its first touch: the deletion can still be undone.
    moveSelection(f.document, *f.folio, 1000, 0);
    alignSelection(f.document, *f.folio, kAlignLeft);
    applyStyleToSelection(f.document, *f.folio, objectDefaultStyle());
    { EditTransaction edit(f.document, *f.folio, kUndoRotation); }
    EXPECT_EQ(menu(), "&Annuler la suppression\tCtrl+Z");
    EXPECT_FALSE(f.document.isModified());
    ASSERT_EQ(f.folio->objects.size(), 1u);
    undoAction(f.document);
    EXPECT_TRUE(gone.alive);
}

TEST_F(EditTransactionTest, AnAbandonedEditPutsTheObjectsBackAndLeavesNothingToUndo) {
    Shape& a = f.add(kRectangle, {{0, 0}, {10000, 10000}});
    Shape& b = f.add(kOval, {{20000, 0}, {30000, 10000}});
    const Rect outlineBefore = a.outline;
    f.document.setModified(false);
    Shape* created = nullptr;
    try {
        EditTransaction edit(f.document, *f.folio, kUndoMove);
        edit.modify(a, [](Shape& s) { move(s, 5000, 5000); });
        edit.modify(b, [](Shape& s) {
            s.alive = false;
            s.isNew = false;
        });
        created = &edit.create(test::makeShape(kLine, {{0, 0}, {1000, 1000}}), true);
        ASSERT_TRUE(f.document.isModified());
        throw std::runtime_error("interrupted");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(a.points, (Points{{0, 0}, {10000, 10000}}));
    EXPECT_EQ(a.outline, outlineBefore);
    EXPECT_FALSE(a.changed);
    EXPECT_TRUE(b.alive);
    EXPECT_FALSE(b.changed);
    ASSERT_EQ(f.folio->objects.size(), 2u) << "the created object is gone";
    EXPECT_NE(f.folio->objects[1].get(), created);
    EXPECT_EQ(f.document.undoState.label, 0);
    EXPECT_FALSE(undoLabelFor(f.document, f.folio).enabled);
    EXPECT_FALSE(f.document.isModified());
    EXPECT_FALSE(f.document.selection.any);
    // Undo has nothing to exchange: the objects stay where they are.
    undoAction(f.document);
    EXPECT_EQ(a.points, (Points{{0, 0}, {10000, 10000}}));
}

// A paste reads its objects after recording "coller": they belong to the action,
// go with its undo and go when it is abandoned.
TEST_F(EditTransactionTest, PastedObjectsBelongToTheAction) {
    Folio source;
    source.append(test::makeShape(kOval, {{0, 0}, {500, 500}}));
    source.append(test::makeShape(kLine, {{0, 0}, {500, 500}}));
    const auto bytes = test::objectListBytes(source);
    Shape& kept = f.add(kRectangle, {{0, 0}, {10000, 10000}});
    for (const bool abandoned : {false, true}) {
        SCOPED_TRACE(abandoned ? "abandoned" : "finished");
        Buffer buffer{Buffer::Block(bytes)};
        try {
            EditTransaction edit(f.document, *f.folio, kUndoPaste);
            edit.record();
            const std::size_t first = f.folio->objects.size();
            ASSERT_TRUE(f.folio->readObjects(buffer, ReadMode::Paste));
            edit.adoptCreated(first);
            if (abandoned)
                throw std::runtime_error("interrupted");
        } catch (const std::runtime_error&) {
        }
        if (abandoned) {
            ASSERT_EQ(f.folio->objects.size(), 1u);
            EXPECT_FALSE(f.document.selection.any);
        } else {
            ASSERT_EQ(f.folio->objects.size(), 3u);
            EXPECT_EQ(menu(), "&Annuler coller\tCtrl+Z");
            EXPECT_EQ(f.document.selection.count, 2);
            undoAction(f.document);
            EXPECT_FALSE(f.folio->objects[1]->alive || f.folio->objects[2]->alive);
            // The next recording destroys them.
            recordAction(f.document, f.folio, kUndoMove);
        }
        EXPECT_EQ(f.folio->objects.front().get(), &kept);
    }
}

TEST_F(EditTransactionTest, AnAbandonedUndoLeavesTheActionToUndo) {
    Shape& a = f.add(kRectangle, {{0, 0}, {10000, 10000}});
    a.selected = true;
    moveSelection(f.document, *f.folio, 5000, 0);
    try {
        EditTransaction exchange(f.document, EditTransaction::Exchange{});
        exchange.touch(a);
        a.exchangeWithUndoCopy();
        throw std::runtime_error("interrupted");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(a.points, (Points{{5000, 0}, {15000, 10000}}));
    EXPECT_EQ(menu(), "&Annuler le déplacement\tCtrl+Z");
    undoAction(f.document);
    EXPECT_EQ(a.points, (Points{{0, 0}, {10000, 10000}}));
}

TEST_F(EditTransactionTest, WiresFollowAndTheSummaryIsRefreshedOncePerEdit) {
    LibNode& relais = f.twoTerminalSymbol();
    Shape& a = f.addSymbol(relais, {0, 0});
    Shape& b = f.addSymbol(relais, {100000, 50000});
    Shape& w = f.addWire({{0, 0}, {1, 1}}, DrawingFixture::terminal(a, 1), DrawingFixture::terminal(b, 0));
    b.selected = true;
    struct Case {
        const char* name;
        std::function<void()> edit;
    };
    const Case cases[] = {
        {"move", [&] { moveSelection(f.document, *f.folio, 0, 20000); }},
        {"undo", [&] { undoAction(f.document); }},
        {"rotation", [&] { rotateSelection(f.document, *f.folio, 90); }},
        {"resize", [&] { resizeObject(f.document, *f.folio, b, 0, 10000, -1); }},
        {"transaction",
         [&] {
             EditTransaction edit(f.document, *f.folio, kUndoModification);
             edit.modify(b, [](Shape& s) { move(s, 1000, 0); });
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        forgetNotifications();
        c.edit();
        EXPECT_EQ(typed.selections, 1);
        EXPECT_EQ(w.points.back(), placedPoint(*DrawingFixture::terminal(b, 0)));
        EXPECT_EQ(w.infoFil->aval, DrawingFixture::terminal(b, 0));
        EXPECT_EQ(f.document.selection.single, &b);
    }
}

TEST_F(EditTransactionTest, AMoveTellsTheAreasOfItsObjectsOnItsFolioAndTheSelectionOnce) {
    Folio& other = f.addFolio();
    f.add(kRectangle, {{0, 0}, {10000, 10000}}, "", &other);
    Shape& a = f.add(kRectangle, {{0, 0}, {10000, 10000}});
    Shape& b = f.add(kOval, {{20000, 0}, {30000, 10000}});
    f.add(kLine, {{0, 50000}, {10000, 50000}});
    a.selected = b.selected = true;
    const Rect aBefore = a.outline, bBefore = b.outline;
    forgetNotifications();
    moveSelection(f.document, *f.folio, 1000, 2000);
    EXPECT_EQ(typed.areas,
              (std::vector<std::pair<Folio*, Rect>>{
                  {f.folio, aBefore}, {f.folio, a.outline}, {f.folio, bBefore}, {f.folio, b.outline}}));
    EXPECT_EQ(typed.selections, 1);
    // The same calls reach a view that knows only the numbers.
    EXPECT_EQ(numbered.seen,
              (std::vector<std::pair<int, std::intptr_t>>{{100, 0}, {100, 0}, {100, 0}, {100, 0}, {101, 0}}));
}

TEST_F(EditTransactionTest, FolioListChangesReachBothKindsOfView) {
    struct FolioListView : SchemaObserver {
        std::vector<std::pair<Folio*, FolioListChange>> changes;
        int saves = 0, releases = 0;
        void folioListChanged(Folio* folio, FolioListChange change) override {
            changes.emplace_back(folio, change);
        }
        void saveViewState() override { ++saves; }
        void releaseFolio() override { ++releases; }
    } view;
    f.document.addObserver(&view);
    f.document.changeFolioList(f.folio, kFolioPagesChanged);
    f.document.notifySaveViewState();
    f.document.notifyReleaseFolio();
    f.document.removeObserver(&view);
    EXPECT_EQ(view.changes, (std::vector<std::pair<Folio*, FolioListChange>>{{f.folio, kFolioPagesChanged}}));
    EXPECT_EQ(view.saves, 1);
    EXPECT_EQ(view.releases, 1);
    EXPECT_EQ(numbered.seen, (std::vector<std::pair<int, std::intptr_t>>{{102, 2}, {103, 0}, {104, 0}}));
}

} // namespace
} // namespace plexo
