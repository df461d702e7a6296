// "plexo dump", "plexo check" and "plexo resave" on files the program writes,
// run as the user runs them.
#include "support/storefixture.h"
#include "support/testenvironment.h"

#include "store/folio.h"
#include "store/saodoc.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdio>
#include <fstream>
#include <sys/wait.h>

namespace plexo {
namespace {

namespace fs = std::filesystem;

struct Outcome {
    int status = -1;
    std::string out;
};

// The output is the standard output and error together, or the standard output
// alone with `errors` false.
Outcome run(const std::string& arguments, bool errors = true) {
    Outcome result;
    std::string command =
        std::string(PLEXO_EXECUTABLE) + " " + arguments + (errors ? " 2>&1" : " 2>/dev/null");
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return result;
    char chunk[4096];
    std::size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, pipe)) > 0)
        result.out.append(chunk, n);
    int status = ::pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

std::string quoted(const fs::path& p) {
    return "'" + p.string() + "'";
}

// Two folios of every kind of object, a title block, saved at path.
void writeDocument(const fs::path& path) {
    saoDoc doc;
    ASSERT_TRUE(doc.open({}));
    doc.setPath(path);
    doc.titleBlockName = "Cartouche A4";
    doc.folios.front()->number = "F\xE9"
                                 "1"; // "Fé1" in Windows-1252
    Folio* second = doc.addFolio([](Folio& f, FolioDialogKind) {
        f.number = "2";
        return true;
    });
    ASSERT_NE(second, nullptr);
    for (auto& folio : doc.folios) {
        folio->acquire();
        test::appendEveryKind(*folio);
    }
    doc.setModified();
    ASSERT_TRUE(doc.commit(false));
    for (auto& folio : doc.folios)
        folio->release(false);
}

TEST(StoreCommandsTest, DumpCheckAndResaveAWrittenDocument) {
    test::TemporaryFolder folder;
    test::LibraryFixture fixture(folder / "lib");
    const fs::path path = folder / "plan.dls";
    writeDocument(path);

    Outcome check = run("check " + quoted(path));
    EXPECT_EQ(check.status, 0) << check.out;
    EXPECT_NE(check.out.find("fichier correct"), std::string::npos);

    Outcome dump = run("dump " + quoted(path));
    ASSERT_EQ(dump.status, 0) << dump.out;
    for (const char* expected :
         {"\"kind\": \"0\"", "\"version\": 102", "\"number\": \"Fé1\"", "\"nextSerial\": 2",
          "\"font\": \"Times New Roman\"", "\"name\": \"Moteur\"", "\"text\": \"L2\"",
          "\"amontId\":", "\"tuning\": [", "\"text\": \"Fête\"", "\"events\": [", "\"blockSize\": 56",
          "\"titleBlockName\": \"Cartouche A4\""})
        EXPECT_NE(dump.out.find(expected), std::string::npos) << expected;

    const fs::path copy = folder / "copie.dls";
    Outcome resave =
        run("resave " + quoted(path) + " -o " + quoted(copy) + " --library " + quoted(folder / "lib"));
    EXPECT_EQ(resave.status, 0) << resave.out;
    EXPECT_EQ(run("check " + quoted(copy)).status, 0);
    Outcome dumpCopy = run("dump " + quoted(copy));
    ASSERT_EQ(dumpCopy.status, 0);
    // The same document; the file name and the records' places differ.
    auto document = [](const std::string& s) { return s.substr(s.find("\"document\"")); };
    EXPECT_TRUE(document(dumpCopy.out) == document(dump.out));

    // Without the library the symbols cannot be read back: nothing is written.
    const fs::path lost = folder / "perdu.dls";
    fs::create_directories(folder / "sans");
    Outcome refused =
        run("resave " + quoted(path) + " -o " + quoted(lost) + " --library " + quoted(folder / "sans"));
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.out.find("n'est pas écrit"), std::string::npos) << refused.out;
    EXPECT_FALSE(fs::exists(lost));
}

TEST(StoreCommandsTest, ResaveRefusesToDropAWireLink) {
    test::TemporaryFolder folder;
    test::LibraryFixture fixture(folder / "lib");
    const fs::path path = folder / "double.dls";
    {
        // Two wires naming one terminal, as an older example was written: the
        // terminal carries one wire only, so the second one's link cannot be made.
        saoDoc doc;
        ASSERT_TRUE(doc.open({}));
        doc.setPath(path);
        Folio& folio = *doc.folios.front();
        folio.acquire();
        Shape& symbol = folio.append(test::makeSymbol(folio, "Moteur", {60000, 60000}));
        Shape* terminal = symbol.infoSymbole->labels.at(1).shape.get();
        for (int i = 0; i < 2; ++i) {
            Shape& wire = folio.append(test::makeShape(kWire, {{70000, 60000}, {70000, 90000 + i * 10000}}));
            wire.infoFil->amont = terminal;
        }
        doc.setModified();
        ASSERT_TRUE(doc.commit(false));
        folio.release(false);
    }
    const fs::path copy = folder / "copie.dls";
    Outcome refused =
        run("resave " + quoted(path) + " -o " + quoted(copy) + " --library " + quoted(folder / "lib"));
    EXPECT_EQ(refused.status, 1) << refused.out;
    EXPECT_NE(refused.out.find("n'a refait que 1 liens de fils sur 2"), std::string::npos) << refused.out;
    EXPECT_FALSE(fs::exists(copy));
}

TEST(StoreCommandsTest, DumpAndCheckALibrary) {
    test::TemporaryFolder folder;
    test::LibraryFixture fixture(folder.path());
    fixture.lib.saveAll();
    const fs::path library = folder / "Appareils.dly";
    Outcome check = run("check " + quoted(library));
    EXPECT_EQ(check.status, 0) << check.out;
    Outcome dump = run("dump " + quoted(library));
    ASSERT_EQ(dump.status, 0);
    for (const char* expected : {"\"kind\": \"L\"", "\"version\": 100", "\"name\": \"Cartouche A4\"",
                                 "\"symbolType\": 3", "\"symbols\": [", "\"text\": \"#Folio\""})
        EXPECT_NE(dump.out.find(expected), std::string::npos) << expected;
}

TEST(StoreCommandsTest, CheckReportsDamageInFrenchAndFails) {
    test::TemporaryFolder folder;
    test::LibraryFixture fixture(folder / "lib");
    const fs::path path = folder / "plan.dls";
    writeDocument(path);
    std::vector<char> bytes;
    {
        std::ifstream in(path, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    auto write = [&](const std::string& name, std::vector<char> content) {
        fs::path p = folder / name;
        std::ofstream(p, std::ios::binary)
            .write(content.data(), static_cast<std::streamsize>(content.size()));
        return p;
    };
    auto cut = bytes;
    cut.resize(bytes.size() - 7);
    auto flipped = bytes;
    flipped[9 + 10 + 1 + 4] = 99; // kind byte of the first object of the first record
    struct Case {
        const char* name;
        std::vector<char> content;
        const char* message;
    } cases[] = {
        {"coupe.dls", cut, "dépasse la fin du fichier"},
        {"objet.dls", flipped, "type d'objet inconnu 99"},
        {"vide.dls", {}, "trop court"},
        {"texte.dls", {'b', 'o', 'n', 'j', 'o', 'u', 'r', ' ', '!', '!'}, "signature incorrecte"},
    };
    for (const auto& c : cases) {
        fs::path p = write(c.name, c.content);
        Outcome check = run("check " + quoted(p));
        EXPECT_EQ(check.status, 1) << c.name;
        EXPECT_NE(check.out.find(c.message), std::string::npos) << c.name << ": " << check.out;
        // The dump stops a script on the same files, and its output stays JSON.
        Outcome dump = run("dump " + quoted(p), false);
        EXPECT_EQ(dump.status, 1) << c.name;
        EXPECT_TRUE(nlohmann::json::accept(dump.out)) << c.name << ": " << dump.out;
    }
    EXPECT_EQ(run("check").status, 2);
    EXPECT_EQ(run("dump").status, 2);
    Outcome absent = run("dump " + quoted(folder / "absent.dls"));
    EXPECT_EQ(absent.status, 2);
    EXPECT_NE(absent.out.find("Impossible d'ouvrir"), std::string::npos) << absent.out;
}

} // namespace
} // namespace plexo
