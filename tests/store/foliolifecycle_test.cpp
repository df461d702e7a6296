// How the document's folio operations meet the undo, selection and wire code:
// operations that are not undoable close the pending action, deleting a folio
// leaves nothing pointing into it, and copied or pasted folios reconnect their
// wires.
#include "store/saodoc.h"

#include "support/storefixture.h"
#include "support/testenvironment.h"

#include "base/objfile.h"
#include "shapes/shape.h"
#include "shapes/wires.h"
#include "store/folio.h"
#include "store/selection.h"
#include "store/undo.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace plexo {
namespace {

using test::makeShape;

Shape& addObject(Folio& folio, std::unique_ptr<Shape> shape) {
    Shape& added = folio.append(std::move(shape));
    added.takeUndoCopy();
    return added;
}

struct CallbackObserver : DocumentObserver {
    std::function<void(int, std::intptr_t)> onChange;
    std::vector<std::pair<int, std::intptr_t>> seen;
    void documentChanged(int code, std::intptr_t detail) override {
        seen.emplace_back(code, detail);
        if (onChange)
            onChange(code, detail);
    }
};

// Every way of leaving an action behind without offering its undo.
TEST(FolioLifecycle, OperationsThatAreNotUndoableCloseThePendingAction) {
    struct Case {
        const char* name;
        std::function<void(saoDoc&, Folio&)> operation;
    };
    const Case cases[] = {
        {"z-order",
         [](saoDoc& doc, Folio& folio) { EXPECT_TRUE(doc.changeZOrder(folio, ZOrder::BringToFront)); }},
        {"release", [](saoDoc&, Folio& folio) { folio.release(true); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        saoDoc doc;
        ASSERT_TRUE(doc.open({}));
        Folio& folio = *doc.folios.front();
        folio.acquire();
        Shape& gone = addObject(folio, makeShape(kRectangle, {{0, 0}, {10000, 10000}}));
        Shape& kept = addObject(folio, makeShape(kOval, {{20000, 0}, {30000, 10000}}));
        addObject(folio, makeShape(kLine, {{0, 20000}, {30000, 20000}}));
        gone.selected = true;
        deleteSelection(doc, folio);
        ASSERT_TRUE(undoLabelFor(doc, &folio).enabled);
        kept.selected = true;

        c.operation(doc, folio);

        EXPECT_EQ(doc.undoState.label, 0);
        const UndoMenuLabel menu = undoLabelFor(doc, &folio);
        EXPECT_FALSE(menu.enabled);
        EXPECT_EQ(menu.text, "Impossible d'annuler\tCtrl+Z");
        if (folio.useCount == 0)
            folio.acquire();
        // The deleted object is gone for good: undo brings nothing back.
        undoAction(doc);
        ASSERT_EQ(folio.objects.size(), 2u);
        for (const auto& object : folio.objects) {
            EXPECT_TRUE(object->alive);
            EXPECT_NE(object->kind, kRectangle);
        }
        folio.release(false);
    }
}

TEST(FolioLifecycle, ReleasingAFolioForgetsTheSelectionOfItsObjects) {
    saoDoc doc;
    ASSERT_TRUE(doc.open({}));
    Folio& folio = *doc.folios.front();
    folio.acquire();
    addObject(folio, makeShape(kRectangle, {{0, 0}, {10000, 10000}})).selected = true;
    refreshSelectionSummary(doc);
    ASSERT_NE(doc.selection.single, nullptr);
    folio.release(true);
    EXPECT_FALSE(doc.selection.any);
    EXPECT_EQ(doc.selection.single, nullptr);
    EXPECT_EQ(doc.selection.folio, nullptr);
}

// A folio held by a view (which lets it go when told of the deletion) or held by
// nobody: either way nothing can be undone into it and no summary names it.
TEST(FolioLifecycle, DeletingAFolioLeavesNothingPointingIntoIt) {
    for (const bool heldByAView : {true, false}) {
        SCOPED_TRACE(heldByAView ? "held by a view" : "held by nobody");
        saoDoc doc;
        ASSERT_TRUE(doc.open({}));
        Folio& first = *doc.folios.front();
        first.number = "1";
        Folio* doomed = doc.addFolio([](Folio& f, FolioDialogKind) {
            f.number = "2";
            return true;
        });
        ASSERT_NE(doomed, nullptr);
        const std::int32_t serial = doomed->serial;
        doomed->acquire();
        Shape& box = addObject(*doomed, makeShape(kRectangle, {{0, 0}, {10000, 10000}}));
        Shape& a = addObject(*doomed, makeShape(kWire, {{0, 50000}, {100000, 50000}}));
        Shape& b = addObject(*doomed, makeShape(kWire, {{50000, 50000}, {50000, 90000}}));
        linkEnd(b, true, &a);
        box.selected = true;
        moveSelection(doc, *doomed, 1000, 0);
        ASSERT_EQ(doc.undoState.folio, doomed);
        ASSERT_TRUE(undoLabelFor(doc, doomed).enabled);
        ASSERT_EQ(doc.selection.single, &box);
        if (!heldByAView) {
            // Saved and let go: its objects wait in the store.
            doomed->release(true);
            ASSERT_NE(doc.store()->readRecord(kFolioRecordType, serial), nullptr);
        }

        bool objectsGoneWhenTold = false;
        CallbackObserver view;
        view.onChange = [&](int code, std::intptr_t detail) {
            if (code != kNotifyFolioListChanged || detail != kFolioDeleted)
                return;
            objectsGoneWhenTold = doomed->objects.empty() && doc.undoState.label == 0;
            if (doomed->useCount > 0)
                doomed->release(true);
        };
        // A view that takes the typed calls is told which folio goes, and nothing
        // names it once it is removed.
        struct FolioListView : SchemaObserver {
            Folio* doomed = nullptr;
            std::vector<std::pair<bool, FolioListChange>> changes;
            void folioListChanged(Folio* folio, FolioListChange change) override {
                changes.emplace_back(folio != nullptr && folio == doomed, change);
            }
        } typedView;
        typedView.doomed = doomed;
        doc.addObserver(&view);
        doc.addObserver(&typedView);
        doc.changeFolioList(doomed, kFolioDeleted);
        doc.removeObserver(&view);
        doc.removeObserver(&typedView);

        EXPECT_TRUE(objectsGoneWhenTold);
        ASSERT_EQ(doc.folios.size(), 1u);
        EXPECT_EQ(doc.folios.front().get(), &first);
        EXPECT_EQ(doc.undoState.label, 0);
        EXPECT_EQ(doc.undoState.folio, nullptr);
        EXPECT_FALSE(doc.selection.any);
        EXPECT_EQ(doc.selection.single, nullptr);
        EXPECT_EQ(doc.selection.folio, nullptr);
        EXPECT_EQ(typedView.changes, (std::vector<std::pair<bool, FolioListChange>>{{true, kFolioDeleted},
                                                                                    {false, kFolioRemoved}}));
        EXPECT_EQ(doc.store()->readRecord(kFolioRecordType, serial), nullptr);
        std::vector<std::pair<int, std::intptr_t>> folioChanges;
        std::copy_if(view.seen.begin(), view.seen.end(), std::back_inserter(folioChanges),
                     [](const auto& n) { return n.first == kNotifyFolioListChanged; });
        EXPECT_EQ(folioChanges, (std::vector<std::pair<int, std::intptr_t>>{{102, 3}, {102, 4}}));

        // Undo and further editing touch only the folio that is left.
        undoAction(doc);
        first.acquire();
        Shape& line = addObject(first, makeShape(kLine, {{0, 0}, {5000, 5000}}));
        line.selected = true;
        moveSelection(doc, first, 0, 1000);
        undoAction(doc);
        EXPECT_EQ(line.points[0], (Point{0, 0}));
        first.release(false);
    }
}

// A wire whose end lay on another wire without being linked (a block written by
// another program, or a link lost with a damaged record) is joined again when
// the folio is copied under another name or pasted.
TEST(FolioLifecycle, CopiedAndPastedFoliosReconnectLooseWireEnds) {
    struct Case {
        const char* name;
        std::function<Folio*(saoDoc&, Folio&)> copy;
    };
    const Case cases[] = {
        {"copy under another name",
         [](saoDoc& doc, Folio& source) {
             return doc.copyFolioUnderAnotherName(source, [](Folio& f, FolioDialogKind) {
                 f.number = "2";
                 return true;
             });
         }},
        {"paste folio",
         [](saoDoc& doc, Folio& source) {
             EXPECT_TRUE(doc.copyFolioToClipboard(source));
             return doc.pasteFolioFromClipboard();
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::ScriptedUserInterface ui;
        saoDoc doc;
        ASSERT_TRUE(doc.open({}));
        Folio& source = *doc.folios.front();
        source.number = "1";
        source.acquire();
        addObject(source, makeShape(kWire, {{0, 0}, {100000, 0}}));
        addObject(source, makeShape(kWire, {{50000, 0}, {50000, 100000}}));
        ASSERT_EQ(source.objects[1]->infoFil->amont, nullptr);

        Folio* copy = c.copy(doc, source);
        ASSERT_NE(copy, nullptr);
        // The links were made before the copy went to the store: they come back
        // from its record.
        EXPECT_TRUE(copy->objects.empty());
        copy->acquire();
        ASSERT_EQ(copy->objects.size(), 2u);
        Shape& trunk = *copy->objects[0];
        Shape& branch = *copy->objects[1];
        EXPECT_EQ(branch.infoFil->amont, &trunk);
        EXPECT_EQ(branch.infoFil->aval, nullptr);
        EXPECT_NE(
            std::find(trunk.infoFil->attachedWires.begin(), trunk.infoFil->attachedWires.end(), &branch),
            trunk.infoFil->attachedWires.end());
        // The source itself is left as it was.
        EXPECT_EQ(source.objects[1]->infoFil->amont, nullptr);
        copy->release(false);
        source.release(false);
    }
}

} // namespace
} // namespace plexo
