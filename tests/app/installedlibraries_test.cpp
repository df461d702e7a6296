// An installed program finds the bundled symbol libraries in ../share/plexo
// when the settings' folder holds none, and the help documents there too.
#include "support/testenvironment.h"

#include "app/libraryfolder.h"

#include <gtest/gtest.h>

#include <fstream>

namespace plexo {
namespace {

namespace fs = std::filesystem;

TEST(InstalledLibraries, TheSharedDataFolderStandsForTheProgramFolder) {
    test::TemporaryFolder prefix;
    const fs::path program = prefix / "bin";
    const fs::path shared = prefix / "share" / "plexo";
    const fs::path user = prefix / "config";
    for (const auto& folder : {program, shared, user})
        fs::create_directories(folder);
    std::ofstream(shared / "Symboles.dly") << "x";

    EXPECT_EQ(libraryFolderToScan(user, program), shared);
    EXPECT_EQ(libraryFolderToScan(prefix / "absent", program), shared);
    // The user's own library wins as soon as there is one.
    std::ofstream(user / "Perso.dly") << "x";
    EXPECT_EQ(libraryFolderToScan(user, program), user);
    // Libraries beside the program (the build tree) come before the shared folder.
    std::ofstream(program / "Jcl.dly") << "x";
    EXPECT_EQ(libraryFolderToScan(prefix / "absent", program), program);
}

} // namespace
} // namespace plexo
