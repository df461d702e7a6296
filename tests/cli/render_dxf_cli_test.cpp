// "plexo render" to DXF on the bundled example: one file per folio, each read
// back whole, in millimetres, every symbol a block defined once and inserted
// once per instance, the terminals kept in their blocks.
#include "support/dxfreader.h"
#include "support/testenvironment.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <set>
#include <string>

namespace plexo {
namespace {

namespace fs = std::filesystem;

std::string run(const std::string& arguments, int& status) {
    const std::string command = std::string(PLEXO_EXECUTABLE) + " " + arguments + " 2>&1";
    std::string output;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return output;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe))
        output += buffer;
    const int raw = ::pclose(pipe);
    status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return output;
}

std::string quoted(const fs::path& path) {
    return "'" + path.string() + "'";
}

TEST(RenderDxf, TheExampleExportsEveryFolioWithItsSymbolsAsBlocks) {
    const fs::path bin = fs::path(PLEXO_EXECUTABLE).parent_path();
    const fs::path example = bin.parent_path() / "examples" / "Exemples.dls";
    ASSERT_TRUE(fs::exists(example)) << example;
    test::TemporaryFolder folder;
    int status = -1;
    const std::string output =
        run("render " + quoted(example) + " --library " + quoted(bin) + " -o " + quoted(folder / "exemple.dxf"), status);
    ASSERT_EQ(status, 0) << output;

    int files = 0;
    std::size_t inserts = 0;
    for (int n = 1; fs::exists(folder / ("exemple-" + std::to_string(n) + ".dxf")); ++n) {
        ++files;
        test::DxfReader dxf;
        ASSERT_TRUE(dxf.readFile(folder / ("exemple-" + std::to_string(n) + ".dxf"))) << n;
        EXPECT_EQ(dxf.intVariables["$INSUNITS"], 4);
        EXPECT_GT(dxf.entities.size(), 4u) << n;
        EXPECT_GT(dxf.countOnLayer("Bordures de page"), 0u) << n;
        // Every insert names a block of the file, and every block is inserted.
        std::set<std::string> used;
        for (const auto& e : dxf.entities) {
            if (e.type != "INSERT")
                continue;
            ++inserts;
            EXPECT_EQ(e.layer, "Symboles");
            EXPECT_EQ(dxf.blocks.count(e.text), 1u) << e.text;
            used.insert(e.text);
        }
        EXPECT_EQ(used.size(), dxf.blocks.size()) << n;
        for (const auto& [name, entities] : dxf.blocks)
            EXPECT_FALSE(entities.empty()) << name;
    }
    EXPECT_GE(files, 2) << output;
    // The example's first folio holds resistors and a capacitor joined by wires.
    EXPECT_GE(inserts, 3u);

    // One folio by its number goes to the file named.
    const std::string one =
        run("render " + quoted(example) + " --folio 1 --library " + quoted(bin) + " -o " + quoted(folder / "un.dxf"),
            status);
    ASSERT_EQ(status, 0) << one;
    test::DxfReader first;
    ASSERT_TRUE(first.readFile(folder / "un.dxf"));
    EXPECT_GT(first.count("LINE", "Fils et c\xE2" "bles") + first.count("LWPOLYLINE", "Fils et c\xE2" "bles"), 0u);
}

} // namespace
} // namespace plexo
