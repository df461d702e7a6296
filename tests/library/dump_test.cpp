#include "library/storecommands.h"

#include "support/storefixture.h"
#include "support/testenvironment.h"

#include "base/buffer.h"
#include "base/objfile.h"
#include "library/libnode.h"
#include "shapes/style.h"
#include "store/folio.h"
#include "store/saodoc.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

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
    // A document rewritten with bytes that Windows-1252 leaves undefined.
    ASSERT_TRUE(dumpStoreFile(documentWithText(folder, "x\x81y\x9D").string(), json, error)) << error;
    EXPECT_NE(json.find("\"text\": \"x\xEF\xBF\xBDy\xEF\xBF\xBD\""), std::string::npos);
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
        Buffer list(1); // an empty object list: the end marker alone
        ASSERT_TRUE(file.writeRecord(kFolioRecordType, 99, list));
    }
    EXPECT_TRUE(checkStoreFile(path.string()).empty());

    struct Case {
        const char* what;
        std::function<void(ObjFile&)> damage;
        const char* message;
    } cases[] = {
        {"unknown record type",
         [](ObjFile& f) {
             Buffer b(4);
             f.writeRecord(9, 0, b);
         },
         "type d'enregistrement inconnu 9"},
        {"list without its end",
         [](ObjFile& f) {
             Buffer b(3);
             b.writeByte(1);
             f.writeRecord(1, 50, b);
         },
         "données tronquées"},
        {"too much left over",
         [](ObjFile& f) {
             Buffer b(40);
             f.writeRecord(1, 51, b);
         },
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

// ---- damaged files -------------------------------------------------------------------

// Parsed keeping the order of the fields.
using Json = nlohmann::ordered_json;

// The dump parsed; a failure when it is not JSON.
Json parsed(const StoreFileReport& report) {
    Json value;
    try {
        value = Json::parse(report.json);
    } catch (const Json::exception& e) {
        ADD_FAILURE() << e.what() << "\n" << report.json.substr(0, 400);
    }
    return value;
}

// The bytes of one object record as stored, with its list marker, up to the point
// count; the text's length as stored can be given.
Buffer::Block objectStart(std::int32_t id, std::uint8_t kind, std::string_view text,
                          std::int32_t storedLength = -1) {
    Buffer b;
    auto write = [&] {
        b.writeByte(1);
        b.writeInt32(id);
        b.writeByte(kind);
        writeStyle(b, Style{});
        b.writeInt32(900); // angle
        b.writeInt32(storedLength >= 0 ? storedLength : static_cast<std::int32_t>(text.size()));
        b.writeBytes(text);
    };
    write();
    b.allocateMeasured();
    write();
    return b.detachBlock();
}

Buffer::Block joined(std::initializer_list<Buffer::Block> parts) {
    Buffer::Block all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

Buffer::Block int32Bytes(std::int32_t v) {
    Buffer b(4);
    b.writeInt32(v);
    return b.detachBlock();
}

// Replaces the objects of a folio by these bytes.
void writeFolioRecord(const fs::path& path, std::int32_t serial, const Buffer::Block& bytes) {
    ObjFile file;
    ASSERT_TRUE(file.open(path.string(), true, 0, 0, false));
    Buffer record{Buffer::Block(bytes)};
    ASSERT_TRUE(file.writeRecord(kFolioRecordType, serial, record));
}

TEST(DumpTest, ADamagedObjectListKeepsWhatWasReadAndNamesWhereItStopped) {
    test::TemporaryFolder folder;
    const fs::path path = documentWithText(folder, "avant");
    std::string whole;
    {
        std::string error;
        ASSERT_TRUE(dumpStoreFile(path.string(), whole, error));
    }
    const Json folio = Json::parse(whole)["document"]["folios"][0];
    const std::int32_t serial = folio["serial"];
    const Json before = folio["objects"][0];
    ASSERT_EQ(before["text"], "avant");
    // The whole object as the program wrote it, then a damaged second one.
    ObjFile original;
    ASSERT_TRUE(original.open(path.string(), true, 0, 0, false));
    std::unique_ptr<Buffer> list = original.readRecord(kFolioRecordType, serial);
    ASSERT_TRUE(list);
    Buffer::Block first(list->data(), list->data() + list->capacity() - 1); // without the end marker
    original.close();

    const Buffer::Block second = objectStart(7, kLine, "ligne");
    struct Case {
        const char* what;
        Buffer::Block tail;
        const char* lastField; // the last field of the damaged object, or null when it is left out
        const char* error;
    } cases[] = {
        {"negative point count", joined({second, int32Bytes(-3)}), "text", "données tronquées"},
        {"huge point count", joined({second, int32Bytes(0x7FFFFFFF)}), "text", "données tronquées"},
        {"text past the end", objectStart(7, kLine, "abc", 5000), "angle", "données tronquées"},
        {"cut in the points", joined({second, int32Bytes(2), int32Bytes(10)}), "text", "données tronquées"},
        {"unknown kind", objectStart(7, 99, "x"), "kind", "type d'objet inconnu 99"},
        {"cut in the id", {1, 7, 0}, nullptr, "données tronquées"},
        {"no end marker", {}, nullptr, "liste d'objets sans marque de fin"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const fs::path copy = folder / (std::string(c.what) + ".dls");
        fs::copy_file(path, copy);
        writeFolioRecord(copy, serial, joined({first, c.tail}));
        const StoreFileReport report = inspectStoreFile(copy.string());
        ASSERT_TRUE(report.readable);
        ASSERT_EQ(report.problems.size(), 1u);
        const Json dump = parsed(report);
        const Json& damaged = dump["document"]["folios"][0];
        const std::string error = damaged["error"];
        EXPECT_NE(error.find(c.error), std::string::npos) << error;
        EXPECT_NE(error.find("(octet "), std::string::npos) << error;
        EXPECT_EQ(error, report.problems[0]);
        EXPECT_EQ(dump["problems"], Json(report.problems));
        const Json& objects = damaged["objects"];
        ASSERT_EQ(objects.size(), c.lastField ? 2u : 1u);
        EXPECT_EQ(objects[0], before); // read before the damage, whole
        if (c.lastField) {
            EXPECT_EQ(objects[1]["id"], 7);
            EXPECT_EQ(objects[1].items().begin().key(), "id");
            std::string last;
            for (const auto& item : objects[1].items())
                last = item.key();
            EXPECT_EQ(last, c.lastField);
        }
    }
}

TEST(DumpTest, DamagedHeadersAndTreesKeepWhatWasRead) {
    test::TemporaryFolder folder;
    // A document whose folio count runs past the record: the settings and styles
    // were read, the folios were not.
    const fs::path path = documentWithText(folder, "x");
    {
        ObjFile file;
        ASSERT_TRUE(file.open(path.string(), true, 0, 0, false));
        std::unique_ptr<Buffer> header = file.readRecord(kHeaderRecordType, 0);
        ASSERT_TRUE(header);
        Buffer::Block bytes(header->data(), header->data() + header->capacity());
        // The folio count sits right before the one folio header, at the end.
        const std::size_t countAt = bytes.size() - static_cast<std::size_t>(kFolioHeaderSize) - 4;
        bytes[countAt + 3] = 0x40;
        Buffer damaged{std::move(bytes)};
        ASSERT_TRUE(file.writeRecord(kHeaderRecordType, 0, damaged));
    }
    StoreFileReport report = inspectStoreFile(path.string());
    ASSERT_EQ(report.problems.size(), 1u);
    Json dump = parsed(report);
    EXPECT_EQ(dump["headerError"], report.problems[0]);
    EXPECT_EQ(dump["document"]["styles"].size(), 4u);
    EXPECT_FALSE(dump["document"].contains("folios"));

    // A library tree whose third node has an impossible kind: the first two stay.
    const fs::path library = folder / "Arbre.dly";
    {
        ObjFile file;
        ASSERT_TRUE(file.open(library.string(), true, kLibraryFileKind, kLibraryFileVersion, true));
        Buffer tree;
        auto write = [&] {
            tree.writeByte(1); // expanded
            const std::uint8_t kinds[] = {3, 4, 9};
            for (std::int32_t i = 0; i < 3; ++i) {
                tree.writeByte(1);
                tree.writeByte(kinds[i]);
                tree.writeInt32(i + 1);
                tree.writeText("N\xE9" + std::to_string(i));
                tree.writeByte(0);
                tree.writeInt32(0);
                tree.writeByte(0);
            }
            tree.writeByte(0);
        };
        write();
        tree.allocateMeasured();
        write();
        ASSERT_TRUE(file.writeRecord(kTreeRecordType, 0, tree));
    }
    report = inspectStoreFile(library.string());
    ASSERT_EQ(report.problems.size(), 1u) << report.json;
    dump = parsed(report);
    EXPECT_EQ(dump["treeError"], report.problems[0]);
    ASSERT_EQ(dump["library"]["nodes"].size(), 2u);
    EXPECT_EQ(dump["library"]["nodes"][1]["name"], "Né1");
}

// Bytes all over the seed files changed in turn (one in seven, each seed from a
// different phase so that every field kind is hit): the dump is always JSON, and
// it lists exactly the problems that "check" reports.
TEST(DumpTest, EverySeedAndEveryFlippedByteGivesJsonThatAgreesWithCheck) {
    test::TemporaryFolder folder;
    std::vector<fs::path> seeds;
    for (const char* dir : {"dls_fuzz", "dly_fuzz"})
        for (const auto& entry : fs::directory_iterator(test::sourceDir() / "tests" / "fuzz" / "seeds" / dir))
            seeds.push_back(entry.path());
    ASSERT_GE(seeds.size(), 4u);
    int damaged = 0;
    for (std::size_t i = 0; i < seeds.size(); ++i) {
        const fs::path& seed = seeds[i];
        std::ifstream in(seed, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const fs::path copy = folder / seed.filename();
        auto check = [&](const std::string& content, std::size_t at) {
            std::ofstream(copy, std::ios::binary | std::ios::trunc)
                .write(content.data(), static_cast<std::streamsize>(content.size()));
            const StoreFileReport report = inspectStoreFile(copy.string());
            ASSERT_TRUE(report.readable);
            const Json dump = parsed(report);
            ASSERT_FALSE(HasFailure()) << seed << " byte " << at;
            if (report.problems.empty())
                EXPECT_FALSE(dump.contains("problems"));
            else
                EXPECT_EQ(dump["problems"], Json(report.problems)) << seed << " byte " << at;
            damaged += report.problems.empty() ? 0 : 1;
        };
        check(bytes, 0);
        for (std::size_t at = i % 7; at < bytes.size(); at += 7) {
            std::string flipped = bytes;
            flipped[at] = static_cast<char>(flipped[at] ^ 0xA5);
            check(flipped, at);
            if (HasFatalFailure())
                return;
        }
    }
    EXPECT_GT(damaged, 50);
}

TEST(DumpTest, AFileNameThatIsNotUtf8IsShownWithReplacementCharacters) {
    test::TemporaryFolder folder;
    const fs::path path = documentWithText(folder, "x");
    const fs::path odd = folder / "plan\xFF.dls";
    fs::copy_file(path, odd);
    const StoreFileReport report = inspectStoreFile(odd.string());
    EXPECT_TRUE(report.problems.empty());
    EXPECT_NE(parsed(report)["file"].get<std::string>().find("plan\xEF\xBF\xBD.dls"), std::string::npos);
}

} // namespace
} // namespace plexo
