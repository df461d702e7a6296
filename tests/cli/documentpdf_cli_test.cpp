// "plexo render" of a whole document to PDF: the example document's folios,
// every one of their printed sheets in order, the document's title and one
// bookmark per folio, read back with PoDoFo; "--folio" keeps to one folio.
#include "bench/render_scene.h"
#include "shapes/shape.h"
#include "store/folio.h"
#include "store/printlayout.h"
#include "store/saodoc.h"
#include "support/testenvironment.h"
#include "views/print/documentpdf.h"

#include <gtest/gtest.h>
#include <podofo/podofo.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace plexo {
namespace {

namespace fs = std::filesystem;

int runPlexo(const std::string& arguments, std::string& output) {
    const std::string command = std::string(PLEXO_EXECUTABLE) + " " + arguments + " 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return -1;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe))
        output += buffer;
    const int status = ::pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string quoted(const fs::path& path) {
    return "'" + path.string() + "'";
}

// The build writes the example beside the program's folder.
fs::path exampleDocument() {
    return fs::path(PLEXO_EXECUTABLE).parent_path().parent_path() / "examples" / "Exemples.dls";
}

struct ExpectedFolio {
    std::string bookmark;
    int firstPage;
};

TEST(DocumentPdf, TheExampleGivesEverySheetOfEveryFolioAndABookmarkPerFolio) {
    const fs::path example = exampleDocument();
    ASSERT_TRUE(fs::exists(example)) << example;
    std::vector<ExpectedFolio> expected;
    std::string title;
    int sheets = 0;
    {
        test::ScriptedUserInterface ui;
        test::RecordingLog log;
        saoDoc document;
        ASSERT_TRUE(document.open(example));
        title = document.title();
        for (const auto& folio : document.folios) {
            expected.push_back({folioBookmarkTitle(*folio), sheets});
            sheets += PrintLayout(*folio).sheetCount();
        }
        document.close();
    }
    ASSERT_GE(expected.size(), 2u);
    ASSERT_GT(sheets, static_cast<int>(expected.size()) - 1);

    test::TemporaryFolder folder;
    const fs::path out = folder / "tout.pdf";
    std::string output;
    ASSERT_EQ(runPlexo("render " + quoted(example) + " --library " +
                           quoted(fs::path(PLEXO_EXECUTABLE).parent_path()) + " -o " + quoted(out),
                       output),
              0)
        << output;
    EXPECT_FALSE(fs::exists(folder / "tout.pdf.part"));
    // Only Plexo's own messages: no trace of the PDF library's parser.
    EXPECT_EQ(output.find("/Root"), std::string::npos) << output;

    PoDoFo::PdfMemDocument pdf;
    pdf.Load(out.string().c_str());
    EXPECT_EQ(pdf.GetPageCount(), sheets);
    EXPECT_EQ(pdf.GetInfo()->GetTitle().GetStringUtf8(), title);
    // A4 sheets at the document's page size.
    const PoDoFo::PdfRect box = pdf.GetPage(0)->GetMediaBox();
    EXPECT_NEAR(box.GetWidth(), 595.3, 1.0);
    EXPECT_NEAR(box.GetHeight(), 841.9, 1.0);

    PoDoFo::PdfOutlines* outlines = pdf.GetOutlines(false);
    ASSERT_NE(outlines, nullptr);
    std::size_t i = 0;
    for (PoDoFo::PdfOutlineItem* item = outlines->First(); item; item = item->Next(), ++i) {
        ASSERT_LT(i, expected.size());
        EXPECT_EQ(item->GetTitle().GetStringUtf8(), expected[i].bookmark);
        PoDoFo::PdfDestination* destination = item->GetDestination(&pdf);
        ASSERT_NE(destination, nullptr);
        PoDoFo::PdfPage* page = destination->GetPage(&pdf);
        ASSERT_NE(page, nullptr);
        EXPECT_EQ(static_cast<int>(page->GetPageNumber()) - 1, expected[i].firstPage) << i;
    }
    EXPECT_EQ(i, expected.size());

    // One folio keeps to its own pages, without bookmarks.
    const fs::path one = folder / "un.pdf";
    output.clear();
    ASSERT_EQ(runPlexo("render " + quoted(example) + " --folio 1 --library " +
                           quoted(fs::path(PLEXO_EXECUTABLE).parent_path()) + " -o " + quoted(one),
                       output),
              0)
        << output;
    PoDoFo::PdfMemDocument single;
    single.Load(one.string().c_str());
    EXPECT_EQ(single.GetPageCount(), expected.size() > 1 ? expected[1].firstPage : sheets);
}

// The fill operators of a page's content, read through its filters: one per rectangle.
int fillsOnPage(PoDoFo::PdfMemDocument& pdf, int page) {
    PoDoFo::PdfObject* contents = pdf.GetPage(page)->GetContents();
    if (contents && contents->IsReference())
        contents = pdf.GetObjects().GetObject(contents->GetReference());
    if (!contents || !contents->HasStream())
        return -1;
    char* data = nullptr;
    PoDoFo::pdf_long length = 0;
    contents->GetStream()->GetFilteredCopy(&data, &length);
    const std::string text(data, static_cast<std::size_t>(length));
    PoDoFo::podofo_free(data);
    int fills = 0;
    for (std::size_t at = text.find("\nf*\n"); at != std::string::npos; at = text.find("\nf*\n", at + 1))
        ++fills;
    return fills;
}

TEST(DocumentPdf, OneFolioPrintsItsSheetsInTheSameOrderAsTheWholeDocument) {
    test::TemporaryFolder folder;
    const fs::path document = folder / "grille.dls";
    {
        // A folio of 2 × 2 pages; the n-th sheet down the columns holds n rectangles.
        test::ScriptedUserInterface ui;
        saoDoc doc;
        ASSERT_TRUE(doc.open({}));
        Folio& folio = *doc.folios.front();
        folio.number = "G";
        folio.pagesAcross = 2;
        folio.pagesDown = 2;
        folio.acquire();
        const std::int32_t width = folio.pageSize().width, height = folio.pageSize().height;
        int n = 1;
        for (int column = 0; column < 2; ++column)
            for (int row = 0; row < 2; ++row, ++n)
                for (int k = 0; k < n; ++k) {
                    auto box = scene::makeObject(kRectangle, column * width + 50000 + k * 60000,
                                                 row * height + 50000, 1);
                    box->setText("");
                    folio.append(std::move(box));
                }
        folio.release(true);
        doc.setPath(document);
        ASSERT_TRUE(doc.commit(true));
        doc.close();
    }
    for (const std::string folio : {"", " --folio 1"}) {
        const fs::path out = folder / "grille.pdf";
        std::string output;
        ASSERT_EQ(runPlexo("render " + quoted(document) + folio + " -o " + quoted(out), output), 0) << output;
        PoDoFo::PdfMemDocument pdf;
        pdf.Load(out.string().c_str());
        ASSERT_EQ(pdf.GetPageCount(), 4) << folio;
        std::vector<int> fills;
        for (int page = 0; page < 4; ++page)
            fills.push_back(fillsOnPage(pdf, page));
        EXPECT_EQ(fills, (std::vector<int>{1, 2, 3, 4})) << folio;
    }
}

TEST(DocumentPdf, AFileThatCannotBeWrittenIsToldInFrench) {
    const fs::path example = exampleDocument();
    test::TemporaryFolder folder;
    for (const std::string folio : {"", " --folio 1"}) {
        std::string output;
        EXPECT_EQ(runPlexo("render " + quoted(example) + folio + " -o " + quoted(folder / "absent" / "x.pdf"),
                           output),
                  1)
            << output;
        EXPECT_NE(output.find("Impossible d'écrire"), std::string::npos) << output;
        EXPECT_EQ(output.find("QPainter"), std::string::npos) << output;
    }
    EXPECT_FALSE(fs::exists(folder / "absent"));
}

TEST(DocumentPdf, AnUnreadablePdfIsReportedAndNothingIsWritten) {
    test::TemporaryFolder folder;
    const fs::path broken = folder / "casse.pdf";
    {
        std::FILE* file = std::fopen(broken.string().c_str(), "wb");
        ASSERT_NE(file, nullptr);
        std::fputs("%PDF-1.4\nrien\n", file);
        std::fclose(file);
    }
    std::string error;
    EXPECT_FALSE(addPdfOutline(broken, folder / "sortie.pdf", "Titre", {{"F1", 0}}, error));
    EXPECT_EQ(error.rfind("Impossible d'ajouter les signets", 0), 0u) << error;
}

} // namespace
} // namespace plexo
