// Saving a schéma: the new file reaches the disk before it replaces the old one,
// keeps the old file's permissions, and a document opened through a symbolic
// link is saved to the link's target, the link staying a link.
#include "support/testenvironment.h"

#include "store/folio.h"
#include "store/saodoc.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace plexo {
namespace {

namespace fs = std::filesystem;

std::string fileBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void saveDocument(const fs::path& path, const std::string& number) {
    saoDoc doc;
    ASSERT_TRUE(doc.open({}));
    doc.setPath(path);
    doc.folios.front()->number = number;
    doc.setModified();
    ASSERT_TRUE(doc.commit(false));
}

// Opens the document at path, renames its folio and saves it.
bool resaveAs(const fs::path& path, const std::string& number) {
    saoDoc doc;
    if (!doc.open(path))
        return false;
    doc.folios.front()->number = number;
    doc.setModified();
    return doc.commit(false);
}

std::string folioNumber(const fs::path& path) {
    saoDoc doc;
    if (!doc.open(path) || doc.folios.empty())
        return {};
    return doc.folios.front()->number;
}

// Replaces the flush for the test's life; every call is recorded with what the
// document's path held at that moment.
struct WatchedFlush {
    struct Call {
        fs::path file;
        std::string documentBytes;
        std::string fileBytes;
    };
    static inline std::vector<Call> calls;
    static inline fs::path document;
    static inline bool fail = false;
    WatchedFlush(const fs::path& watched) {
        calls.clear();
        document = watched;
        fail = false;
        saoDoc::flushFile = [](const fs::path& file) {
            calls.push_back({file, fileBytes(document), fs::is_regular_file(file) ? fileBytes(file) : ""});
            return !fail;
        };
    }
    ~WatchedFlush() { saoDoc::flushFile = previous; }
    bool (*previous)(const fs::path&) = saoDoc::flushFile;
};

TEST(SafeSave, TheNewFileIsFlushedBeforeItReplacesTheOldOne) {
    test::TemporaryFolder folder;
    test::ScriptedUserInterface ui;
    const fs::path path = folder / "plan.dls";
    saveDocument(path, "ancien");
    const std::string before = fileBytes(path);
    {
        WatchedFlush watch(path);
        ASSERT_TRUE(resaveAs(path, "nouveau"));
        ASSERT_GE(watch.calls.size(), 1u);
        // The new file was whole when flushed, and the old one still in place.
        EXPECT_EQ(watch.calls[0].file, fs::path(path.string() + ".new"));
        EXPECT_EQ(watch.calls[0].documentBytes, before);
        EXPECT_EQ(watch.calls[0].fileBytes, fileBytes(path));
        EXPECT_NE(fileBytes(path), before);
    }
    // A flush that fails (an input/output error) is a failed save: the old file stays.
    const std::string saved = fileBytes(path);
    {
        WatchedFlush watch(path);
        WatchedFlush::fail = true;
        EXPECT_FALSE(resaveAs(path, "perdu"));
        EXPECT_EQ(fileBytes(path), saved);
        EXPECT_FALSE(fs::exists(path.string() + ".new"));
        ASSERT_FALSE(ui.boxes.empty());
        EXPECT_EQ(ui.boxes.back().text, "Impossible d'enregistrer le fichier");
    }
    EXPECT_EQ(folioNumber(path), "nouveau");
}

TEST(SafeSave, TheSavedFileKeepsTheOldFilesPermissions) {
    test::TemporaryFolder folder;
    const fs::perms modes[] = {
        fs::perms::owner_read | fs::perms::owner_write,
        fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read,
        fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::group_write |
            fs::perms::others_read,
    };
    int n = 0;
    for (fs::perms mode : modes) {
        const fs::path path = folder / ("plan" + std::to_string(++n) + ".dls");
        saveDocument(path, "1");
        fs::permissions(path, mode);
        ASSERT_TRUE(resaveAs(path, "2"));
        EXPECT_EQ(fs::status(path).permissions() & fs::perms::all, mode) << n;
        EXPECT_EQ(folioNumber(path), "2");
    }
}

TEST(SafeSave, ADocumentReachedThroughALinkIsSavedToItsTarget) {
    test::TemporaryFolder folder;
    const fs::path real = folder / "dossier" / "plan.dls";
    fs::create_directories(real.parent_path());
    saveDocument(real, "1");
    struct Case {
        const char* what;
        fs::path link;
        fs::path target; // as written in the link
    } cases[] = {
        {"an absolute link", folder / "absolu.dls", real},
        {"a relative link", folder / "relatif.dls", fs::path("dossier") / "plan.dls"},
        {"a link to a link", folder / "chaine.dls", folder / "absolu.dls"},
    };
    int n = 1;
    for (const Case& c : cases) {
        fs::create_symlink(c.target, c.link);
        const std::string number = std::to_string(++n);
        ASSERT_TRUE(resaveAs(c.link, number)) << c.what;
        EXPECT_TRUE(fs::is_symlink(c.link)) << c.what;
        EXPECT_EQ(fs::read_symlink(c.link), c.target) << c.what;
        EXPECT_EQ(folioNumber(real), number) << c.what;
        EXPECT_FALSE(fs::exists(real.string() + ".new")) << c.what;
        EXPECT_FALSE(fs::exists(c.link.string() + ".new")) << c.what;
    }
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(real)));
}

} // namespace
} // namespace plexo
