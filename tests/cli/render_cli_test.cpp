// "plexo render" on a document written to disk: PNG, SVG and PDF output,
// numbered files per folio, and the refusals.
#include "bench/render_scene.h"
#include "library/lib.h"
#include "library/libsymbolresolver.h"
#include "shapes/symbolresolver.h"
#include "store/folio.h"
#include "store/saodoc.h"
#include "support/testenvironment.h"

#include <QFile>
#include <QImage>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

namespace plexo {
namespace {

struct PlexoRun {
    int status = -1;
    std::string output;
};

PlexoRun runPlexo(const std::string& arguments) {
    PlexoRun run;
    const std::string command = std::string(PLEXO_EXECUTABLE) + " " + arguments + " 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return run;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe))
        run.output += buffer;
    const int status = ::pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

std::string quoted(const std::filesystem::path& path) {
    return "'" + path.string() + "'";
}

// A document of two folios: the first holds one object of every kind that draws
// without a library, the second a filled rectangle, two pages across.
void writeDocument(const std::filesystem::path& path) {
    test::ScriptedUserInterface ui;
    saoDoc document;
    ASSERT_TRUE(document.open({}));
    Folio& first = *document.folios.front();
    first.number = "F1";
    first.acquire();
    const auto& kinds = scene::sceneKinds();
    for (std::size_t i = 0; i < kinds.size(); ++i)
        first.append(scene::makeObject(kinds[i], 20000 + std::int32_t(i % 5) * 90000,
                                       20000 + std::int32_t(i / 5) * 110000, static_cast<int>(i) + 1));
    first.release(true);
    auto second = document.newFolio();
    second->number = "F2";
    second->pagesAcross = 2;
    second->serial = ++document.nextSerial;
    Folio& added = document.insertFolio(std::move(second));
    added.acquire();
    auto box = scene::makeObject(kRectangle, 100000, 100000, 1);
    box->style.set(kFillColour, 1);
    box->style.set(kPattern, 0);
    box->style.set(kShadow, kNoColour);
    box->setText("");
    added.append(std::move(box));
    added.release(true);
    document.setPath(path);
    ASSERT_TRUE(document.commit(true));
    document.close();
}

std::string fileText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class RenderCommand : public ::testing::Test {
protected:
    void SetUp() override {
        document = folder / "essai.dls";
        writeDocument(document);
        ASSERT_TRUE(std::filesystem::exists(document));
    }

    test::TemporaryFolder folder;
    std::filesystem::path document;
};

TEST_F(RenderCommand, WritesOnePngPerFolioNumbered) {
    const PlexoRun run = runPlexo("render " + quoted(document) + " --library " + quoted(folder.path()) +
                                  " -o " + quoted(folder / "plan.png"));
    ASSERT_EQ(run.status, 0) << run.output;
    QImage first(QString::fromStdString((folder / "plan-1.png").string()));
    QImage second(QString::fromStdString((folder / "plan-2.png").string()));
    ASSERT_FALSE(first.isNull()) << run.output;
    ASSERT_FALSE(second.isNull());
    // A4 portrait at 100 %: 595 × 841 pixels and the doubled last borders; the
    // second folio is two pages across.
    EXPECT_EQ(first.size(), QSize(597, 843));
    EXPECT_EQ(second.size(), QSize(1192, 843));
    // The second folio's red rectangle covers its inside; the page border between
    // the two pages is drawn.
    EXPECT_EQ(second.pixel(130, 120), qRgb(255, 0, 0));
    EXPECT_EQ(second.pixel(595, 400), qRgb(0, 0, 0));
    EXPECT_EQ(second.pixel(400, 400), qRgb(255, 255, 255));
    // The first folio is not blank.
    int ink = 0;
    for (int y = 0; y < first.height(); y += 2)
        for (int x = 0; x < first.width() - 3; x += 2)
            ink += first.pixel(x, y) != qRgb(255, 255, 255);
    EXPECT_GT(ink, 2000);
}

TEST_F(RenderCommand, OneFolioAtAZoomToSvgAndEveryPageToPdf) {
    PlexoRun run = runPlexo("render " + quoted(document) + " --folio F2 --zoom 2 --library " +
                            quoted(folder.path()) + " -o " + quoted(folder / "plan.svg"));
    ASSERT_EQ(run.status, 0) << run.output;
    const std::string svg = fileText(folder / "plan.svg");
    EXPECT_NE(svg.find("<svg"), std::string::npos);
    EXPECT_NE(svg.find("width=\"597"), std::string::npos) << svg.substr(0, 400); // 2 × 297.6 + 2 at 50 %

    run = runPlexo("render " + quoted(document) + " --library " + quoted(folder.path()) + " -o " +
                   quoted(folder / "plan.pdf"));
    ASSERT_EQ(run.status, 0) << run.output;
    const std::string pdf = fileText(folder / "plan.pdf");
    ASSERT_EQ(pdf.rfind("%PDF", 0), 0u);
    // One page for the first folio, two for the second.
    std::size_t pages = 0;
    for (std::size_t at = pdf.find("/Type /Page\n"); at != std::string::npos;
         at = pdf.find("/Type /Page\n", at + 1))
        ++pages;
    if (pages == 0)
        for (std::size_t at = pdf.find("/Type /Page"); at != std::string::npos;
             at = pdf.find("/Type /Page", at + 1))
            pages += pdf.compare(at, 12, "/Type /Pages") != 0;
    EXPECT_EQ(pages, 3u);
}

TEST_F(RenderCommand, RefusesWrongArgumentsAndMissingFiles) {
    struct Case {
        std::string arguments;
        int status;
        std::string message;
    };
    const Case cases[] = {
        {"render " + quoted(document) + " -o " + quoted(folder / "a.bmp"), 2, "Format de sortie inconnu"},
        {"render " + quoted(document) + " --zoom 9 -o " + quoted(folder / "a.png"), 2, "Zoom incorrect"},
        {"render " + quoted(document), 2, "Il manque le fichier de sortie"},
        {"render " + quoted(document) + " --folio 7 -o " + quoted(folder / "a.png"), 1,
         "Le folio 7 n'existe pas"},
        {"render " + quoted(folder / "absent.dls") + " -o " + quoted(folder / "a.png"), 1,
         "Impossible d'ouvrir"},
    };
    for (const Case& c : cases) {
        const PlexoRun run = runPlexo(c.arguments + " --library " + quoted(folder.path()));
        EXPECT_EQ(run.status, c.status) << c.arguments << "\n" << run.output;
        EXPECT_NE(run.output.find(c.message), std::string::npos) << run.output;
    }
    EXPECT_FALSE(std::filesystem::exists(folder / "a.png"));
}

// Writes a symbol's drawing through the symbol's own editing document.
void writeSymbolDrawing(LibNode& symbol, const std::function<void(Folio&)>& fill) {
    saoDoc drawing(&symbol);
    ASSERT_TRUE(drawing.open({}));
    Folio& page = *drawing.folios.front();
    page.acquire();
    fill(page);
    page.release(true);
    ASSERT_TRUE(drawing.commit(true));
    drawing.close();
}

std::unique_ptr<Shape> filledBox(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b, int fill) {
    auto box = scene::makeObject(kRectangle, l, t, 4);
    box->points = {{l, t}, {r, b}};
    box->style.set(kFillColour, fill);
    box->style.set(kPattern, 0);
    box->style.set(kColour, fill);
    rebuildGeometry(*box);
    return box;
}

TEST(RenderCommandLibrary, DrawsSymbolsFromTheLibraryAndTheTitleBlockOnEveryPage) {
    test::ScriptedUserInterface ui;
    test::TemporaryFolder folder;
    const std::filesystem::path libraryDir = folder / "symboles";
    std::filesystem::create_directories(libraryDir);
    const std::filesystem::path documentPath = folder / "plan.dls";
    {
        Lib lib(libraryDir.string());
        lib.scanLocation();
        installLibrary(&lib);
        LibNode* library = lib.createNode(*lib.location, NodeKind::Library, "essai");
        ASSERT_NE(library, nullptr);
        LibNode* relay = lib.createNode(*library, NodeKind::Symbol, "RELAIS");
        LibNode* block = lib.createNode(*library, NodeKind::Symbol, "CARTOUCHE", kCartouche);
        ASSERT_NE(relay, nullptr);
        ASSERT_NE(block, nullptr);
        // The relay: a blue box 20 × 10 points; the title block: a green box 100 × 30.
        writeSymbolDrawing(*relay, [](Folio& page) { page.append(filledBox(0, 0, 20000, 10000, 4)); });
        writeSymbolDrawing(*block, [](Folio& page) {
            page.append(filledBox(0, 0, 100000, 30000, 2));
            // A field filled from the page: "page/pages".
            auto field = scene::makeObject(kTextZone, 50000, 15000, 0);
            field->points = {{50000, 15000}, {50000, 15000}};
            field->setText("#TPages");
            field->style.set(kFillColour, kNoColour);
            field->style.set(kTextAlign, 2);
            rebuildGeometry(*field);
            page.append(std::move(field));
        });

        saoDoc document;
        ASSERT_TRUE(document.open({}));
        document.titleBlockName = "CARTOUCHE";
        document.titleBlockCorner = 3; // bottom-right
        document.loadTitleBlock();
        ASSERT_NE(document.titleBlock, nullptr);
        Folio& folio = *document.folios.front();
        folio.pagesAcross = 2;
        folio.acquire();
        auto instance = std::make_unique<Shape>(kSymbol, &folio);
        instance->createKindRecord();
        instance->infoSymbole->name = "RELAIS";
        instance->infoSymbole->node = relay;
        ASSERT_TRUE(symbolResolver()->acquireAndBuildLabels(*instance, *relay));
        instance->points = {{100000, 100000}, {100000, 100000}};
        rebuildGeometry(*instance);
        folio.append(std::move(instance));
        folio.release(true);
        document.setPath(documentPath);
        ASSERT_TRUE(document.commit(true));
        document.close();
        installLibrary(nullptr);
    }
    const PlexoRun run = runPlexo("render " + quoted(documentPath) + " --folio 1 --library " + quoted(libraryDir) +
                                  " -o " + quoted(folder / "plan.png"));
    ASSERT_EQ(run.status, 0) << run.output;
    QImage image(QString::fromStdString((folder / "plan.png").string()));
    ASSERT_FALSE(image.isNull()) << run.output;
    // The relay is centred on (100, 100): (90, 95)-(110, 105).
    EXPECT_EQ(image.pixel(100, 100), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(100, 90), qRgb(255, 255, 255));
    // The title block in the bottom-right corner of both pages.
    EXPECT_EQ(image.pixel(595 - 50, 841 - 15), qRgb(0, 255, 0));
    EXPECT_EQ(image.pixel(2 * 595 - 50, 841 - 15), qRgb(0, 255, 0));
    EXPECT_EQ(image.pixel(595 - 150, 841 - 15), qRgb(255, 255, 255));

    // Each page's title block shows its own page number.
    const PlexoRun svg = runPlexo("render " + quoted(documentPath) + " --folio 1 --library " + quoted(libraryDir) +
                                  " -o " + quoted(folder / "plan.svg"));
    ASSERT_EQ(svg.status, 0) << svg.output;
    const std::string text = fileText(folder / "plan.svg");
    EXPECT_NE(text.find(">1/2<"), std::string::npos);
    EXPECT_NE(text.find(">2/2<"), std::string::npos);
}

} // namespace
} // namespace plexo
