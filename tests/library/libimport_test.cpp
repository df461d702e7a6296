// Making a symbol from a bitmap file.
#include "library/libimport.h"

#include "library/lib.h"
#include "support/storefixture.h"
#include "support/testenvironment.h"

#include "shapes/saodib.h"

#include <gtest/gtest.h>

#include <fstream>

namespace plexo {
namespace {

void writeBitmap(const std::filesystem::path& path) {
    const std::vector<std::uint8_t> file = saoDib(test::smallDibBlock()).toBmpFile();
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
}

TEST(SymbolImport, TheSymbolIsNamedAfterTheFile) {
    const struct {
        const char* file;
        const char* name;
    } cases[] = {
        {"/d/Pompe.BMP", "Pompe"},
        {"/d/vanne.bmp", "vanne"},
        {"/d/plan.png", "plan.png"},
        {"/d/a.bmp", "a"},
        {"/d/abc", ""},
        {"/d/.bmp", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(symbolNameForImage(c.file), c.name) << c.file;
}

TEST(SymbolImport, PompeBmpBecomesTheSymbolPompeWithItsPicture) {
    test::TemporaryFolder folder;
    test::ScriptedUserInterface ui;
    test::LibraryFixture fixture(folder / "lib");
    LibNode& library = *fixture.moteur->owningLibrary();
    writeBitmap(folder / "Pompe.BMP");

    ImportedSymbol imported = importSymbolFromImage(fixture.lib, library, folder / "Pompe.BMP");
    ASSERT_NE(imported.node, nullptr);
    EXPECT_EQ(imported.node->name, "Pompe");
    EXPECT_EQ(imported.node->symbolType, kSymbole);
    EXPECT_EQ(imported.node->parent, &library);
    ASSERT_NE(imported.picture, nullptr);
    EXPECT_EQ(imported.picture->width(), 2);
    EXPECT_TRUE(ui.boxes.empty());

    // Again: the name is taken now.
    ImportedSymbol twice = importSymbolFromImage(fixture.lib, library, folder / "Pompe.BMP");
    EXPECT_EQ(twice.node, nullptr);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "Le nom utilisé existe déjà.");
}

TEST(SymbolImport, AFileThatIsNoBitmapCreatesNothing) {
    test::TemporaryFolder folder;
    test::ScriptedUserInterface ui;
    test::LibraryFixture fixture(folder / "lib");
    LibNode& library = *fixture.moteur->owningLibrary();
    std::ofstream(folder / "Faux.bmp") << "pas une image";
    const std::size_t children = library.children.size();

    for (const char* name : {"Faux.bmp", "Absent.bmp"}) {
        ImportedSymbol imported = importSymbolFromImage(fixture.lib, library, folder / name);
        EXPECT_EQ(imported.node, nullptr) << name;
    }
    EXPECT_EQ(library.children.size(), children);
    ASSERT_EQ(ui.boxes.size(), 2u);
    EXPECT_EQ(ui.boxes[0].text, "Impossible de lire l'image 'Faux.bmp'.");
    EXPECT_EQ(ui.boxes[0].caption, "Importation d'image");
}

} // namespace
} // namespace plexo
