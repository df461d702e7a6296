// Libraries and documents whose file ends in a damaged record (a header running
// past the end, as after a crash during an append) are used without losing a record.
#include "library/lib.h"

#include "library/libnode.h"
#include "support/storefixture.h"
#include "support/testenvironment.h"

#include "base/objfile.h"
#include "store/folio.h"
#include "store/saodoc.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace plexo {
namespace {

namespace fs = std::filesystem;
using test::makeShape;

// What a crash during an append leaves: a header announcing 4000 bytes, 25 of them written.
const std::string kDamagedTail =
    std::string("\x05\x07\x00\x00\x00\xA0\x0F\x00\x00\x00", 10) + std::string(25, 'x');

std::string fileBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void damage(const fs::path& path) {
    std::ofstream(path, std::ios::binary | std::ios::app) << kDamagedTail;
}

std::vector<std::string> folderNames(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::size_t objectsOf(LibNode& symbol) {
    if (!symbol.acquireDrawing(nullptr))
        return 0;
    const std::size_t count = symbol.drawing ? symbol.drawing->objects.size() : 0;
    symbol.releaseDrawing(nullptr);
    return count;
}

TEST(LibDamagedTailTest, ALibraryKeepsEveryRecordAndACopyOfTheDamagedFile) {
    test::TemporaryFolder folder;
    const fs::path file = folder / "Appareils.dly";
    { test::LibraryFixture fixture(folder.path()); }
    damage(file);
    const std::string damaged = fileBytes(file);
    const std::string copyName = "Appareils.dly.endommage";
    {
        test::RecordingLog log;
        test::ScriptedUserInterface ui;
        Lib lib(folder.path().string());
        lib.scanLocation();
        ASSERT_EQ(lib.location->children.size(), 1u);
        LibNode& library = *lib.location->children[0];
        EXPECT_FALSE(library.isReadOnly());
        // The original is kept whole beside the library; the library ends at its
        // last readable record.
        EXPECT_EQ(fileBytes(folder / copyName), damaged);
        EXPECT_EQ(fs::file_size(file), damaged.size() - kDamagedTail.size());
        ASSERT_EQ(log.messages.size(), 1u);
        EXPECT_EQ(log.messages[0].severity, kError);
        EXPECT_EQ(
            log.messages[0].text,
            "Attention, la librairie 'Appareils.dly' se termine par un enregistrement endommagé (octet " +
                std::to_string(fs::file_size(file)) + ") : l'original est gardé dans '" +
                (folder / copyName).string() + "' et la fin illisible est retirée.");

        LibNode* added = lib.createNode(library, NodeKind::Symbol, "Nouveau");
        ASSERT_NE(added, nullptr);
        std::vector<std::unique_ptr<Shape>> drawing;
        drawing.push_back(makeShape(kLine, {{0, 0}, {1000, 1000}}));
        test::storeDrawing(*added, std::move(drawing));
        EXPECT_TRUE(ui.boxes.empty());
    }
    test::RecordingLog log;
    Lib lib(folder.path().string());
    lib.scanLocation();
    EXPECT_TRUE(log.messages.empty());            // told once: the library is whole again
    ASSERT_EQ(lib.location->children.size(), 1u); // the copy is not a library of the folder
    for (const char* name : {"Moteur", "Vide", "Cartouche A4", "Nouveau"})
        EXPECT_NE(lib.findSymbol(name), nullptr) << name;
    EXPECT_EQ(objectsOf(*lib.findSymbol("Moteur")), 4u);
    EXPECT_EQ(objectsOf(*lib.findSymbol("Nouveau")), 1u);

    // Damaged again: the first copy is never replaced.
    lib.closeAll();
    damage(file);
    const std::string second = fileBytes(file);
    lib.scanLocation();
    EXPECT_EQ(fileBytes(folder / copyName), damaged);
    EXPECT_EQ(fileBytes(folder / (copyName + "-2")), second);
    EXPECT_EQ(folderNames(folder.path()),
              (std::vector<std::string>{"Appareils.dly", copyName, copyName + "-2"}));
    EXPECT_NE(lib.findSymbol("Nouveau"), nullptr);
}

TEST(LibDamagedTailTest, ADocumentKeepsEveryRecordThroughItsWorkingCopy) {
    test::TemporaryFolder folder;
    const fs::path path = folder / "plan.dls";
    test::RecordingLog log;
    {
        saoDoc doc;
        ASSERT_TRUE(doc.open({}));
        doc.setPath(path);
        Folio& first = *doc.folios.front();
        first.number = "1";
        first.acquire();
        first.append(makeShape(kRectangle, {{0, 0}, {5000, 5000}}, "un"));
        doc.setModified();
        ASSERT_TRUE(doc.commit(false));
        first.release(true);
    }
    damage(path);
    const std::string damaged = fileBytes(path);
    {
        test::ScriptedUserInterface ui;
        saoDoc doc;
        ASSERT_TRUE(doc.open(path));
        EXPECT_TRUE(log.contains("est endommagé"));
        // The whole damaged file is kept beside it before a save replaces it.
        EXPECT_TRUE(log.contains("plan.dls.endommage"));
        EXPECT_EQ(fileBytes(folder / "plan.dls.endommage"), damaged);
        // The working copy is a compact copy of what was readable: writes land
        // where its walks find them.
        ASSERT_NE(doc.workingCopy(), nullptr);
        EXPECT_FALSE(doc.workingCopy()->hasUnreachableTail());
        auto second = doc.newFolio();
        second->serial = ++doc.nextSerial;
        second->number = "2";
        Folio& added = doc.insertFolio(std::move(second));
        added.acquire();
        added.append(makeShape(kLine, {{0, 0}, {100, 100}}, "deux"));
        added.release(true);
        doc.setModified();
        ASSERT_TRUE(doc.commit(false));
    }
    // Saved over with what was readable: the copy stays as it was.
    EXPECT_EQ(fileBytes(folder / "plan.dls.endommage"), damaged);
    EXPECT_NE(fileBytes(path), damaged);
    saoDoc doc;
    ASSERT_TRUE(doc.open(path));
    ASSERT_EQ(doc.folios.size(), 2u);
    for (const auto& folio : doc.folios) {
        folio->acquire();
        ASSERT_EQ(folio->objects.size(), 1u) << folio->number;
        EXPECT_EQ(folio->objects[0]->data, folio->number == "1" ? "un" : "deux");
        folio->release(false);
    }
}

} // namespace
} // namespace plexo
