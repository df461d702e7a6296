// "plexo render" of a whole document to PDF: the example document's folios,
// every one of their printed sheets in order, the document's title and one
// bookmark per folio, read back with PoDoFo; "--folio" keeps to one folio.
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
