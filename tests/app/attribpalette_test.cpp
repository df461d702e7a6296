// The style palette in the running frame: it opens on the tab the settings
// keep, at its height, follows the active schéma view, asks the frame for its
// popups and keeps its tab when it closes.
#include "apptestsupport.h"

#include "app/palettewindow.h"
#include "shapes/shape.h"
#include "store/folio.h"
#include "store/saodoc.h"
#include "store/selection.h"
#include "views/schema/attribview.h"
#include "views/schema/saoview.h"

#include <QApplication>
#include <QMdiArea>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace plexo {
namespace {

AttribView* attribOf(saoFrame& frame) {
    PaletteWindow* palette = frame.attributesPalette();
    return palette ? qobject_cast<AttribView*>(palette->content()) : nullptr;
}

TEST(AttribPalette, OpensOnItsTabAndFollowsTheActiveSchemaView) {
    test::RunningApp running("[Attributs]\nXpos=200\nYpos=150\nactif=8\nvisible=0\n");
    saoFrame& frame = running.frame();
    auto kind = running.manager().kindByName(QString::fromUtf8("Schéma"));
    ASSERT_NE(kind, nullptr);
    ASSERT_NE(running.manager().newDocument(*kind), nullptr);
    DocumentWindow* first = running.manager().activeWindow();
    ASSERT_NE(first, nullptr);

    running.action(cmd::kToggleAttributes).trigger();
    AttribView* attrib = attribOf(frame);
    ASSERT_NE(attrib, nullptr);
    EXPECT_EQ(attrib->tab(), 8);
    EXPECT_EQ(frame.attributesPalette()->size(), QSize(464, 103));
    EXPECT_EQ(frame.attributesPalette()->pos(), QPoint(200, 150));
    EXPECT_EQ(attrib->view(), qobject_cast<saoView*>(first->view()));

    // Another window becomes active: the palette follows it.
    ASSERT_NE(running.manager().newDocument(*kind), nullptr);
    DocumentWindow* second = running.manager().activeWindow();
    ASSERT_NE(second, first);
    EXPECT_EQ(attrib->view(), qobject_cast<saoView*>(second->view()));
    frame.mdiArea()->setActiveSubWindow(first);
    EXPECT_EQ(attrib->view(), qobject_cast<saoView*>(first->view()));

    // Back to "Trait": 53 pixels high; closed, the tab is kept.
    QTest::mouseClick(attrib, Qt::LeftButton, {}, QPoint(20, 8));
    EXPECT_EQ(frame.attributesPalette()->height(), 53);
    QTest::mouseClick(attrib, Qt::LeftButton, {}, QPoint(9 + 48 * 5 + 10, 8));
    running.action(cmd::kToggleAttributes).trigger();
    test::processDeferredDeletes();
    EXPECT_EQ(running.app->settings().attributesActive, 5);
}

TEST(AttribPalette, ClickingTheFontBoxOpensTheFramesFontMenu) {
    test::RunningApp running("[Attributs]\nactif=5\n");
    saoFrame& frame = running.frame();
    auto kind = running.manager().kindByName(QString::fromUtf8("Schéma"));
    ASSERT_NE(running.manager().newDocument(*kind), nullptr);
    auto* view = qobject_cast<saoView*>(running.manager().activeWindow()->view());
    ASSERT_NE(view, nullptr);
    running.action(cmd::kToggleAttributes).trigger();
    AttribView* attrib = attribOf(frame);
    ASSERT_NE(attrib, nullptr);
    // Nothing selected: the style tab is refused.
    QTest::mouseClick(attrib, Qt::LeftButton, {}, QPoint(30, 30));
    EXPECT_EQ(running.ui->beeps, 1);

    // With a rectangle selected the frame's "MenuFont" opens at the mouse.
    Folio* folio = view->folio();
    ASSERT_NE(folio, nullptr);
    auto box = std::make_unique<Shape>(kRectangle, folio);
    box->points = {{0, 0}, {10000, 10000}};
    box->style = objectDefaultStyle();
    box->setApplicability();
    box->createKindRecord();
    box->selected = true;
    folio->append(std::move(box));
    refreshSelectionSummary(view->document());
    QMenu* shown = nullptr;
    QTimer::singleShot(0, [&] {
        shown = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (shown)
            shown->close();
    });
    QTest::mouseClick(attrib, Qt::LeftButton, {}, QPoint(30, 30));
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown, frame.popupMenu("MenuFont"));
    EXPECT_EQ(running.ui->beeps, 1);
}

} // namespace
} // namespace plexo
