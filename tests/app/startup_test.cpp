#include "apptestsupport.h"

#include "app/messagesview.h"
#include "app/palettewindow.h"
#include "app/therm.h"
#include "shell/profilefile.h"

#include <gtest/gtest.h>

namespace plexo {
namespace {

using test::RunningApp;

TEST(Startup, QuittingWritesEveryKeyAndLogsStartAndStop) {
    RunningApp running;
    running.frame().move(40, 50);
    running.frame().resize(900, 700);
    running.action(798).trigger(); // the symbols palette stays open
    ASSERT_TRUE(running.app->exitInstance());
    EXPECT_EQ(running.frame().symbolsPalette(), nullptr); // palettes closed at the end

    ProfileFile ini;
    ASSERT_TRUE(ini.load(running.home / "Plexo.ini"));
    const char* keys[][2] = {
        {"Plexo", "version"},     {"Librairie", "path"}, {"Options", "Xpos"},    {"Options", "Ypos"},
        {"Options", "L"},         {"Options", "H"},      {"Options", "Max"},     {"Options", "Fuseau"},
        {"Options", "Mesure"},    {"Options", "Etalon"}, {"Options", "Inverse"}, {"Messages", "Xpos"},
        {"Messages", "Ypos"},     {"Messages", "L"},     {"Messages", "H"},      {"Messages", "visible"},
        {"Symboles", "Xpos"},     {"Symboles", "Ypos"},  {"Symboles", "L"},      {"Symboles", "H"},
        {"Symboles", "visible"},  {"Attributs", "Xpos"}, {"Attributs", "Ypos"},  {"Attributs", "actif"},
        {"Attributs", "visible"}, {"Commandes", "Xpos"}, {"Commandes", "Ypos"},  {"Commandes", "L"},
        {"Commandes", "H"},       {"MRU", "Count"},
    };
    for (const auto& key : keys)
        EXPECT_TRUE(ini.readString(key[0], key[1]).has_value()) << key[0] << "/" << key[1];
    EXPECT_EQ(ini.readString("Plexo", "version"), "105");
    EXPECT_EQ(ini.readString("Options", "Xpos"), "40");
    EXPECT_EQ(ini.readString("Options", "Ypos"), "50");
    EXPECT_EQ(ini.readString("Options", "L"), "900");
    EXPECT_EQ(ini.readString("Options", "Mesure"), "0.000000");
    EXPECT_EQ(ini.readString("Symboles", "visible"), "1");
    EXPECT_EQ(ini.readString("Messages", "visible"), "0");
    EXPECT_EQ(ini.readString("Librairie", "path"), running.home.path().string());

    running.app.reset();
    EXPECT_EQ(test::readWholeFile(running.home / "Plexo.log.txt"),
              "[05/03/2026 09:07:03] (0,0,0) # Démarrage de Plexo\r\n"
              "[05/03/2026 09:07:03] (0,0,0) * Arrêt de Plexo\r\n");
}

TEST(Startup, SavedPlacementOnlyWithVersion105) {
    for (const char* version : {"104", "105"}) {
        RunningApp running(std::string("[Plexo]\r\nversion=") + version +
                           "\r\n[Options]\r\nXpos=300\r\nYpos=250\r\nL=700\r\nH=500\r\nFuseau=9\r\n");
        const bool saved = std::string(version) == "105";
        EXPECT_EQ(running.frame().pos() == QPoint(300, 250), saved) << version;
        EXPECT_EQ(running.frame().size() == QSize(700, 500), saved) << version;
        // The other settings are read whatever the version.
        EXPECT_EQ(running.app->settings().timeZoneOffset, 9) << version;
        EXPECT_TRUE(running.frame().therm()->clockText().endsWith("(Tokyo)"));
    }
}

TEST(Startup, VisiblePalettesReopenAtTheirPlace) {
    RunningApp running("[Messages]\nvisible=1\nXpos=-5\nYpos=140\nL=333\nH=120\n"
                       "[Attributs]\nvisible=1\nXpos=20\n[Symboles]\nvisible=0\n");
    saoFrame& frame = running.frame();
    ASSERT_NE(frame.messagesView(), nullptr);
    EXPECT_EQ(frame.messagesView()->pos(), QPoint(110, 140)); // -5 is off the screen
    EXPECT_EQ(frame.messagesView()->size(), QSize(333, 120));
    ASSERT_NE(frame.attributesPalette(), nullptr);
    EXPECT_EQ(frame.attributesPalette()->pos(), QPoint(20, 130));
    EXPECT_EQ(frame.symbolsPalette(), nullptr);
    // The message window shows the start line.
    EXPECT_EQ(running.app->messageLog().messages().back().text, "# Démarrage de Plexo");
}

TEST(Startup, RecentFilesComeBackFromTheSettings) {
    RunningApp running("[MRU]\r\nCount=2\r\nFile1=/docs/a.dls\r\nFile2=/docs/b & c.mid\r\n");
    ASSERT_NE(running.frame().action(cmd::kRecentFirst), nullptr);
    EXPECT_EQ(running.action(cmd::kRecentFirst).text(), "&1 /docs/a.dls");
    EXPECT_EQ(running.action(cmd::kRecentFirst + 1).text(), "&2 /docs/b && c.mid");
    EXPECT_EQ(running.frame().action(cmd::kRecentFirst + 2), nullptr);
}

} // namespace
} // namespace plexo
