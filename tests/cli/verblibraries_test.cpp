// The verbs find their symbols as the editor does ("--library", else the
// settings' library folder, else the libraries installed beside the program), a
// resave of every bundled document keeps every object and every link, and
// "plexo jcl" counts every folio it adds.
#include "support/storefixture.h"
#include "support/testenvironment.h"

#include "shapes/symbollabels.h"
#include "shapes/wires.h"
#include "store/folio.h"
#include "store/saodoc.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdio>
#include <fstream>
#include <map>
#include <set>
#include <sys/wait.h>

namespace plexo {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

const fs::path kPlexo = PLEXO_EXECUTABLE;

struct Outcome {
    int status = -1;
    std::string out; // standard output and error together
};

std::string quoted(const fs::path& p) {
    return "'" + p.string() + "'";
}

// Runs plexo with home as its PLEXO_HOME (the folder of "Plexo.ini").
Outcome run(const fs::path& home, const std::string& arguments, bool errors = true) {
    Outcome result;
    const std::string command = "PLEXO_HOME=" + quoted(home) + " " + quoted(kPlexo) + " " + arguments +
                                (errors ? " 2>&1" : " 2>/dev/null");
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return result;
    char chunk[4096];
    std::size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, pipe)) > 0)
        result.out.append(chunk, n);
    const int status = ::pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

json dumpOf(const fs::path& home, const fs::path& file) {
    Outcome dump = run(home, "dump " + quoted(file), false);
    EXPECT_EQ(dump.status, 0) << file;
    return json::parse(dump.out, nullptr, false);
}

void writeSettings(const fs::path& home, const fs::path& libraryFolder) {
    fs::create_directories(home);
    std::ofstream(home / "Plexo.ini") << "[Librairie]\npath=" << libraryFolder.string() << "\n";
}

// What a resave must keep of a folio: its object count and, for each wire in
// order, the numbers of its two ends.
struct FolioLinks {
    std::size_t objects = 0;
    std::vector<std::pair<int, int>> wireEnds;
    bool operator==(const FolioLinks&) const = default;
};

std::map<std::string, FolioLinks> linksOf(const json& dump) {
    std::map<std::string, FolioLinks> result;
    for (const json& folio : dump["document"]["folios"]) {
        FolioLinks& links = result[folio["number"].get<std::string>()];
        links.objects = folio["objects"].size();
        for (const json& object : folio["objects"])
            if (object.contains("amontId"))
                links.wireEnds.emplace_back(object["amontId"].get<int>(), object["avalId"].get<int>());
    }
    return result;
}

// The end numbers that name a terminal (not a wire) more than once.
std::vector<int> terminalsWithTwoWires(const json& dump) {
    std::vector<int> doubled;
    for (const json& folio : dump["document"]["folios"]) {
        std::set<int> wires, seen;
        for (const json& object : folio["objects"])
            if (object.contains("amontId"))
                wires.insert(object["id"].get<int>());
        for (const json& object : folio["objects"]) {
            if (!object.contains("amontId"))
                continue;
            for (const char* end : {"amontId", "avalId"}) {
                const int id = object[end].get<int>();
                if (id != 0 && !wires.count(id) && !seen.insert(id).second)
                    doubled.push_back(id);
            }
        }
    }
    return doubled;
}

TEST(VerbLibraries, ResavingEveryBundledDocumentKeepsEveryObjectAndLink) {
    test::TemporaryFolder folder;
    const fs::path home = folder / "home"; // no settings: the editor's first start
    fs::create_directories(home);
    const fs::path examples = kPlexo.parent_path().parent_path() / "examples";
    int documents = 0;
    for (const auto& entry : fs::directory_iterator(examples)) {
        if (entry.path().extension() != ".dls")
            continue;
        ++documents;
        const fs::path copy = folder / entry.path().filename();
        const json before = dumpOf(home, entry.path());
        ASSERT_FALSE(before.is_discarded());
        EXPECT_TRUE(terminalsWithTwoWires(before).empty()) << entry.path();
        std::size_t links = 0;
        for (const auto& [number, folio] : linksOf(before))
            for (auto [amont, aval] : folio.wireEnds)
                links += (amont != 0) + (aval != 0);
        EXPECT_GT(links, 0u);

        // Without "--library": the libraries installed beside the program.
        Outcome resave = run(home, "resave " + quoted(entry.path()) + " -o " + quoted(copy));
        ASSERT_EQ(resave.status, 0) << resave.out;
        const json after = dumpOf(home, copy);
        ASSERT_FALSE(after.is_discarded());
        EXPECT_TRUE(linksOf(after) == linksOf(before)) << entry.path();

        // Settings naming a folder without libraries fall back the same way.
        const fs::path elsewhere = folder / "ailleurs";
        writeSettings(folder / "home2", folder / "vide");
        fs::create_directories(folder / "vide");
        Outcome fallBack =
            run(folder / "home2", "resave " + quoted(entry.path()) + " -o " + quoted(elsewhere));
        EXPECT_EQ(fallBack.status, 0) << fallBack.out;
    }
    EXPECT_GT(documents, 0);
}

// A document holding one symbol only the test's library has, its two terminals
// joined by a wire.
void writeDocumentWithOwnSymbol(const fs::path& path, test::LibraryFixture& fixture) {
    LibNode* library = fixture.moteur->parent;
    LibNode* own = fixture.lib.createNode(*library, NodeKind::Symbol, "Vanne d'essai");
    std::vector<std::unique_ptr<Shape>> drawing;
    drawing.push_back(test::makeShape(kRectangle, {{0, 0}, {20000, 10000}}));
    drawing.push_back(test::makeShape(kTerminal, {{0, 5000}}, "A"));
    drawing.push_back(test::makeShape(kTerminal, {{20000, 5000}}, "B"));
    test::storeDrawing(*own, std::move(drawing));
    fixture.lib.saveAll();

    saoDoc doc;
    ASSERT_TRUE(doc.open({}));
    doc.setPath(path);
    Folio& folio = *doc.folios.front();
    folio.acquire();
    Shape& valve = folio.append(test::makeSymbol(folio, "Vanne d'essai", {60000, 60000}));
    ASSERT_NE(valve.infoSymbole->node, nullptr);
    Shape* a = valve.infoSymbole->labels.at(0).shape.get();
    Shape* b = valve.infoSymbole->labels.at(1).shape.get();
    Shape& wire = folio.append(test::makeShape(kWire, {placedPoint(*a), {60000, 90000}, placedPoint(*b)}));
    ASSERT_TRUE(linkEnd(wire, true, a));
    ASSERT_TRUE(linkEnd(wire, false, b));
    followEnds(wire);
    doc.setModified();
    ASSERT_TRUE(doc.commit(false));
    folio.release(false);
}

TEST(VerbLibraries, VerbsFindSymbolsWhereTheEditorDoes) {
    test::TemporaryFolder folder;
    const fs::path symbols = folder / "symboles";
    const fs::path document = folder / "plan.dls";
    {
        test::LibraryFixture fixture(symbols);
        writeDocumentWithOwnSymbol(document, fixture);
    }
    ASSERT_TRUE(fs::exists(document));
    const fs::path bare = folder / "nu";
    fs::create_directories(bare);
    const fs::path configured = folder / "regle";
    writeSettings(configured, symbols);
    const fs::path misled = folder / "egare";
    fs::create_directories(folder / "vide");
    writeSettings(misled, folder / "vide");

    struct Case {
        const char* what;
        fs::path home;
        std::string library;
        bool found;
    } cases[] = {
        {"no settings and no --library: the bundled libraries, which lack the symbol", bare, "", false},
        {"the settings' library folder", configured, "", true},
        {"--library wins over the settings", misled, " --library " + quoted(symbols), true},
        {"--library naming a folder without the symbol", configured, " --library " + quoted(folder / "vide"),
         false},
    };
    int n = 0;
    for (const Case& c : cases) {
        const fs::path copy = folder / ("copie" + std::to_string(++n) + ".dls");
        Outcome resave = run(c.home, "resave " + quoted(document) + " -o " + quoted(copy) + c.library);
        EXPECT_EQ(resave.status, c.found ? 0 : 1) << c.what << ": " << resave.out;
        EXPECT_EQ(fs::exists(copy), c.found) << c.what;
        if (c.found) {
            // The symbol and its wire's two links came through.
            const json after = dumpOf(c.home, copy);
            ASSERT_FALSE(after.is_discarded());
            const FolioLinks links = linksOf(after).begin()->second;
            EXPECT_EQ(links.objects, 2u) << c.what;
            EXPECT_EQ(links.wireEnds, (std::vector<std::pair<int, int>>{{2, 3}})) << c.what;
        }

        const fs::path picture = folder / ("image" + std::to_string(n) + ".png");
        Outcome render = run(c.home, "render " + quoted(document) + " -o " + quoted(picture) + c.library);
        EXPECT_EQ(render.status, 0) << c.what << ": " << render.out;
        EXPECT_EQ(render.out.find("impossible de charger de symbole 'Vanne d'essai'") == std::string::npos,
                  c.found)
            << c.what << ": " << render.out;
    }
}

TEST(VerbLibraries, JclFindsTheBundledSymbolsAndCountsAStoppedFolio) {
    test::TemporaryFolder folder;
    const fs::path home = folder / "home";
    fs::create_directories(home);
    const fs::path jobs = folder / "jobs";
    fs::create_directories(jobs);
    std::ofstream(jobs / "a.jcl") << "// DLBL ENTREE,'A.B',0,SD\n// EXEC LECTURE\n";
    // 17 files on one step: the drawing stops there, its folio keeps the first step.
    std::string text = "// EXEC PREMIER\n";
    for (int i = 0; i < 17; ++i)
        text += "// DLBL O" + std::to_string(i) + ",'X.F" + std::to_string(i) + "',0,SD\n";
    text += "// EXEC TROPLONG\n";
    std::ofstream(jobs / "b.jcl") << text;

    const fs::path output = folder / "jobs.dls";
    // Without --library and without settings: the libraries beside the program.
    Outcome jcl = run(home, "jcl -o " + quoted(output) + " " + quoted(jobs));
    EXPECT_EQ(jcl.status, 0) << jcl.out;
    EXPECT_NE(jcl.out.find("*** Nombre de fichiers trop grand !"), std::string::npos) << jcl.out;
    EXPECT_NE(jcl.out.find("2 folio(s) dessiné(s)"), std::string::npos) << jcl.out;
    const json dump = dumpOf(home, output);
    ASSERT_FALSE(dump.is_discarded());
    EXPECT_EQ(dump["document"]["folios"].size(), 2u);
}

} // namespace
} // namespace plexo
