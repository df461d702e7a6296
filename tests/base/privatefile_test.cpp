#include "base/privatefile.h"

#include "base/objfile.h"
#include "support/testenvironment.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace plexo {
namespace {

namespace fs = std::filesystem;

void writeText(const fs::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary) << text;
}

std::string readText(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

int modeOf(const fs::path& path) {
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0 ? static_cast<int>(status.st_mode & 07777) : -1;
}

// Sets an environment variable for the scope and puts the old value back.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name))
            old_ = old;
        ::setenv(name, value.c_str(), 1);
    }
    ~ScopedEnvironment() {
        if (old_)
            ::setenv(name_, old_->c_str(), 1);
        else
            ::unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

// Every name that is taken, a link above all, is refused and what it points at
// stays as it was: missing when the link dangles, unchanged when it exists.
TEST(PrivateFile, ExclusiveCreationNeverGoesThroughATakenName) {
    test::TemporaryFolder folder;
    writeText(folder / "cible", "à garder");
    fs::create_symlink(folder / "absente", folder / "pendant");
    fs::create_symlink(folder / "cible", folder / "lien");
    writeText(folder / "present", "déjà là");
    fs::create_directory(folder / "dossier");

    for (const char* name : {"pendant", "lien", "present", "dossier"}) {
        EXPECT_TRUE(nameTaken(folder / name)) << name;
        EXPECT_LT(createExclusiveFile((folder / name).string(), 0600), 0) << name;
        ObjFile created;
        EXPECT_FALSE(created.create((folder / name).string(), kWorkingCopyKind, kDocumentFileVersion))
            << name;
        ObjFile opened;
        // Opening with "create when missing" does not create through a dangling link.
        if (std::string(name) == "pendant") {
            EXPECT_FALSE(
                opened.open((folder / name).string(), false, kDocumentFileKind, kDocumentFileVersion, true));
        }
    }
    EXPECT_FALSE(fs::exists(folder / "absente"));
    EXPECT_EQ(readText(folder / "cible"), "à garder");
    EXPECT_EQ(readText(folder / "present"), "déjà là");

    // Whole files written new go through the same check.
    EXPECT_FALSE(writeNewFile(folder / "pendant", "x", 0644));
    EXPECT_FALSE(writeNewFile(folder / "lien", "x", 0644));
    EXPECT_TRUE(writeNewFile(folder / "nouveau.mid", "MThd", 0644));
    EXPECT_EQ(readText(folder / "nouveau.mid"), "MThd");

    EXPECT_FALSE(nameTaken(folder / "libre"));
    const int fd = createExclusiveFile((folder / "libre").string(), 0600);
    ASSERT_GE(fd, 0);
    ::close(fd);
    EXPECT_EQ(modeOf(folder / "libre") & 0077, 0);
    ObjFile fresh;
    ASSERT_TRUE(fresh.create((folder / "neuf.dls").string(), kDocumentFileKind, kDocumentFileVersion));
    EXPECT_EQ(fresh.kindAndVersion(),
              (std::pair<char, std::int32_t>{kDocumentFileKind, kDocumentFileVersion}));
}

TEST(PrivateFile, PrivateFolderIsOursClosedToOthersAndNeverALink) {
    test::TemporaryFolder folder;
    fs::create_directory(folder / "ouvert");
    fs::permissions(folder / "ouvert", fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
    fs::create_directory(folder / "prive");
    fs::permissions(folder / "prive", fs::perms::owner_all);
    fs::create_symlink(folder / "prive", folder / "lien");
    writeText(folder / "fichier", "");
    fs::permissions(folder / "fichier", fs::perms::owner_all);
    EXPECT_TRUE(isPrivateFolder(folder / "prive"));
    EXPECT_FALSE(isPrivateFolder(folder / "ouvert"));
    EXPECT_FALSE(isPrivateFolder(folder / "lien"));
    EXPECT_FALSE(isPrivateFolder(folder / "fichier"));
    EXPECT_FALSE(isPrivateFolder(folder / "absent"));

    // Under $XDG_RUNTIME_DIR, made 0700.
    {
        ScopedEnvironment runtime("XDG_RUNTIME_DIR", folder.path().string());
        EXPECT_EQ(privateFolder(), folder / "plexo");
        EXPECT_EQ(modeOf(folder / "plexo"), 0700);
    }
    // A folder there that others may enter, or a link, is not used; the files go
    // to a private folder elsewhere, and the link's folder gets nothing.
    test::TemporaryFolder other;
    fs::create_directory(other / "ailleurs");
    fs::create_symlink(other / "ailleurs", other / "plexo");
    {
        ScopedEnvironment runtime("XDG_RUNTIME_DIR", other.path().string());
        const fs::path chosen = privateFolder();
        ASSERT_FALSE(chosen.empty());
        EXPECT_NE(chosen, other / "plexo");
        EXPECT_TRUE(isPrivateFolder(chosen));
    }
    EXPECT_TRUE(fs::is_empty(other / "ailleurs"));
}

TEST(PrivateFile, ReplacingAFileWritesItWholeAndReplacesALinkInsteadOfFollowingIt) {
    test::TemporaryFolder folder;
    writeText(folder / "plexo.url", "[InternetShortcut]\r\nURL=https://une-adresse-bien-plus-longue.fr\r\n");
    ASSERT_TRUE(replaceFile(folder / "plexo.url", "URL=a\r\n"));
    EXPECT_EQ(readText(folder / "plexo.url"), "URL=a\r\n");

    writeText(folder / "cible", "à garder");
    fs::create_symlink(folder / "cible", folder / "lien.url");
    fs::create_symlink(folder / "absente", folder / "pendant.url");
    ASSERT_TRUE(replaceFile(folder / "lien.url", "URL=b\r\n"));
    ASSERT_TRUE(replaceFile(folder / "pendant.url", "URL=c\r\n"));
    EXPECT_FALSE(fs::is_symlink(folder / "lien.url"));
    EXPECT_EQ(readText(folder / "lien.url"), "URL=b\r\n");
    EXPECT_EQ(readText(folder / "cible"), "à garder");
    EXPECT_FALSE(fs::exists(folder / "absente"));

    // A folder that cannot be written leaves nothing behind.
    EXPECT_FALSE(replaceFile(folder / "absent" / "plexo.url", "x"));
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder.path()))
        ++files;
    EXPECT_EQ(files, 4u);
}

} // namespace
} // namespace plexo
