// The help documents the build writes beside the program: sound files that
// "plexo check" accepts, French text on every folio, the title block filled
// from each folio's identification, and the tools and the JCL example drawn.
#include "library/lib.h"
#include "library/libsymbolresolver.h"
#include "shapes/shape.h"
#include "store/folio.h"
#include "store/saodoc.h"
#include "support/testenvironment.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <set>
#include <string>

#include <sys/wait.h>

namespace plexo {
namespace {

namespace fs = std::filesystem;

fs::path programFolder() {
    return fs::path(PLEXO_EXECUTABLE).parent_path();
}

int checkStatus(const fs::path& document, std::string& output) {
    const std::string command = std::string(PLEXO_EXECUTABLE) + " check '" + document.string() + "' 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return -1;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe))
        output += buffer;
    const int status = ::pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

struct FolioSummary {
    std::string number;
    std::string title;
    std::size_t textBytes = 0;
    std::set<int> kinds;
};

std::vector<FolioSummary> summarise(const fs::path& path, std::string& titleBlock) {
    std::vector<FolioSummary> summaries;
    saoDoc doc;
    EXPECT_TRUE(doc.open(path)) << path;
    titleBlock = doc.titleBlockName;
    EXPECT_TRUE(doc.titleBlock) << "cartouche non chargé";
    for (const auto& folio : doc.folios) {
        FolioSummary summary;
        summary.number = folio->number;
        summary.title = folio->titles[0];
        folio->acquire();
        for (const auto& shape : folio->objects) {
            summary.kinds.insert(shape->kind);
            if (shape->kind == kText)
                summary.textBytes += shape->data.size();
        }
        folio->release(false);
        summaries.push_back(summary);
    }
    doc.close();
    return summaries;
}

class HelpDocuments : public ::testing::Test {
protected:
    HelpDocuments() : lib(programFolder().string()) {
        lib.scanLocation();
        installLibrary(&lib);
    }
    ~HelpDocuments() override { installLibrary(nullptr); }

    test::ScriptedUserInterface ui;
    test::RecordingLog log;
    Lib lib;
};

TEST_F(HelpDocuments, BothPassCheckAndEveryFolioHasTextAndAFilledTitleBlock) {
    for (const char* name : {"Documentation Plexo.dls", "Lisezmoi.dls"}) {
        const fs::path path = programFolder() / name;
        ASSERT_TRUE(fs::exists(path)) << name;
        std::string output;
        EXPECT_EQ(checkStatus(path, output), 0) << output;
        EXPECT_NE(output.find("fichier correct"), std::string::npos) << output;

        std::string titleBlock;
        const auto folios = summarise(path, titleBlock);
        EXPECT_EQ(titleBlock, "Cartouche A4") << name;
        EXPECT_GE(folios.size(), 2u) << name;
        std::set<std::string> numbers;
        for (const auto& folio : folios) {
            EXPECT_GT(folio.textBytes, 100u) << name << " folio " << folio.number;
            EXPECT_FALSE(folio.title.empty()) << name << " folio " << folio.number;
            EXPECT_TRUE(numbers.insert(folio.number).second) << "numéro répété : " << folio.number;
        }
    }
}

TEST_F(HelpDocuments, TheDocumentationDrawsTheToolsWiresAndAJclChain) {
    std::string titleBlock;
    const auto folios = summarise(programFolder() / "Documentation Plexo.dls", titleBlock);
    std::set<int> drawn;
    bool jclChain = false;
    for (const auto& folio : folios) {
        drawn.insert(folio.kinds.begin(), folio.kinds.end());
        jclChain =
            jclChain || (folio.number == "07b" && folio.kinds.count(kSymbol) && folio.kinds.count(kWire));
    }
    for (int kind :
         {kLine, kRectangle, kRoundRect, kOval, kPolygon, kHalfOvalH, kHalfOvalV, kBezier, kFreeHand, kText,
          kTerminal, kTextZone, kSymbol, kWire, kCable, kChordGrid, kTablature, kCalendar})
        EXPECT_TRUE(drawn.count(kind)) << "sorte d'objet absente : " << kind;
    EXPECT_TRUE(jclChain);
    // Drawn with the bundled libraries: no symbol was missing.
    EXPECT_FALSE(log.contains("impossible de charger"));
}

} // namespace
} // namespace plexo
