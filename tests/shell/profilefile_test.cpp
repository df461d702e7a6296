#include "shell/profilefile.h"
#include "shell/recentfiles.h"
#include "support/testenvironment.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace plexo {
namespace {

TEST(ProfileFile, ReadsWithTheRulesOfPrivateProfiles) {
    ProfileFile profile;
    profile.setText("; comment\r\n"
                    "[Options]\r\n"
                    "Xpos=12\r\n"
                    "  xPOS = 99 \r\n"
                    "L =  600  \r\n"
                    "[options]\r\n"
                    "H=77\r\n"
                    "[Vide]\n"
                    "clé=\n"
                    "sans égal\n"
                    "[Messages]\n"
                    "visible=1");
    struct Case {
        const char* section;
        const char* key;
        std::optional<std::string> expected;
    } cases[] = {
        {"Options", "Xpos", "12"},      // first occurrence wins
        {"OPTIONS", "XPOS", "12"},      // sections and keys ignore case
        {"Options", "L", "600"},        // spaces around the value removed
        {"Options", "H", std::nullopt}, // only the first section of a name counts
        {"Vide", "clé", ""},            // present but empty
        {"Vide", "sans égal", std::nullopt},
        {"Messages", "visible", "1"}, // last line without an ending
        {"Absente", "Xpos", std::nullopt},
        {"comment", "x", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(profile.readString(c.section, c.key), c.expected) << c.section << "/" << c.key;
    EXPECT_EQ(profile.readString("Absente", "x", "défaut"), "défaut");
}

TEST(ProfileFile, CutsValuesAt255Characters) {
    ProfileFile profile;
    std::string longValue(300, 'a');
    // 254 'b' then a two-byte character: the cut must not split it.
    std::string accented = std::string(254, 'b') + "é" + "zz";
    profile.setText("[S]\nlong=" + longValue + "\nexact=" + std::string(255, 'c') + "\naccent=" + accented +
                    "\n");
    EXPECT_EQ(profile.readString("S", "long"), std::string(255, 'a'));
    EXPECT_EQ(profile.readString("S", "exact"), std::string(255, 'c'));
    EXPECT_EQ(profile.readString("S", "accent"), std::string(254, 'b'));
}

TEST(ProfileFile, WritingAKeyKeepsTheRestOfTheFile) {
    const std::string original = "; réglages\r\n"
                                 "[Options]\r\n"
                                 "XPOS=1\r\n"
                                 "Inconnu=garde\r\n"
                                 "\r\n"
                                 "[Messages]\r\n"
                                 "L=400\r\n";
    struct Case {
        const char* section;
        const char* key;
        const char* value;
        std::string expected;
    } cases[] = {
        {"options", "Xpos", "25",
         "; réglages\r\n[Options]\r\nXPOS=25\r\nInconnu=garde\r\n\r\n[Messages]\r\nL=400\r\n"},
        {"Options", "Ypos", "7",
         "; réglages\r\n[Options]\r\nXPOS=1\r\nInconnu=garde\r\nYpos=7\r\n\r\n[Messages]\r\nL=400\r\n"},
        {"Symboles", "visible", "1",
         "; "
         "réglages\r\n[Options]\r\nXPOS=1\r\nInconnu=garde\r\n\r\n[Messages]\r\nL=400\r\n[Symboles]"
         "\r\nvisible=1\r\n"},
        {"Messages", "H", "a\nb",
         "; réglages\r\n[Options]\r\nXPOS=1\r\nInconnu=garde\r\n\r\n[Messages]\r\nL=400\r\nH=a b\r\n"},
    };
    for (const auto& c : cases) {
        ProfileFile profile;
        profile.setText(original);
        profile.writeString(c.section, c.key, c.value);
        EXPECT_EQ(profile.text(), c.expected) << c.section << "/" << c.key;
    }
}

TEST(ProfileFile, KeepsLineEndingsAndAddsToAFileWithoutFinalEnding) {
    ProfileFile profile;
    profile.setText("[A]\nx=1");
    profile.writeString("A", "y", "2");
    profile.writeString("B", "z", "3");
    EXPECT_EQ(profile.text(), "[A]\nx=1\ny=2\n[B]\nz=3\n");

    ProfileFile empty;
    empty.writeString("Plexo", "version", "105");
    EXPECT_EQ(empty.text(), "[Plexo]\r\nversion=105\r\n");
}

TEST(ProfileFile, SavesAndLoadsThroughTheFile) {
    test::TemporaryFolder folder;
    ProfileFile profile;
    EXPECT_FALSE(profile.load(folder / "Plexo.ini"));
    profile.writeString("Plexo", "version", "105");
    profile.removeKey("Plexo", "absent");
    ASSERT_TRUE(profile.save());

    ProfileFile again;
    ASSERT_TRUE(again.load(folder / "Plexo.ini"));
    EXPECT_EQ(again.readString("plexo", "VERSION"), "105");
    again.removeKey("Plexo", "version");
    EXPECT_EQ(again.readString("Plexo", "version"), std::nullopt);
    EXPECT_FALSE(std::filesystem::exists(folder / "Plexo.ini.new"));

    ProfileFile nowhere;
    nowhere.load(folder / "absent-folder" / "Plexo.ini");
    nowhere.writeString("A", "b", "c");
    EXPECT_FALSE(nowhere.save());
}

TEST(RecentFiles, KeepsNineMostRecentFirstInSectionMRU) {
    RecentFiles recent;
    for (int i = 1; i <= 11; ++i)
        recent.add("/doc/" + std::to_string(i) + ".dls");
    recent.add("/doc/5.dls"); // moves up, no duplicate
    ASSERT_EQ(recent.entries().size(), 9u);
    EXPECT_EQ(recent.entries().front(), "/doc/5.dls");
    EXPECT_EQ(recent.entries()[1], "/doc/11.dls");
    EXPECT_EQ(recent.entries().back(), "/doc/3.dls"); // 5 moved up: nothing else dropped

    ProfileFile profile;
    profile.setText("[MRU]\r\nCount=3\r\nFile1=a\r\nFile2=b\r\nFile3=c\r\n");
    RecentFiles shorter;
    shorter.add("seul.dls");
    shorter.write(profile);
    EXPECT_EQ(profile.text(), "[MRU]\r\nCount=1\r\nFile1=seul.dls\r\n");

    recent.write(profile);
    RecentFiles read;
    read.read(profile);
    EXPECT_EQ(read.entries(), recent.entries());

    profile.setText("[MRU]\nCount=250\nFile1=x\nFile3=z\n");
    read.read(profile); // a damaged count reads what is there
    EXPECT_EQ(read.entries(), (std::vector<std::string>{"x", "z"}));
}

} // namespace
} // namespace plexo
