#include "shapes/style.h"

#include "shapes/fontlist.h"

#include <gtest/gtest.h>

#include <string>

namespace plexo {
namespace {

// One letter per item: u unset, i indeterminate, s usable; items 0..12 then the six strings.
std::string flags(const Style& s) {
    std::string out;
    for (int item = 0; item < kStyleItemCount; ++item)
        out += s.isIndeterminate(item) ? 'i' : s.isUnset(item) ? 'u' : 's';
    return out;
}

TEST(Style, ApplicabilityByKind) {
    // Items in order: lineWidth, lineType, colour, fillColour, textColour, shadow, pattern,
    // arrow1, arrow2, font, fontSize, fontStyle, textAlign, the six strings.
    struct Case {
        int kind;
        const char* expected;
    };
    const Case cases[] = {
        {0, "sssississssssiiiiii"},  {1, "sssssssiissssiiiiii"},  {6, "sssssssiissssiiiiii"},
        {7, "sisissiiissssiiiiii"},  {8, "sisissiiissssiiiiii"},  {9, "iiissssiissssiiiiii"},
        {10, "iiissssiissssiiiiii"}, {14, "iiissssiissssiiiiii"}, {19, "iiissssiissssiiiiii"},
        {11, "iisissiiissssiiiiii"}, {13, "iisissiiissssiiiiii"}, {15, "uuuuuuuuuuuuuuuuuuu"},
        {16, "iiiiiiiiiiiiiiiiiii"}, {23, "iiiiiiiiiiiiiiiiiii"}, {24, "iiiiiiiiiiiiiiiiiii"},
        {17, "sssississsssiiiiiii"}, {18, "sisississsssiiiiiii"}, {20, "iisisiiiiiiiissssss"},
        {21, "iisisiiiiiiiissssss"}, {22, "sssssssiisssiiiiiii"}, {25, "uuuuuuuuuuuuuuuuuuu"},
        {-1, "uuuuuuuuuuuuuuuuuuu"},
    };
    for (const Case& c : cases) {
        Style s;
        s.indeterminate.set(3); // whatever was there before is rebuilt
        setApplicability(s, c.kind);
        EXPECT_EQ(flags(s), c.expected) << "kind " << c.kind;
    }
}

TEST(Style, ApplyCopiesOnlyUsableItems) {
    Style source;
    source.set(kColour, 4);
    source.set(kFontSize, 12);
    source.fillColour = 7; // unset: not copied
    source.setValue(kArrow2, 3);
    source.indeterminate.set(kArrow2);
    source.unset.reset(kArrow2); // indeterminate: not copied
    Style target = objectDefaultStyle();
    target.indeterminate.set(kColour);
    applyStyle(target, source);
    EXPECT_EQ(target.colour, 4);
    EXPECT_TRUE(target.isUsable(kColour));
    EXPECT_EQ(target.fontSize, 12);
    EXPECT_EQ(target.fillColour, kNoColour);
    EXPECT_EQ(target.arrow2, 0);
    EXPECT_TRUE(target.isUsable(kArrow2));
}

TEST(Style, MergeOfALineAndARectangle) {
    Style line = objectDefaultStyle();
    setApplicability(line, 0);
    Style rect = objectDefaultStyle();
    rect.set(kColour, 1);
    setApplicability(rect, 1);

    Style summary; // every item unset
    mergeStyle(summary, line);
    mergeStyle(summary, rect);
    EXPECT_TRUE(summary.isIndeterminate(kFillColour)); // lines have none
    EXPECT_TRUE(summary.isIndeterminate(kArrow1));     // rectangles have none
    EXPECT_TRUE(summary.isIndeterminate(kColour));     // 0 against 1
    EXPECT_TRUE(summary.isUsable(kLineWidth));
    EXPECT_EQ(summary.lineWidth, 1000u);
    EXPECT_TRUE(summary.isIndeterminate(kTuning0));
}

TEST(Style, MergeRules) {
    // A summary that is unset takes the source's value and unset flag; an unset
    // source never makes a set summary indeterminate.
    Style summary;
    Style unsetSource;
    unsetSource.lineWidth = 5;
    mergeStyle(summary, unsetSource);
    EXPECT_TRUE(summary.isUnset(kLineWidth));
    EXPECT_FALSE(summary.isIndeterminate(kLineWidth));
    EXPECT_EQ(summary.lineWidth, 5u);

    Style set;
    set.set(kLineWidth, 2000);
    mergeStyle(summary, set);
    EXPECT_TRUE(summary.isUsable(kLineWidth));
    EXPECT_EQ(summary.lineWidth, 2000u);
    mergeStyle(summary, unsetSource);
    EXPECT_TRUE(summary.isUsable(kLineWidth));
    Style same;
    same.set(kLineWidth, 2000);
    mergeStyle(summary, same);
    EXPECT_TRUE(summary.isUsable(kLineWidth));
    Style other;
    other.set(kLineWidth, 3000);
    mergeStyle(summary, other);
    EXPECT_TRUE(summary.isIndeterminate(kLineWidth));
    mergeStyle(summary, same); // indeterminate stays
    EXPECT_TRUE(summary.isIndeterminate(kLineWidth));

    // A shape of kind 15 contributes nothing.
    Style kind15 = objectDefaultStyle();
    setApplicability(kind15, 15);
    Style fresh;
    mergeStyle(fresh, kind15);
    for (int item = 0; item < kStyleItemCount; ++item)
        EXPECT_TRUE(fresh.isUnset(item) && !fresh.isIndeterminate(item)) << item;
}

TEST(Style, DocumentDefaults) {
    fontList().setInstalledFonts({"Arial", "Times New Roman"});
    Style object = objectDefaultStyle();
    EXPECT_EQ(flags(object), "sssssssssssssssssss");
    EXPECT_EQ(object.font, 2);
    EXPECT_EQ(object.fontSize, 9);
    EXPECT_EQ(object.fillColour, 255);
    EXPECT_EQ(object.tuning[5], 255);

    Style wire = wireDefaultStyle();
    EXPECT_EQ(flags(wire), "sssussusssssuuuuuuu");
    EXPECT_EQ(wire.colour, 4);
    EXPECT_EQ(wire.arrow2, 1);
    EXPECT_EQ(wire.font, 1);

    EXPECT_EQ(flags(symbolDefaultStyle()), "uuuuuuuuuuuuuuuuuuu");
    Style band = rubberBandStyle();
    EXPECT_EQ(flags(band), "sssuuuuuuuuuuuuuuuu");
    EXPECT_EQ(band.lineWidth, 100u);

    // A default face that is not installed is kept by name.
    fontList().setInstalledFonts({"DejaVu Sans"});
    Style elsewhere = objectDefaultStyle();
    EXPECT_EQ(fontList().faceName(elsewhere.font), "Times New Roman");
    EXPECT_EQ(fontList().fontIndexByName("DejaVu Sans"), 1);
}

} // namespace
} // namespace plexo
