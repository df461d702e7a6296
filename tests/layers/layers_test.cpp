// The source folders include each other one way only: a lower layer never
// includes a higher one, and the core includes no Qt header.
#include "layers/layercheck.h"
#include "support/testenvironment.h"

#include <gtest/gtest.h>

#include <fstream>

namespace plexo::test {
namespace {

std::string describe(const std::vector<LayerViolation>& violations) {
    std::string text;
    for (const LayerViolation& v : violations)
        text += v.file + ":" + std::to_string(v.line) + " includes " + v.include + "\n";
    return text;
}

TEST(Layers, NoFolderIncludesAFolderAboveIt) {
    const std::vector<LayerViolation> violations =
        findLayerViolations(sourceDir(), projectLayers(), projectLayerExceptions());
    EXPECT_TRUE(violations.empty()) << describe(violations);
}

TEST(Layers, FilesBelongToTheirDeepestFolder) {
    const std::vector<FolderRule> rules = projectLayers();
    const struct {
        const char* path;
        const char* folder;
    } cases[] = {
        {"store/folio.cpp", "store"},       {"library/browser/libview.cpp", "library/browser"},
        {"library/lib.h", "library"},       {"midi/view/seqview.cpp", "midi/view"},
        {"tests/store/folio_test.cpp", ""}, {"storefoo/x.h", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(folderOf(c.path, rules), c.folder) << c.path;
}

// A tree with one allowed and one forbidden include of each sort: the scan
// reports exactly the forbidden ones.
TEST(Layers, ScanReportsUpwardIncludesAndQtInTheCore) {
    TemporaryFolder tree;
    auto write = [&](const std::string& path, const std::string& text) {
        std::filesystem::create_directories((tree.path() / path).parent_path());
        std::ofstream(tree.path() / path) << text;
    };
    write("shapes/shape.cpp", "#include \"shapes/shape.h\"\n#include \"base/buffer.h\"\n"
                              "  #  include \"store/folio.h\"\n#include <vector>\n");
    write("store/folio.cpp", "#include \"library/lib.h\"\n#include <QString>\n");
    write("store/storecommands.cpp", "#include \"library/lib.h\"\n");
    write("views/pane.cpp", "#include <QWidget>\n#include \"store/folio.h\"\n#include \"app/appinfo.h\"\n");
    write("app/main.cpp", "#include \"views/pane.h\"\n#include <QApplication>\n");
    write("tests/x_test.cpp", "#include \"app/appinfo.h\"\n");
    const std::vector<LayerViolation> expected = {
        {"shapes/shape.cpp", 3, "store/folio.h"},
        {"store/folio.cpp", 1, "library/lib.h"},
        {"store/folio.cpp", 2, "QString"},
        {"views/pane.cpp", 3, "app/appinfo.h"},
    };
    // A file named as an exception may use the folder it is allowed.
    const std::vector<LayerException> exceptions = {{"store/storecommands.cpp", "library"}};
    EXPECT_EQ(findLayerViolations(tree.path(), projectLayers(), exceptions), expected);
}

} // namespace
} // namespace plexo::test
