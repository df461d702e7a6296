#include "shell/settings.h"

#include <gtest/gtest.h>

namespace plexo {
namespace {

const Rect kScreen{0, 0, 1280, 1024};

TEST(Settings, DefaultsWhenTheFileIsEmpty) {
    ProfileFile profile;
    Settings settings;
    settings.read(profile, "/lib", kScreen);
    EXPECT_FALSE(settings.useSavedFramePlacement);
    EXPECT_EQ(settings.libraryPath, "/lib");
    const int expected[] = {10, 10,  600, 400, 0,   0, 0,   110, 110, 400, 100,
                            0,  120, 120, 200, 400, 0, 130, 130, 0,   0};
    const int actual[] = {settings.frameX,        settings.frameY,           settings.frameWidth,
                          settings.frameHeight,   settings.frameMaximized,   settings.timeZoneOffset,
                          settings.inverseVideo,  settings.messagesX,        settings.messagesY,
                          settings.messagesWidth, settings.messagesHeight,   settings.messagesVisible,
                          settings.symbolsX,      settings.symbolsY,         settings.symbolsWidth,
                          settings.symbolsHeight, settings.symbolsVisible,   settings.attributesX,
                          settings.attributesY,   settings.attributesActive, settings.attributesVisible};
    for (std::size_t i = 0; i < std::size(expected); ++i)
        EXPECT_EQ(actual[i], expected[i]) << "field " << i;
    EXPECT_EQ(settings.measure, 0);
    EXPECT_EQ(settings.standard, 0);
}

TEST(Settings, WritesEveryKeyAndReadsThemBack) {
    Settings written;
    written.libraryPath = "/home/plexo/librairies";
    written.frameX = 30;
    written.frameY = 40;
    written.frameWidth = 900;
    written.frameHeight = 700;
    written.frameMaximized = 1;
    written.timeZoneOffset = -5;
    written.measure = 12.5;
    written.standard = 3.25;
    written.inverseVideo = 1;
    written.messagesX = 200;
    written.messagesVisible = 1;
    written.symbolsHeight = 321;
    written.attributesActive = 4;
    written.attributesVisible = 1;
    written.commandsBar = {5, 60, 405, 86};
    ProfileFile profile;
    written.write(profile);

    const char* keys[][3] = {
        {"Plexo", "version", "105"},
        {"Librairie", "path", "/home/plexo/librairies"},
        {"Options", "Xpos", "30"},
        {"Options", "Ypos", "40"},
        {"Options", "L", "900"},
        {"Options", "H", "700"},
        {"Options", "Max", "1"},
        {"Options", "Fuseau", "-5"},
        {"Options", "Mesure", "12.500000"},
        {"Options", "Etalon", "3.250000"},
        {"Options", "Inverse", "1"},
        {"Messages", "Xpos", "200"},
        {"Messages", "Ypos", "110"},
        {"Messages", "L", "400"},
        {"Messages", "H", "100"},
        {"Messages", "visible", "1"},
        {"Symboles", "Xpos", "120"},
        {"Symboles", "Ypos", "120"},
        {"Symboles", "L", "200"},
        {"Symboles", "H", "321"},
        {"Symboles", "visible", "0"},
        {"Attributs", "Xpos", "130"},
        {"Attributs", "Ypos", "130"},
        {"Attributs", "actif", "4"},
        {"Attributs", "visible", "1"},
        {"Commandes", "Xpos", "5"},
        {"Commandes", "Ypos", "60"},
        {"Commandes", "L", "400"},
        {"Commandes", "H", "26"},
    };
    for (const auto& key : keys)
        EXPECT_EQ(profile.readString(key[0], key[1]), std::string(key[2])) << key[0] << "/" << key[1];

    Settings read;
    read.read(profile, "/ailleurs", kScreen);
    EXPECT_TRUE(read.useSavedFramePlacement);
    EXPECT_EQ(read.libraryPath, written.libraryPath);
    EXPECT_EQ(read.frameX, 30);
    EXPECT_EQ(read.frameMaximized, 1);
    EXPECT_EQ(read.timeZoneOffset, -5);
    EXPECT_DOUBLE_EQ(read.measure, 12.5);
    EXPECT_DOUBLE_EQ(read.standard, 3.25);
    EXPECT_EQ(read.messagesX, 200);
    EXPECT_EQ(read.symbolsHeight, 321);
    EXPECT_EQ(read.attributesActive, 4);
    // The tool bar's rectangle is written only: reading leaves it alone.
    EXPECT_EQ(read.commandsBar, Rect{});
}

TEST(Settings, SavedPlacementOnlyForVersion105) {
    for (auto [version, expected] : {std::pair{"105", true}, {"104", false}, {"", false}, {"0105", true}}) {
        ProfileFile profile;
        profile.setText(std::string("[Plexo]\nversion=") + version + "\n[Options]\nXpos=300\nFuseau=3\n");
        Settings settings;
        settings.read(profile, "", kScreen);
        EXPECT_EQ(settings.useSavedFramePlacement, expected) << version;
        // The other settings are read whatever the version.
        EXPECT_EQ(settings.frameX, 300);
        EXPECT_EQ(settings.timeZoneOffset, 3);
    }
}

TEST(Settings, PositionsOutsideTheScreenFallBack) {
    struct Case {
        const char* section;
        const char* key;
        const char* value;
        int Settings::*field;
        int expected;
    } cases[] = {
        {"Messages", "Xpos", "-5", &Settings::messagesX, 110},
        {"Messages", "Ypos", "1025", &Settings::messagesY, 110},
        {"Messages", "Ypos", "1024", &Settings::messagesY, 1024},
        {"Options", "Xpos", "1281", &Settings::frameX, 10},
        {"Options", "Xpos", "0", &Settings::frameX, 0},
        {"Symboles", "Ypos", "-1", &Settings::symbolsY, 120},
        {"Attributs", "Xpos", "99999", &Settings::attributesX, 130},
        {"Options", "L", "-50", &Settings::frameWidth, -50}, // sizes are taken as read
    };
    for (const auto& c : cases) {
        ProfileFile profile;
        profile.writeString(c.section, c.key, c.value);
        Settings settings;
        settings.read(profile, "", kScreen);
        EXPECT_EQ(settings.*c.field, c.expected) << c.section << "/" << c.key << "=" << c.value;
    }
}

TEST(Settings, ParsesValuesLikeTheOriginalConversions) {
    struct Case {
        const char* text;
        int integer;
        double real;
    } cases[] = {
        {"42", 42, 42},
        {"  -7", -7, -7},
        {"+3", 3, 3},
        {"12abc", 12, 12},
        {"abc", 0, 0},
        {"", 0, 0},
        {"2.75", 2, 2.75},
        {"-0.5", 0, -0.5},
        {"99999999999", 2147483647, 99999999999.0},
        {"-99999999999", -2147483647 - 1, -99999999999.0},
        {"1e400", 1, 0}, // an infinite real is refused
    };
    for (const auto& c : cases) {
        EXPECT_EQ(parseProfileInteger(c.text), c.integer) << c.text;
        EXPECT_DOUBLE_EQ(parseProfileReal(c.text), c.real) << c.text;
    }
    EXPECT_EQ(formatProfileReal(0), "0.000000");
    EXPECT_EQ(formatProfileReal(-1.5), "-1.500000");
    EXPECT_EQ(formatProfileInteger(-11), "-11");
}

} // namespace
} // namespace plexo
