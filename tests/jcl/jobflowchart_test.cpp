#include "jcl/jobflowchart.h"

#include "base/textcodec.h"
#include "bench/jcl_generate.h"
#include "library/lib.h"
#include "library/libsymbolresolver.h"
#include "shapes/geometry.h"
#include "shapes/shape.h"
#include "shapes/wires.h"
#include "store/folio.h"
#include "store/saodoc.h"
#include "support/testenvironment.h"
#include "tools/bundledlibraries.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace plexo {
namespace {

// The bundled libraries written into a temporary folder and installed, and a new
// document to draw into.
class FlowchartTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(writeBundledLibraries(libraries.path(), error)) << error;
        lib = std::make_unique<Lib>(libraries.path().string());
        lib->scanLocation();
        installLibrary(lib.get());
        ASSERT_TRUE(document.open({}));
        initialFolios = document.folios.size();
    }
    void TearDown() override {
        for (Folio* folio : held)
            folio->release(false);
        document.close();
        installLibrary(nullptr);
    }

    // Draws the text as the JCL file JOB.jcl; returns the folios added, loaded
    // back from the document's store.
    std::vector<Folio*> draw(const std::string& text, const char* path = "/jobs/JOB.jcl") {
        JobFlowchart drawing(document);
        JclReader reader(&drawing);
        reader.readJclText(path, text);
        drawn = reader.summary().foliosDrawn;
        for (Folio* folio : drawing.folios()) {
            folio->acquire();
            held.push_back(folio);
        }
        return drawing.folios();
    }

    static std::vector<Shape*> symbols(const Folio& folio, const std::string& name = {}) {
        std::vector<Shape*> out;
        for (const auto& object : folio.objects)
            if (object->kind == kSymbol && (name.empty() || object->infoSymbole->name == name))
                out.push_back(object.get());
        return out;
    }
    static std::vector<Shape*> wires(const Folio& folio) {
        std::vector<Shape*> out;
        for (const auto& object : folio.objects)
            if (object->kind == kWire)
                out.push_back(object.get());
        return out;
    }
    static Shape* symbolWithText(const Folio& folio, const std::string& text) {
        for (Shape* s : symbols(folio))
            if (s->data == text)
                return s;
        return nullptr;
    }
    // The symbol instance a wire end belongs to (through a wire to the wire's own end).
    static const Shape* endOwner(const Shape* end, bool upstream, int depth = 0) {
        if (!end || depth > 8)
            return nullptr;
        if (end->isWire())
            return endOwner(upstream ? end->infoFil->amont : end->infoFil->aval, upstream, depth + 1);
        return end->infoBorne ? end->infoBorne->owner : nullptr;
    }

    // A symbol other than the wire's own two whose top or bottom edge a vertical
    // segment crosses within the symbol's width (the wire passes through it).
    static const Shape* crossedSymbol(const Folio& folio, Point a, Point b, const Shape* own1,
                                      const Shape* own2) {
        const std::int32_t low = std::min(a.y, b.y), high = std::max(a.y, b.y);
        for (const auto& object : folio.objects) {
            const Shape* s = object.get();
            if (s->kind != kSymbol || s == own1 || s == own2)
                continue;
            const Rect& r = s->outline;
            const bool edge = (r.top > low && r.top < high) || (r.bottom > low && r.bottom < high);
            if (edge && r.left <= a.x && r.right >= a.x)
                return s;
        }
        return nullptr;
    }

    test::TemporaryFolder libraries;
    std::unique_ptr<Lib> lib;
    saoDoc document;
    std::size_t initialFolios = 0;
    std::vector<Folio*> held;
    int drawn = 0;
    test::RecordingLog log;
    test::ScriptedUserInterface ui;
};

std::string steps(int count) {
    std::string text;
    for (int i = 1; i <= count; ++i)
        text += "// EXEC STEP" + std::to_string(i) + "\n";
    return text;
}

TEST_F(FlowchartTest, ChunksOf50StepsGoToNumberedFolios) {
    std::vector<Folio*> folios = draw(steps(120), "/prod.v2/JOBLONG.jcl");
    ASSERT_EQ(folios.size(), 3u);
    EXPECT_EQ(drawn, 3);
    EXPECT_EQ(folios[0]->number, "JOBLONG");
    EXPECT_EQ(folios[1]->number, "JOBLONG/2");
    EXPECT_EQ(folios[2]->number, "JOBLONG/3");
    EXPECT_EQ(symbols(*folios[0]).size(), 50u);
    EXPECT_EQ(symbols(*folios[1]).size(), 50u);
    EXPECT_EQ(symbols(*folios[2]).size(), 20u);
    EXPECT_NE(symbolWithText(*folios[1], "STEP51"), nullptr);
    EXPECT_NE(symbolWithText(*folios[2], "STEP120"), nullptr);
    EXPECT_EQ(document.folios.size(), initialFolios + 3);
    // Steps without files: each takes 8 - 3 - 3 = 2 grid steps, after 4 at the top.
    const std::int32_t v = document.verticalGrid;
    EXPECT_EQ(symbolWithText(*folios[0], "STEP2")->points[0].y -
                  symbolWithText(*folios[0], "STEP1")->points[0].y,
              2 * v);
    EXPECT_EQ(symbolWithText(*folios[0], "STEP1")->points[0].y, v);
    EXPECT_EQ(symbolWithText(*folios[0], "STEP1")->points[0].x, 12 * document.horizontalGrid);
    EXPECT_EQ(folios[0]->pagesDown, (v + 50 * 2 * v) / document.documentHeight + 1);
}

TEST_F(FlowchartTest, JobOfExactly50StepsMakesOneFolio) {
    EXPECT_EQ(draw(steps(50)).size(), 1u);
    EXPECT_EQ(drawn, 1);
    // The reader hands no empty chunk over after a full one.
    EXPECT_FALSE(log.contains("*** Fichier de type inconnu"));
    EXPECT_EQ(document.folios.size(), initialFolios + 1);
}

TEST_F(FlowchartTest, FolioFieldsAndPhases) {
    std::vector<Folio*> folios = draw("// DLBL OUT1,'A.B.RESULT',0,SD\n// EXEC PGMA\n");
    ASSERT_EQ(folios.size(), 1u);
    EXPECT_EQ(folios[0]->author, "Plexo");
    EXPECT_EQ(cp1252ToUtf8(folios[0]->titles[0]), "Rétro-documentation automatique");
    EXPECT_EQ(document.showTerminals, 0);
    std::vector<std::string> lines;
    for (const auto& m : log.messages)
        lines.push_back(m.text);
    const std::vector<std::string> phases = {"Création du document", "Mise en place des objets",
                                             "Création des objets",  "Création des liaisons",
                                             "Création des fils",    "Optimisations",
                                             "Importation réussie"};
    auto at = lines.begin();
    for (const auto& phase : phases) {
        at = std::find(at, lines.end(), phase);
        EXPECT_NE(at, lines.end()) << phase;
    }
    // Gauges: steps + files, files, twice the wires.
    const std::vector<std::pair<int, std::string>> gauges = {
        {2, "Création des objets"}, {1, "Création des fils"}, {2, "Optimisations"}};
    for (const auto& gauge : gauges)
        EXPECT_NE(std::find(ui.progressStarts.begin(), ui.progressStarts.end(), gauge),
                  ui.progressStarts.end())
            << gauge.second;
}

TEST_F(FlowchartTest, ProgramSymbolFollowsFileCountsAndNameLength) {
    struct Case {
        int inputs;
        int outputs;
        std::string program;
        const char* symbol;
    };
    const std::vector<Case> cases = {
        {2, 1, "PAYROLL", "Pgm 2/1"},
        {2, 1, std::string(30, 'P'), "Pgm 4/4"},
        {0, 0, "PAYROLL12", "Pgm 2/2"},
        {0, 0, "PAYROLL", "Pgm 1/1"},
        {3, 1, "PGM", "Pgm 3/1"},
        {1, 2, "PGM", "Pgm 1/2"},
        {1, 3, "PGM", "Pgm 1/3"},
        {1, 3, std::string(26, 'Q'), "Pgm 3/3"},
        {5, 0, "PGM", "Pgm 5/5"},
        {0, 16, "PGM", "Pgm 16/16"},
        {0, 0, std::string(46, 'L'), "Pgm 6/6"},
    };
    int n = 0;
    for (const Case& c : cases) {
        std::string text;
        // VSAM files are always inputs; files named once are outputs.
        for (int i = 0; i < c.inputs; ++i)
            text += "// DLBL IN" + std::to_string(i) + ",'K" + std::to_string(n) + "." + std::to_string(i) +
                    "',,VSAM\n";
        for (int i = 0; i < c.outputs; ++i)
            text += "// DLBL OUT" + std::to_string(i) + ",'S" + std::to_string(n) + "." + std::to_string(i) +
                    "',0,SD\n";
        text += "// EXEC " + c.program + "\n";
        std::vector<Folio*> folios = draw(text, ("/jobs/CASE" + std::to_string(n++) + ".jcl").c_str());
        ASSERT_EQ(folios.size(), 1u) << c.symbol;
        Shape* program = symbolWithText(*folios[0], c.program);
        ASSERT_NE(program, nullptr) << c.symbol;
        EXPECT_EQ(program->infoSymbole->name, c.symbol) << c.inputs << "/" << c.outputs << " " << c.program;
        // Every file got its terminal, its symbol and its wire.
        EXPECT_EQ(wires(*folios[0]).size(), static_cast<std::size_t>(c.inputs + c.outputs)) << c.symbol;
    }
}

TEST_F(FlowchartTest, DataSetWrittenOnceAndReadTwiceHasOneSymbolBelowItsWriter) {
    std::vector<Folio*> folios = draw("// DLBL MASTOUT,'PROD.CUSTOMER.EXTRACTION',0,SD\n// EXEC WRITER\n"
                                      "// DLBL MASTIN,'PROD.CUSTOMER.EXTRACTION',0,SD\n// EXEC READER1\n"
                                      "// DLBL CUSTIN,'PROD.CUSTOMER.EXTRACTION',0,SD\n// EXEC READER2\n");
    ASSERT_EQ(folios.size(), 1u);
    const Folio& folio = *folios[0];
    std::vector<Shape*> files = symbols(folio, "SAM");
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0]->data, "XTRACTION");
    EXPECT_EQ(files[0]->infoSymbole->block, "PROD.CUSTOMER.EXTRACTION");
    Shape* writer = symbolWithText(folio, "WRITER");
    Shape* reader1 = symbolWithText(folio, "READER1");
    Shape* reader2 = symbolWithText(folio, "READER2");
    ASSERT_TRUE(writer && reader1 && reader2);
    EXPECT_GT(files[0]->points[0].y, writer->points[0].y);
    EXPECT_LT(files[0]->points[0].y, reader1->points[0].y);

    std::vector<Shape*> all = wires(folio);
    ASSERT_EQ(all.size(), 3u);
    int atFile = 0;
    for (Shape* wire : all) {
        const Shape* program = endOwner(wire->infoFil->amont, true);
        EXPECT_EQ(endOwner(wire->infoFil->aval, false), files[0]);
        if (program == writer) {
            EXPECT_EQ(wire->style.arrow1, 0);
            EXPECT_NE(wire->style.arrow2, 0);
            ++atFile;
        } else {
            EXPECT_TRUE(program == reader1 || program == reader2);
            EXPECT_NE(wire->style.arrow1, 0);
            EXPECT_EQ(wire->style.arrow2, 0);
        }
    }
    EXPECT_EQ(atFile, 1);
    // The program labels carry the DD names.
    EXPECT_EQ(writer->infoSymbole->labels[1].text, "MASTOUT"); // out1 follows in1 in "Pgm 1/1"
    EXPECT_EQ(reader1->infoSymbole->labels[0].text, "MASTIN");
}

TEST_F(FlowchartTest, VsamFileStandsAboveItsStepWithoutArrows) {
    std::vector<Folio*> folios = draw("// DLBL MASTER,'PROD.MASTER.FILE',99/365,VSAM\n// EXEC UPDATE\n");
    ASSERT_EQ(folios.size(), 1u);
    std::vector<Shape*> vsam = symbols(*folios[0], "VSAM");
    ASSERT_EQ(vsam.size(), 1u);
    Shape* program = symbolWithText(*folios[0], "UPDATE");
    ASSERT_NE(program, nullptr);
    const std::int32_t v = document.verticalGrid;
    EXPECT_EQ(vsam[0]->points[0].y, program->points[0].y - (2 * v + v / 2));
    std::vector<Shape*> all = wires(*folios[0]);
    ASSERT_EQ(all.size(), 1u);
    EXPECT_EQ(all[0]->style.arrow1, 0);
    EXPECT_EQ(all[0]->style.arrow2, 0);
    // From the program's top terminal up to the file's lower terminal.
    EXPECT_EQ(all[0]->points.front(), placedPoint(*program->infoSymbole->labels[0].shape, *program));
    EXPECT_EQ(all[0]->points.back(), placedPoint(*vsam[0]->infoSymbole->labels[1].shape, *vsam[0]));
}

TEST_F(FlowchartTest, DataSetWrittenAndReadBySameStepGetsTwoSymbols) {
    std::vector<Folio*> folios =
        draw("// DLBL OLD,'PROD.MASTER',0,SD\n// DLBL NEW,'PROD.MASTER',0,SD\n// EXEC MERGE\n");
    ASSERT_EQ(folios.size(), 1u);
    std::vector<Shape*> files = symbols(*folios[0], "SAM");
    ASSERT_EQ(files.size(), 2u);
    Shape* program = symbolWithText(*folios[0], "MERGE");
    ASSERT_NE(program, nullptr);
    const std::int32_t y = program->points[0].y;
    EXPECT_NE(files[0]->points[0].y < y, files[1]->points[0].y < y);
}

TEST_F(FlowchartTest, TapeAndLabel) {
    std::vector<Folio*> folios = draw("/. FIN\n// TLBL SAVE1\n// EXEC BACKUP\n");
    ASSERT_EQ(folios.size(), 1u);
    std::vector<Shape*> tapes = symbols(*folios[0], "Sauvegarde");
    ASSERT_EQ(tapes.size(), 1u);
    EXPECT_EQ(tapes[0]->data, "");
    std::vector<Shape*> tags = symbols(*folios[0], "Etiquette");
    ASSERT_EQ(tags.size(), 1u);
    EXPECT_EQ(tags[0]->data, "FIN");
    Shape* program = symbolWithText(*folios[0], "BACKUP");
    ASSERT_NE(program, nullptr);
    EXPECT_LT(tags[0]->outline.right, program->outline.left);
    // A tape with no file id is written once: no arrowheads.
    ASSERT_EQ(wires(*folios[0]).size(), 1u);
    EXPECT_EQ(wires(*folios[0])[0]->style.arrow2, 0);
}

TEST_F(FlowchartTest, SeventeenOutputsStopTheDrawing) {
    std::string text = "// EXEC FIRST\n";
    for (int i = 0; i < 17; ++i)
        text += "// DLBL O" + std::to_string(i) + ",'X.F" + std::to_string(i) + "',0,SD\n";
    text += "// EXEC TOOMANY\n";
    std::vector<Folio*> folios = draw(text);
    ASSERT_EQ(folios.size(), 1u);
    EXPECT_EQ(drawn, 0);
    EXPECT_TRUE(log.contains("TOOMANY"));
    EXPECT_TRUE(log.contains("*** Nombre de fichiers trop grand !"));
    EXPECT_FALSE(log.contains("Importation réussie"));
    // The folio keeps what was placed before the stop.
    EXPECT_NE(symbolWithText(*folios[0], "FIRST"), nullptr);
    EXPECT_EQ(symbolWithText(*folios[0], "TOOMANY"), nullptr);
    EXPECT_TRUE(wires(*folios[0]).empty());
}

TEST_F(FlowchartTest, NoStepMeansNoFolio) {
    EXPECT_TRUE(draw("// DLBL A,'B.C',0,SD\n* nothing else\n").empty());
    EXPECT_TRUE(log.contains("*** Fichier de type inconnu"));
    EXPECT_EQ(document.folios.size(), initialFolios);
}

TEST_F(FlowchartTest, MissingSymbolIsReported) {
    installLibrary(nullptr);
    Lib empty((libraries / "nothing").string());
    installLibrary(&empty);
    std::vector<Folio*> folios = draw("// EXEC PGMA\n");
    installLibrary(lib.get());
    EXPECT_EQ(drawn, 0);
    EXPECT_TRUE(log.contains("Pgm 1/1"));
    EXPECT_TRUE(log.contains("*** Impossible de charger le symbole !"));
    ASSERT_EQ(folios.size(), 1u);
    EXPECT_TRUE(folios[0]->objects.empty());
}

// Realistic jobs: every wire joins a program terminal to a file symbol's terminal
// (or a wire reaching one), lies in horizontal and vertical segments, and no
// segment crosses a symbol's top or bottom edge.
// A job whose steps all read the sixteen data sets of step 1 (long wires down
// the whole column), and one where each step reads the sixteen of the one before.
std::vector<bench::GeneratedJob> crowdedJobs() {
    bench::GeneratedJob shared{"SHARED", "", 30, 0}, chain{"CHAIN", "", 30, 0};
    for (int s = 1; s <= 30; ++s) {
        for (int i = 0; i < 16; ++i) {
            const std::string n = std::to_string(i);
            shared.text += (s == 1 ? "// DLBL OUT" : "// DLBL IN") + n + ",'D.S1.F" + n + "',0,SD\n";
            if (s > 1)
                chain.text += "// DLBL IN" + n + ",'D.S" + std::to_string(s - 1) + ".F" + n + "',0,SD\n";
            chain.text += "// DLBL OUT" + n + ",'D.S" + std::to_string(s) + ".F" + n + "',0,SD\n";
        }
        shared.text += "// EXEC SHARE" + std::to_string(s) + "\n";
        chain.text += "// EXEC CHAIN" + std::to_string(s) + "\n";
    }
    return {shared, chain};
}

TEST_F(FlowchartTest, GeneratedJobsAreWiredCleanly) {
    std::vector<bench::GeneratedJob> jobs = bench::generateJclJobs(16, 7);
    for (auto& job : crowdedJobs())
        jobs.push_back(std::move(job));
    for (const bench::GeneratedJob& job : jobs) {
        std::vector<Folio*> folios = draw(job.text, ("/jobs/" + job.name + ".jcl").c_str());
        ASSERT_EQ(static_cast<int>(folios.size()), (job.steps + 49) / 50) << job.name;
        ASSERT_EQ(drawn, static_cast<int>(folios.size())) << job.name;
        for (Folio* folio : folios) {
            std::vector<Shape*> all = wires(*folio);
            EXPECT_FALSE(all.empty()) << job.name;
            for (Shape* wire : all) {
                ASSERT_GE(wire->points.size(), 2u);
                const Shape* program = endOwner(wire->infoFil->amont, true);
                const Shape* file = endOwner(wire->infoFil->aval, false);
                ASSERT_NE(program, nullptr) << job.name;
                ASSERT_NE(file, nullptr) << job.name;
                EXPECT_EQ(program->infoSymbole->name.rfind("Pgm ", 0), 0u) << job.name;
                EXPECT_TRUE(file->infoSymbole->name == "SAM" || file->infoSymbole->name == "VSAM" ||
                            file->infoSymbole->name == "Sauvegarde")
                    << job.name;
                EXPECT_EQ(wire->points.front(), placedPoint(*wire->infoFil->amont)) << job.name;
                if (!wire->infoFil->aval->isWire()) {
                    EXPECT_EQ(wire->points.back(), placedPoint(*wire->infoFil->aval)) << job.name;
                }
                for (std::size_t k = 1; k < wire->points.size(); ++k) {
                    const Point a = wire->points[k - 1], b = wire->points[k];
                    // Orthogonal within the routing tolerance.
                    EXPECT_TRUE(std::abs(a.x - b.x) <= kWireTolerance ||
                                std::abs(a.y - b.y) <= kWireTolerance)
                        << job.name;
                    if (std::abs(a.x - b.x) <= kWireTolerance) {
                        const Shape* crossed = crossedSymbol(*folio, a, b, program, file);
                        EXPECT_EQ(crossed, nullptr)
                            << job.name << " folio " << folio->number << " segment " << k << " x " << a.x
                            << " crosses " << (crossed ? crossed->data : "");
                    }
                }
            }
        }
    }
}

TEST(BundledLibraries, HoldEverySymbolWithItsTerminals) {
    test::TemporaryFolder folder;
    test::RecordingLog log;
    std::string error;
    ASSERT_TRUE(writeBundledLibraries(folder.path(), error)) << error;
    // Written twice: the files are replaced, not appended to.
    ASSERT_TRUE(writeBundledLibraries(folder.path(), error)) << error;
    Lib lib(folder.path().string());
    lib.scanLocation();
    installLibrary(&lib);
    saoDoc document;
    ASSERT_TRUE(document.open({}));
    Folio& folio = *document.folios.front();
    auto terminalTexts = [&](const std::string& name) {
        std::vector<std::string> texts;
        LibNode* node = lib.findSymbol(name);
        EXPECT_NE(node, nullptr) << name;
        if (!node || !node->acquireDrawing(&document))
            return texts;
        EXPECT_TRUE(node->drawing && !node->drawing->objects.empty()) << name;
        EXPECT_LT(node->bounds.left, node->bounds.right) << name;
        for (const auto& object : node->drawing->objects)
            if (object->kind == kTerminal || object->kind == kTextZone)
                texts.push_back(object->data);
        node->releaseDrawing(&document);
        return texts;
    };
    auto expected = [](int inputs, int outputs) {
        std::vector<std::string> t;
        for (int i = 1; i <= inputs; ++i)
            t.push_back("in" + std::to_string(i));
        for (int i = 1; i <= outputs; ++i)
            t.push_back("out" + std::to_string(i));
        t.push_back("#Nom");
        return t;
    };
    for (int n = 1; n <= 16; ++n)
        EXPECT_EQ(terminalTexts("Pgm " + std::to_string(n) + "/" + std::to_string(n)), expected(n, n));
    EXPECT_EQ(terminalTexts("Pgm 2/1"), expected(2, 1));
    EXPECT_EQ(terminalTexts("Pgm 3/1"), expected(3, 1));
    EXPECT_EQ(terminalTexts("Pgm 1/2"), expected(1, 2));
    EXPECT_EQ(terminalTexts("Pgm 1/3"), expected(1, 3));
    for (const char* file : {"SAM", "VSAM", "Sauvegarde"}) {
        // The first label is the upper connection point, the second the lower one.
        LibNode* node = lib.findSymbol(file);
        ASSERT_NE(node, nullptr);
        ASSERT_TRUE(node->acquireDrawing(&document));
        std::vector<Point> points;
        for (const auto& object : node->drawing->objects)
            if (object->kind == kTerminal)
                points.push_back(object->points[0]);
        ASSERT_EQ(points.size(), 2u) << file;
        EXPECT_EQ(points[0].x, points[1].x) << file;
        EXPECT_EQ(points[0].x, (node->bounds.left + node->bounds.right) / 2) << file;
        EXPECT_LT(points[0].y, points[1].y) << file;
        EXPECT_EQ(node->drawing->objects[0]->kind, kTerminal) << file;
        node->releaseDrawing(&document);
    }
    EXPECT_EQ(terminalTexts("Etiquette"), std::vector<std::string>{"#Nom"});

    LibNode* block = lib.findSymbol(kBundledTitleBlock);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(block->symbolType, kCartouche);
    std::vector<std::string> fields = terminalTexts(kBundledTitleBlock);
    for (const char* field :
         {"#Folio", "#Date", "#Auteur", "#Titre1", "#Titre2", "#Titre3", "#Document", "#TPages"})
        EXPECT_NE(std::find(fields.begin(), fields.end(), field), fields.end()) << field;
    // The title block shows the folio's fields.
    document.titleBlockName = kBundledTitleBlock;
    document.loadTitleBlock();
    ASSERT_NE(document.titleBlock, nullptr);
    folio.number = "F12";
    document.titleBlock->folio = &folio;
    const auto at = std::find(fields.begin(), fields.end(), "#Folio") - fields.begin();
    ASSERT_LT(static_cast<std::size_t>(at), document.titleBlock->infoSymbole->labels.size());
    EXPECT_EQ(labelText(document.titleBlock->infoSymbole->labels[static_cast<std::size_t>(at)],
                        *document.titleBlock),
              "F12");
    document.titleBlock.reset();

    for (const std::string& name : generalSymbolNames()) {
        std::vector<std::string> texts = terminalTexts(name);
        EXPECT_FALSE(texts.empty()) << cp1252ToUtf8(name);
    }
    document.close();
    installLibrary(nullptr);
}

} // namespace
} // namespace plexo
