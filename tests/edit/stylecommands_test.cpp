// The style commands of the schéma view: check marks that follow the
// selection's common value, one undoable modification per change, and the
// refusal by object kind.
#include "edit/schemacommands.h"
#include "edit/stylecommands.h"

#include "fakestyleview.h"
#include "shapes/fontlist.h"
#include "shell/commandids.h"
#include "store/undo.h"
#include "support/testenvironment.h"

#include <gtest/gtest.h>

#include <vector>

namespace plexo {
namespace {

class StyleCommands : public ::testing::Test {
protected:
    CommandStatus status(int id) const {
        CommandStatus s;
        EXPECT_TRUE(schemaCommands().status(id, view, s)) << id;
        return s;
    }
    std::vector<int> checked(int first, int last) const {
        std::vector<int> ids;
        for (int id = first; id <= last; ++id)
            if (schemaCommands().find(id) && status(id).checked)
                ids.push_back(id);
        return ids;
    }
    void run(int id) { EXPECT_TRUE(schemaCommands().run(id, view)) << id; }

    test::ScriptedUserInterface ui;
    test::DrawingFixture f;
    Shape& a = f.add(kRectangle, {{0, 0}, {10000, 10000}});
    Shape& b = f.add(kOval, {{20000, 0}, {30000, 10000}});
    Shape& text = f.add(kText, {{0, 20000}, {20000, 25000}}, "abc");
    Shape& wire = f.add(kWire, {{0, 40000}, {20000, 40000}});
    test::FakeStyleView view{f.document, f.folio};
};

TEST_F(StyleCommands, CheckMarksFollowTheCommonValue) {
    a.style.lineWidth = 2000;
    b.style.lineWidth = 2000;
    a.style.fontSize = 12;
    b.style.fontSize = 12;
    test::selectOnly(f, {&a, &b});
    EXPECT_EQ(checked(cmd::kLineWidthFirst, cmd::kLineWidthLast), std::vector<int>{1212});
    EXPECT_EQ(checked(cmd::kLineSolid, cmd::kLineDotted), std::vector<int>{cmd::kLineSolid});
    EXPECT_EQ(checked(cmd::kFontSizeFirst, cmd::kOtherFontSize), std::vector<int>{1407});
    EXPECT_EQ(checked(cmd::kFontNormal, cmd::kFontUnderline), std::vector<int>{cmd::kFontNormal});

    // Values that differ tick nothing; a size outside the menu ticks "&Autre...".
    b.style.lineWidth = 3000;
    a.style.fontSize = 13;
    b.style.fontSize = 13;
    a.style.fontStyle = kFontBold | kFontItalic;
    b.style.fontStyle = kFontBold | kFontItalic;
    test::selectOnly(f, {&a, &b});
    EXPECT_TRUE(checked(cmd::kLineWidthFirst, cmd::kLineWidthLast).empty());
    EXPECT_EQ(checked(cmd::kFontSizeFirst, cmd::kOtherFontSize), std::vector<int>{cmd::kOtherFontSize});
    EXPECT_EQ(checked(cmd::kFontNormal, cmd::kFontUnderline),
              (std::vector<int>{cmd::kFontBold, cmd::kFontItalic}));

    // A wire's arrows: none at the start, a simple head at the end.
    test::selectOnly(f, {&wire});
    EXPECT_EQ(checked(cmd::kStartArrowFirst, cmd::kStartArrowFirst + 12),
              std::vector<int>{cmd::kStartArrowFirst});
    EXPECT_EQ(checked(cmd::kEndArrowFirst, cmd::kEndArrowFirst + 12),
              std::vector<int>{cmd::kEndArrowFirst + 1});
    EXPECT_EQ(checked(cmd::kFontFirst, cmd::kFontFirst + cmd::kFontMenuCount - 1),
              std::vector<int>{cmd::kFontFirst + wire.style.font - 1});

    // Nothing selected on this folio: nothing ticked, nothing enabled.
    test::selectOnly(f, {});
    EXPECT_TRUE(checked(cmd::kFontSizeFirst, cmd::kOtherFontSize).empty());
    EXPECT_FALSE(status(cmd::kLineWidthFirst).enabled);
}

TEST_F(StyleCommands, EnablingFollowsTheKindsOfTheSelection) {
    struct Case {
        const char* what;
        std::vector<Shape*> selected;
        bool width, style, arrows, font;
    };
    Shape& instance = f.addSymbol(f.twoTerminalSymbol(), {60000, 60000});
    const Case cases[] = {
        {"rectangle", {&a}, true, true, false, true},
        {"text", {&text}, false, false, false, true},
        {"wire", {&wire}, true, true, true, true},
        {"symbol", {&instance}, false, false, false, false},
        {"text and wire", {&text, &wire}, true, true, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (auto& object : f.folio->objects)
            object->selected = false;
        for (Shape* shape : c.selected)
            shape->selected = true;
        refreshSelectionSummary(f.document);
        EXPECT_EQ(status(cmd::kLineWidthFirst).enabled, c.width);
        EXPECT_EQ(status(cmd::kOtherLineWidth).enabled, c.width);
        EXPECT_EQ(status(cmd::kLineDashed).enabled, c.style);
        EXPECT_EQ(status(cmd::kEndArrowFirst).enabled, c.arrows);
        EXPECT_EQ(status(cmd::kOtherFont).enabled, c.font);
        EXPECT_EQ(status(cmd::kFontSizeFirst).enabled, c.font);
        EXPECT_EQ(status(cmd::kFontBold).enabled, c.font);
    }
}

TEST_F(StyleCommands, AChangeIsOneModificationOnTheAcceptingObjects) {
    test::selectOnly(f, {&a, &text});
    run(cmd::kLineWidthFirst + 2);
    EXPECT_EQ(a.style.lineWidth, 3000u);
    EXPECT_TRUE(text.style.isIndeterminate(kLineWidth)); // a text has no line
    EXPECT_EQ(undoLabelFor(f.document, f.folio).text, "&Annuler la modification\tCtrl+Z");
    EXPECT_TRUE(f.document.isModified());
    run(cmd::kUndo);
    EXPECT_EQ(a.style.lineWidth, 1000u);
    EXPECT_EQ(undoLabelFor(f.document, f.folio).text, "&Refaire la modification\tCtrl+Z");

    run(cmd::kFontSizeLast);
    EXPECT_EQ(a.style.fontSize, 72);
    EXPECT_EQ(text.style.fontSize, 72);

    test::selectOnly(f, {&wire});
    run(cmd::kStartArrowFirst + 12);
    run(cmd::kLineDotted);
    EXPECT_EQ(wire.style.arrow1, 12);
    EXPECT_EQ(wire.style.lineType, 2);
}

TEST_F(StyleCommands, FlagsToggleFromTheCommonFlags) {
    a.style.fontStyle = kFontBold;
    b.style.fontStyle = kFontItalic;
    test::selectOnly(f, {&a, &b});
    run(cmd::kFontBold); // flags that differ count as none
    EXPECT_EQ(a.style.fontStyle, kFontBold);
    EXPECT_EQ(b.style.fontStyle, kFontBold);
    run(cmd::kFontUnderline);
    EXPECT_EQ(b.style.fontStyle, kFontBold | kFontUnderline);
    run(cmd::kFontBold);
    EXPECT_EQ(b.style.fontStyle, kFontUnderline);
    run(cmd::kFontNormal);
    EXPECT_EQ(a.style.fontStyle, 0);
}

TEST_F(StyleCommands, OtherSizesAskFromTheCommonValue) {
    test::selectOnly(f, {&a});
    run(cmd::kOtherFontSize); // cancelled
    ASSERT_EQ(view.asked.size(), 1u);
    EXPECT_EQ(view.asked[0].kind, OtherSizeKind::FontSize);
    EXPECT_EQ(view.asked[0].initial, 9);
    EXPECT_FALSE(undoLabelFor(f.document, f.folio).enabled);

    view.sizeAnswer = 13;
    run(cmd::kOtherFontSize);
    EXPECT_EQ(a.style.fontSize, 13);
    a.style.lineWidth = 4000;
    test::selectOnly(f, {&a, &b});
    run(cmd::kOtherLineWidth); // differing widths start from 1
    EXPECT_EQ(view.asked.back().kind, OtherSizeKind::LineWidth);
    EXPECT_EQ(view.asked.back().initial, 1);
    EXPECT_EQ(b.style.lineWidth, 13000u);
    test::selectOnly(f, {&a});
    run(cmd::kOtherLineWidth);
    EXPECT_EQ(view.asked.back().initial, 13);
}

TEST_F(StyleCommands, OtherFontAddsItsFaceToTheList) {
    a.style.fontSize = 11;
    a.style.fontStyle = kFontItalic;
    test::selectOnly(f, {&a});
    view.fontAnswer = FontChoice{"Face d'essai", 14, kFontBold | kFontUnderline};
    run(cmd::kOtherFont);
    ASSERT_TRUE(view.fontAsked.has_value());
    EXPECT_EQ(view.fontAsked->face, "Times New Roman");
    EXPECT_EQ(view.fontAsked->size, 11);
    EXPECT_EQ(view.fontAsked->flags, kFontItalic);
    const int index = fontList().fontIndexByName("Face d'essai");
    ASSERT_GT(index, 0);
    EXPECT_EQ(a.style.font, index);
    EXPECT_EQ(a.style.fontSize, 14);
    EXPECT_EQ(a.style.fontStyle, kFontBold | kFontUnderline);
    // The font menu names its faces, an "&" doubled.
    const int ampersand = fontList().addFace("R&D \xC9tude");
    ASSERT_LE(ampersand, cmd::kFontMenuCount);
    EXPECT_EQ(status(cmd::kFontFirst + ampersand - 1).text, "R&&D Étude");
    // Opened again, the dialog shows the new face.
    run(cmd::kOtherFont);
    EXPECT_EQ(view.fontAsked->face, "Face d'essai");
    EXPECT_EQ(fontList().fontIndexByName("Face d'essai"), index);
}

TEST(OtherSize, TheEditBoxTakesIntegersFrom1To200) {
    struct Case {
        const char* text;
        std::optional<int> value;
    } cases[] = {
        {"1", 1},
        {"200", 200},
        {" 12 ", 12},
        {"+7", 7},
        {"0", std::nullopt},
        {"201", std::nullopt},
        {"-3", std::nullopt},
        {"", std::nullopt},
        {"  ", std::nullopt},
        {"1.5", std::nullopt},
        {"12a", std::nullopt},
        {"-", std::nullopt},
        {"999999999", std::nullopt},
        {"00000009", 9},
    };
    for (const Case& c : cases)
        EXPECT_EQ(parseOtherSize(c.text), c.value) << '"' << c.text << '"';
    EXPECT_EQ(otherSizeRangeMessage(), "La valeur doit être comprise entre 1 et 200");
}

} // namespace
} // namespace plexo
