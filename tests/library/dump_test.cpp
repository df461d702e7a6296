#include "library/storecommands.h"

#include "support/storefixture.h"
#include "support/testenvironment.h"

#include "base/buffer.h"
#include "base/objfile.h"
#include "store/saodoc.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>

namespace plexo {
namespace {

namespace fs = std::filesystem;

fs::path documentWithText(const test::TemporaryFolder& folder, const std::string& text) {
    const fs::path path = folder / "texte.dls";
    saoDoc doc;
    EXPECT_TRUE(doc.open({}));
    doc.setPath(path);
    Folio& folio = *doc.folios.front();
    folio.acquire();
    folio.append(test::makeShape(kText, {{0, 0}, {10, 10}}, text));
    doc.setModified();
    EXPECT_TRUE(doc.commit(false));
    folio.release(false);
    return path;
}

TEST(DumpTest, TextsAreDecodedFromWindows1252AndEscaped) {
    test::TemporaryFolder folder;
    const fs::path path = documentWithText(folder, "a\"b\\c\x01\td\xE9\x80\n");
    std::string json, error;
    ASSERT_TRUE(dumpStoreFile(path.string(), json, error)) << error;
    EXPECT_NE(json.find(R"("text": "a\"b\\c\u0001\tdé€\n")"), std::string::npos) << json.substr(0, 200);
    EXPECT_NE(json.find("\"folioCount\": 1"), std::string::npos);
    EXPECT_NE(json.find("\"free\": false"), std::string::npos);
    EXPECT_TRUE(checkStoreFile(path.string()).empty());
}

TEST(DumpTest, CheckAcceptsFreeSpaceAndSlotSlackAndReportsEachProblem) {
    test::TemporaryFolder folder;
    const fs::path path = documentWithText(folder, "x");
    {
        // A freed record and a record rewritten in a larger slot (up to 20 spare bytes).
        ObjFile file;
        ASSERT_TRUE(file.open(path.string(), true, 0, 0, false));
        Buffer big(200);
        ASSERT_TRUE(file.writeRecord(7, 1, big));
        file.freeRecord(7, 1);
        Buffer list(1);   // an empty object list: the end marker alone
        ASSERT_TRUE(file.writeRecord(kFolioRecordType, 99, list));
    }
    EXPECT_TRUE(checkStoreFile(path.string()).empty());

    struct Case {
        const char* what;
        std::function<void(ObjFile&)> damage;
        const char* message;
    } cases[] = {
        {"unknown record type", [](ObjFile& f) { Buffer b(4); f.writeRecord(9, 0, b); },
         "type d'enregistrement inconnu 9"},
        {"list without its end", [](ObjFile& f) { Buffer b(3); b.writeByte(1); f.writeRecord(1, 50, b); },
         "données tronquées"},
        {"too much left over", [](ObjFile& f) { Buffer b(40); f.writeRecord(1, 51, b); },
         "39 octets inattendus"},
    };
    for (const auto& c : cases) {
        fs::path copy = folder / (std::string(c.what) + ".dls");
        fs::copy_file(path, copy);
        {
            ObjFile file;
            ASSERT_TRUE(file.open(copy.string(), true, 0, 0, false));
            c.damage(file);
        }
        auto problems = checkStoreFile(copy.string());
        ASSERT_EQ(problems.size(), 1u) << c.what;
        EXPECT_NE(problems[0].find(c.message), std::string::npos) << problems[0];
    }
    auto missing = checkStoreFile((folder / "absent.dls").string());
    ASSERT_EQ(missing.size(), 1u);
    EXPECT_NE(missing[0].find("Impossible d'ouvrir"), std::string::npos);
}

TEST(DumpTest, StoredObjectCountFollowsTheMarkers) {
    Folio folio;
    for (int i = 0; i < 3; ++i)
        folio.append(test::makeShape(kLine, {{0, 0}, {i, i}}));
    auto bytes = test::objectListBytes(folio);
    Buffer whole{Buffer::Block(bytes)};
    EXPECT_EQ(storedObjectCount(whole), 3);
    Buffer cut{Buffer::Block(bytes.begin(), bytes.end() - 1)};
    EXPECT_EQ(storedObjectCount(cut), -1);
}

} // namespace
} // namespace plexo
