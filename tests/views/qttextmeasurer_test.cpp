#include "views/qttextmeasurer.h"

#include <QFontMetrics>
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

namespace plexo {
namespace {

TextFont dejaVu(int height, bool bold = false) {
    TextFont font;
    font.face = "DejaVu Sans";
    font.height = height;
    font.bold = bold;
    return font;
}

// What Qt answers for the text without any memo.
TextExtent measuredAfresh(const TextFont& font, const std::string& text) {
    const QFontMetrics metrics(QtTextMeasurer::toQFont(font));
    return {metrics.horizontalAdvance(QString::fromLatin1(text.data(), int(text.size()))), metrics.height()};
}

TEST(QtTextMeasurer, KeptExtentsAreThoseMeasuredAfreshInTheirOwnFont) {
    QtTextMeasurer measurer;
    const TextFont small = dejaVu(10), large = dejaVu(24), bold = dejaVu(10, true);
    TextFont italic = small, underlined = small, otherFace = small;
    italic.italic = true;
    underlined.underline = true;
    otherFace.face = "DejaVu Serif";
    const std::string texts[] = {"", "W", "Plexo", "Texte d'essai du rendu"};
    // Twice over, alternating fonts: the second pass answers from the memo and
    // must still see every change of height, weight, slant and face.
    for (int pass = 0; pass < 2; ++pass)
        for (const TextFont* font : std::initializer_list<const TextFont*>{&small, &large, &bold, &italic,
                                                                           &underlined, &otherFace, &small})
            for (const std::string& text : texts)
                EXPECT_EQ(measurer.measure(*font, text), measuredAfresh(*font, text))
                    << font->face << " " << font->height << " '" << text << "' pass " << pass;
    EXPECT_GT(measurer.measure(large, "Plexo").width, measurer.measure(small, "Plexo").width);
    EXPECT_GT(measurer.measure(bold, "Plexo").width, measurer.measure(small, "Plexo").width);
    // A text measured once is kept: measuring it again adds nothing.
    const std::size_t kept = measurer.cache().size();
    measurer.measure(small, "Plexo");
    EXPECT_EQ(measurer.cache().size(), kept);
}

TEST(TextExtentCache, StaysWithinItsCapacityAndKeepsTextsInUse) {
    TextExtentCache cache(8);
    const std::string font = TextExtentCache::fontKey(dejaVu(10));
    ASSERT_EQ(cache.find(font, "a"), nullptr);
    cache.insert(font, "used", {7, 3});
    for (int i = 0; i < 100; ++i) {
        const std::string text = "t" + std::to_string(i);
        cache.insert(font, text, {i, 1});
        EXPECT_LE(cache.size(), cache.capacity());
        // A text looked up at every step is never dropped.
        const TextExtent* used = cache.find(font, "used");
        ASSERT_NE(used, nullptr) << i;
        EXPECT_EQ(*used, (TextExtent{7, 3}));
        const TextExtent* latest = cache.find(font, text);
        ASSERT_NE(latest, nullptr);
        EXPECT_EQ(latest->width, i);
    }
    EXPECT_EQ(cache.capacity(), 8u);
    EXPECT_EQ(cache.find(font, "t0"), nullptr); // long unused
    // The same text in another font is another entry, whichever field differs.
    TextFont underlined = dejaVu(10), otherFace = dejaVu(10);
    underlined.underline = true;
    otherFace.face = "DejaVu";
    for (const TextFont& other : {dejaVu(11), dejaVu(10, true), underlined, otherFace})
        EXPECT_EQ(cache.find(TextExtentCache::fontKey(other), "used"), nullptr) << other.face << other.height;
    // A face that is the start of another does not make their keys run together.
    otherFace.face = "DejaVu Sans ";
    cache.insert(TextExtentCache::fontKey(otherFace), "X", {1, 1});
    EXPECT_EQ(cache.find(font, " X"), nullptr);
    cache.clear();
    EXPECT_EQ(cache.size(), 0u);
    EXPECT_EQ(cache.find(font, "used"), nullptr);
}

} // namespace
} // namespace plexo
