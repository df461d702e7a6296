// Where the program finds the files that come with it and where it keeps its
// settings, in the build tree and once installed under a prefix.
#include "shell/documentpaths.h"

#include "support/testenvironment.h"

#include <gtest/gtest.h>

#include <fstream>

#include <unistd.h>

namespace plexo {
namespace {

namespace fs = std::filesystem;

TEST(InstallPaths, BundledFilesAreInShareOnceInstalledElseBesideTheProgram) {
    test::TemporaryFolder prefix;
    fs::create_directories(prefix / "bin");
    // The build tree: nothing in ../share/plexo, the files are beside the program.
    EXPECT_EQ(bundledDataFolder(prefix / "bin"), prefix / "bin");
    fs::create_directories(prefix / "share" / "plexo");
    EXPECT_EQ(bundledDataFolder(prefix / "bin"), prefix / "share" / "plexo");
    // A file of that name is not a data folder.
    test::TemporaryFolder other;
    fs::create_directories(other / "bin");
    fs::create_directories(other / "share");
    std::ofstream(other / "share" / "plexo") << "x";
    EXPECT_EQ(bundledDataFolder(other / "bin"), other / "bin");
}

TEST(InstallPaths, SettingsStayBesideAWritableProgramElseGoToTheUserConfiguration) {
    test::TemporaryFolder folder;
    const fs::path program = folder / "bin";
    fs::create_directories(program);
    // A program folder this user may write: the settings stay beside the program.
    EXPECT_EQ(settingsFolder(program, "/config", "/home/moi"), program);

    // A folder the user may not write (one that is missing stands for it when
    // the tests run with every right).
    const fs::path closed = folder / "absent" / "bin";
    struct Case {
        const char* configHome;
        const char* home;
        fs::path expected;
    } cases[] = {
        {"/config", "/home/moi", "/config/plexo"},
        {"", "/home/moi", "/home/moi/.config/plexo"},
        {"relatif/config", "/home/moi", "/home/moi/.config/plexo"}, // a relative XDG folder is ignored
        {"", "", closed},                                           // nowhere else: the program's folder
    };
    for (const auto& c : cases)
        EXPECT_EQ(settingsFolder(closed, c.configHome, c.home), c.expected) << c.configHome << " " << c.home;

    if (::geteuid() != 0) {
        fs::permissions(program, fs::perms::owner_write, fs::perm_options::remove);
        EXPECT_EQ(settingsFolder(program, "/config", "/home/moi"), fs::path("/config/plexo"));
        fs::permissions(program, fs::perms::owner_write, fs::perm_options::add);
    }
}

} // namespace
} // namespace plexo
