// "plexo jcl" run as a user would: a folder of jobs becomes a document that
// "plexo check" accepts; nothing drawn gives a non-zero exit.
#include "support/testenvironment.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>

namespace plexo {
namespace {

namespace fs = std::filesystem;

const fs::path kPlexo = PLEXO_EXECUTABLE;

struct CommandRun {
    int status = -1;
    std::string err;
};

CommandRun run(const std::string& arguments, const test::TemporaryFolder& folder) {
    const fs::path errors = folder / "stderr.txt";
    const std::string command =
        "'" + kPlexo.string() + "' " + arguments + " >/dev/null 2>'" + errors.string() + "'";
    const int raw = std::system(command.c_str());
    CommandRun result;
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    std::ifstream in(errors);
    std::stringstream text;
    text << in.rdbuf();
    result.err = text.str();
    return result;
}

std::string quoted(const fs::path& path) {
    return "'" + path.string() + "'";
}

void writeFile(const fs::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

// The bundled libraries are installed beside the executable.
const fs::path kLibraries = kPlexo.parent_path();

TEST(JclCommand, FolderBecomesACheckedDocumentAndCanBeAppendedTo) {
    test::TemporaryFolder folder;
    fs::create_directories(folder / "jobs.v1");
    fs::copy(test::sourceDir() / "res" / "examples", folder / "jobs.v1");
    writeFile(folder / "jobs.v1" / "EMPTY.jcl", "* no step\n");
    const fs::path out = folder / "out.dls";

    CommandRun first =
        run("jcl --library " + quoted(kLibraries) + " -o " + quoted(out) + " " + quoted(folder / "jobs.v1"),
            folder);
    EXPECT_EQ(first.status, 0) << first.err;
    EXPECT_NE(first.err.find("Importation réussie"), std::string::npos) << first.err;
    EXPECT_NE(first.err.find("*** Fichier de type inconnu"), std::string::npos) << first.err;
    ASSERT_TRUE(fs::exists(out));
    EXPECT_EQ(run("check " + quoted(out), folder).status, 0);
    const auto size = fs::file_size(out);

    // Appending a file to the existing document.
    CommandRun second = run("jcl --library " + quoted(kLibraries) + " -o " + quoted(out) + " " +
                                quoted(folder / "jobs.v1" / "PAYROLL.jcl"),
                            folder);
    EXPECT_EQ(second.status, 0) << second.err;
    EXPECT_EQ(run("check " + quoted(out), folder).status, 0);
    EXPECT_GT(fs::file_size(out), size);
}

TEST(JclCommand, NothingDrawnFails) {
    test::TemporaryFolder folder;
    writeFile(folder / "a.jcl", "// EXEC PGMA\n");
    fs::create_directories(folder / "nolib");
    // No symbols: the drawing stops.
    CommandRun missing = run("jcl --library " + quoted(folder / "nolib") + " -o " + quoted(folder / "x.dls") +
                                 " " + quoted(folder / "a.jcl"),
                             folder);
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("*** Impossible de charger le symbole !"), std::string::npos) << missing.err;
    EXPECT_FALSE(fs::exists(folder / "x.dls"));
    // A file that cannot be read.
    EXPECT_EQ(
        run("jcl --library " + quoted(kLibraries) + " " + quoted(folder / "missing.jcl"), folder).status, 1);
    // Wrong arguments.
    EXPECT_EQ(run("jcl", folder).status, 2);
    EXPECT_EQ(run("jcl --bogus a.jcl", folder).status, 2);
}

} // namespace
} // namespace plexo
