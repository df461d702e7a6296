#include "jcl/jclreader.h"
#include "jclrecordingsink.h"
#include "support/testenvironment.h"

#include <gtest/gtest.h>

#include <fstream>

namespace plexo {
namespace {

namespace fs = std::filesystem;

void writeFile(const fs::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

std::vector<std::string> names(const std::vector<fs::path>& paths) {
    std::vector<std::string> out;
    for (const auto& path : paths)
        out.push_back(path.filename().string());
    return out;
}

TEST(JclFolder, ListsEveryJclFileByNameIgnoringCase) {
    test::TemporaryFolder folder;
    for (const char* name : {"b.jcl", "A_B.jcl", "ab.JCL", "C.Jcl", "a.jcl", "notes.txt", "x.jcl.bak", "jcl",
                             "Payroll.jc", ".jcl"})
        writeFile(folder / name, "// EXEC PGMA\n");
    fs::create_directory(folder / "old.jcl");
    writeFile(folder / "old.jcl" / "inner.jcl", "// EXEC PGMA\n");
    // As Windows orders names: in capitals, so "AB" comes before "A_B".
    EXPECT_EQ(names(listJclFiles(folder.path())),
              (std::vector<std::string>{".jcl", "a.jcl", "ab.JCL", "A_B.jcl", "b.jcl", "C.Jcl"}));
    EXPECT_TRUE(listJclFiles(folder / "missing").empty());
}

TEST(JclFolder, ReadsEachFileFromItsFolderWithoutChangingTheCurrentFolder) {
    test::TemporaryFolder jobs, elsewhere;
    fs::create_directory(jobs / "prod.v2");
    const fs::path folder = jobs / "prod.v2";
    writeFile(folder / "PAYROLL.jcl", "// EXEC PAYCALC\n");
    writeFile(folder / "BROKEN.jcl", std::string(300, 'x') + "\n");
    writeFile(folder / "STOCK.jcl", "// EXEC STKVAL\n");
    // Same names in the current folder, which must not be read.
    writeFile(elsewhere / "PAYROLL.jcl", "// EXEC WRONG\n");
    writeFile(elsewhere / "STOCK.jcl", "// EXEC WRONG\n");

    const fs::path before = fs::current_path();
    fs::current_path(elsewhere.path());
    test::RecordingLog log;
    test::RecordingSink sink;
    JclReader reader(&sink);
    const JclImportSummary summary = reader.importJclFolder(folder);
    const fs::path after = fs::current_path();
    fs::current_path(before);

    EXPECT_EQ(after, elsewhere.path());
    // An error in one file does not stop the others.
    EXPECT_EQ(summary.filesRead, 2);
    EXPECT_EQ(summary.filesFailed, 1);
    EXPECT_EQ(summary.foliosDrawn, 2);
    ASSERT_EQ(sink.chunks.size(), 2u);
    EXPECT_EQ(sink.chunks[0].programs, std::vector<std::string>{"PAYCALC"});
    EXPECT_EQ(sink.chunks[0].folioNumber, "PAYROLL");
    EXPECT_EQ(sink.chunks[1].programs, std::vector<std::string>{"STKVAL"});
    EXPECT_EQ(sink.chunks[1].folioNumber, "STOCK");
    EXPECT_TRUE(log.contains("Importation de " + (folder / "BROKEN.jcl").string()));
    EXPECT_TRUE(log.contains("*** Le fichier n'est pas compatible"));
}

TEST(JclFolder, CommandLinePathsMixFilesAndFolders) {
    test::TemporaryFolder jobs;
    fs::create_directory(jobs / "lib");
    writeFile(jobs / "lib" / "ONE.jcl", "// EXEC PGM1\n");
    writeFile(jobs / "lib" / "TWO.jcl", "// EXEC PGM2\n");
    writeFile(jobs / "SINGLE.txt", "// EXEC PGM3\n");
    test::RecordingLog log;
    test::RecordingSink sink;
    JclReader reader(&sink);
    const JclImportSummary summary =
        reader.importJclPaths({jobs / "SINGLE.txt", jobs / "lib", jobs / "missing"});
    EXPECT_EQ(summary.filesRead, 3);
    EXPECT_EQ(summary.filesFailed, 1);
    EXPECT_EQ(summary.foliosDrawn, 3);
    ASSERT_EQ(sink.chunks.size(), 3u);
    EXPECT_EQ(sink.chunks[0].folioNumber, "SINGLE");
    EXPECT_EQ(sink.chunks[1].folioNumber, "ONE");
    EXPECT_EQ(sink.chunks[2].folioNumber, "TWO");
}

} // namespace
} // namespace plexo
