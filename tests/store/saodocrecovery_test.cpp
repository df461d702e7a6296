// Crash recovery from the working copy: an editor process killed after its
// checkpoint leaves a copy that is offered and gives back the edits; an
// untouched document offers nothing; a copy in use is never offered, taken or
// deleted by a second editor.
#include "store/saodocrecovery.h"

#include "support/storefixture.h"
#include "support/testenvironment.h"

#include "base/objfile.h"
#include "base/privatefile.h"
#include "store/folio.h"
#include "store/saodoc.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <thread>

#include <sys/wait.h>
#include <unistd.h>

namespace plexo {
namespace {

using test::makeShape;
namespace fs = std::filesystem;

fs::path copyOf(const fs::path& document) {
    fs::path copy = document;
    copy += ".tmp";
    return copy;
}

// A saved document of one folio holding one line.
void saveDocument(const fs::path& path) {
    ASSERT_TRUE(test::saveOneLineDocument(path));
}

// The objects of the first folio of a document.
std::vector<int> kindsOnFirstFolio(saoDoc& doc) {
    std::vector<int> kinds;
    Folio& folio = *doc.folios.front();
    folio.acquire();
    for (const auto& shape : folio.objects)
        kinds.push_back(shape->kind);
    folio.release(false);
    return kinds;
}

std::vector<int> kindsOnFirstFolio(const fs::path& path) {
    saoDoc doc;
    EXPECT_TRUE(doc.open(path));
    return kindsOnFirstFolio(doc);
}

enum class ChildWork { Edit, EditAndCheckpoint, OpenOnly, Untitled };

// Runs an editor's work on the document in a child process that is then killed
// with SIGKILL, as a crash would stop it. For an untitled document, the path of
// its working copy comes back through a pipe.
fs::path killedEditor(const fs::path& path, ChildWork work) {
    int channel[2];
    if (::pipe(channel) != 0)
        return {};
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        saoDoc doc;
        if (!doc.open(work == ChildWork::Untitled ? fs::path() : path))
            ::_exit(3);
        if (work != ChildWork::OpenOnly) {
            Folio& folio = *doc.folios.front();
            folio.acquire(); // kept in memory, as a view holds it
            folio.append(makeShape(kRectangle, {{20000, 20000}, {60000, 50000}}));
            doc.setModified();
            if (work != ChildWork::Edit && !doc.checkpoint())
                ::_exit(4);
        } else {
            doc.checkpoint(); // unmodified: marks the copy as holding nothing newer
        }
        const std::string copy = doc.workingCopy() ? doc.workingCopy()->path() : std::string();
        if (::write(channel[1], copy.data(), copy.size()) != static_cast<ssize_t>(copy.size()))
            ::_exit(5);
        ::close(channel[1]);
        ::kill(::getpid(), SIGKILL);
        ::_exit(6);
    }
    ::close(channel[1]);
    std::string copy;
    char buffer[256];
    for (ssize_t n; (n = ::read(channel[0], buffer, sizeof buffer)) > 0;)
        copy.append(buffer, static_cast<std::size_t>(n));
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "status " << status;
    return copy;
}

class Recovery : public ::testing::Test {
protected:
    void SetUp() override {
        saveDocument(path);
        // The file times must tell the save from the edits that follow it.
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }

    test::TemporaryFolder folder;
    fs::path path = folder / "plan.dls";
    test::ScriptedUserInterface ui;
};

TEST_F(Recovery, EditsCheckpointedBeforeAKillAreOfferedAndRecovered) {
    const fs::path copy = killedEditor(path, ChildWork::EditAndCheckpoint);
    ASSERT_EQ(copy, copyOf(path));
    ASSERT_TRUE(fs::exists(copy));
    EXPECT_EQ(kindsOnFirstFolio(path), std::vector<int>{kLine}); // the ".dls" was not touched

    RecoveryCandidate candidate = findRecoverableCopy(path);
    ASSERT_TRUE(candidate);
    EXPECT_EQ(candidate.copy, copy);
    EXPECT_EQ(candidate.document, path);
    // While this editor decides, the copy is marked: nobody else is offered it.
    EXPECT_FALSE(findRecoverableCopy(path));

    saoDoc recovered;
    ASSERT_TRUE(recovered.openRecovered(path, std::move(candidate)));
    EXPECT_TRUE(recovered.isModified());
    EXPECT_EQ(recovered.path(), path);
    EXPECT_EQ(kindsOnFirstFolio(recovered), (std::vector<int>{kLine, kRectangle}));
    // Held by the recovering editor: a second one neither recovers nor deletes it.
    EXPECT_FALSE(findRecoverableCopy(path));
    {
        saoDoc second;
        ASSERT_TRUE(second.open(path));
        EXPECT_NE(second.workingCopy()->path(), copy.string());
        second.close();
    }
    EXPECT_TRUE(fs::exists(copy));

    // Saving writes the recovered edits; closing deletes the copy.
    ASSERT_TRUE(recovered.commit(false));
    recovered.close();
    EXPECT_FALSE(fs::exists(copy));
    EXPECT_EQ(kindsOnFirstFolio(path), (std::vector<int>{kLine, kRectangle}));
}

TEST_F(Recovery, NothingIsOfferedWithoutUnsavedWork) {
    // Opened and killed without an edit.
    ASSERT_EQ(killedEditor(path, ChildWork::OpenOnly), copyOf(path));
    ASSERT_TRUE(fs::exists(copyOf(path)));
    EXPECT_FALSE(findRecoverableCopy(path));
    fs::remove(copyOf(path));

    // No copy at all, or something else than a working copy at its name.
    EXPECT_FALSE(findRecoverableCopy(path));
    std::ofstream(copyOf(path)) << "pas un conteneur";
    EXPECT_FALSE(findRecoverableCopy(path));
    fs::remove(copyOf(path));
    fs::create_symlink(folder / "ailleurs.tmp", copyOf(path));
    EXPECT_FALSE(findRecoverableCopy(path));
    fs::remove(copyOf(path));

    // A save after the last checkpoint leaves nothing newer than the file.
    ASSERT_EQ(killedEditor(path, ChildWork::EditAndCheckpoint), copyOf(path));
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    saveDocument(folder / "autre.dls");
    fs::rename(folder / "autre.dls", path);
    EXPECT_FALSE(findRecoverableCopy(path));
}

TEST_F(Recovery, IgnoringDeletesTheCopyAndTheDocumentOpensAsSaved) {
    ASSERT_EQ(killedEditor(path, ChildWork::EditAndCheckpoint), copyOf(path));
    RecoveryCandidate candidate = findRecoverableCopy(path);
    ASSERT_TRUE(candidate);
    EXPECT_TRUE(discardRecoverableCopy(candidate));
    EXPECT_FALSE(candidate);
    EXPECT_FALSE(fs::exists(copyOf(path)));

    saoDoc doc;
    ASSERT_TRUE(doc.open(path));
    EXPECT_FALSE(doc.isModified());
    EXPECT_EQ(doc.workingCopy()->path(), copyOf(path).string()); // its own copy, beside the document
    EXPECT_EQ(kindsOnFirstFolio(doc), std::vector<int>{kLine});
}

TEST_F(Recovery, AStaleCopyGivesItsNameBackAndAnUnsavedOneIsKept) {
    // Killed without an edit: the next open takes the usual name again, rather
    // than a private copy that a later start would offer as untitled work.
    ASSERT_EQ(killedEditor(path, ChildWork::OpenOnly), copyOf(path));
    {
        saoDoc doc;
        ASSERT_TRUE(doc.open(path));
        EXPECT_EQ(doc.workingCopy()->path(), copyOf(path).string());
        doc.close();
    }
    EXPECT_FALSE(fs::exists(copyOf(path)));

    // Unsaved work stays for the recovery, and a copy another editor holds is
    // left to it: the document then works in a copy of its own.
    ASSERT_EQ(killedEditor(path, ChildWork::EditAndCheckpoint), copyOf(path));
    EXPECT_FALSE(removeStaleWorkingCopy(path));
    EXPECT_TRUE(fs::exists(copyOf(path)));
    fs::remove(copyOf(path));
    saoDoc holder;
    ASSERT_TRUE(holder.open(path));
    saoDoc second;
    ASSERT_TRUE(second.open(path));
    EXPECT_NE(second.workingCopy()->path(), copyOf(path).string());
    EXPECT_TRUE(fs::exists(copyOf(path)));
    second.close();
    holder.close();
}

TEST_F(Recovery, ACheckpointRewritesTheCopyNeverTheDocumentNorTheModifiedFlag) {
    saoDoc doc;
    ASSERT_TRUE(doc.open(path));
    const auto saved = fs::last_write_time(path);
    EXPECT_EQ(fs::last_write_time(copyOf(path)), saved); // nothing to recover yet
    Folio& folio = *doc.folios.front();
    folio.acquire();
    folio.append(makeShape(kOval, {{20000, 20000}, {60000, 50000}}));
    doc.setModified();
    EXPECT_TRUE(doc.checkpoint());
    EXPECT_TRUE(doc.isModified());
    EXPECT_EQ(fs::last_write_time(path), saved);
    EXPECT_GT(fs::last_write_time(copyOf(path)), saved);
    EXPECT_EQ(kindsOnFirstFolio(path), std::vector<int>{kLine});
    // The copy in use is not offered, even to this process's other documents.
    EXPECT_FALSE(findRecoverableCopy(path));

    // Saved again: the next checkpoint marks the copy as holding nothing newer.
    ASSERT_TRUE(doc.commit(false));
    EXPECT_TRUE(doc.checkpoint());
    EXPECT_LE(fs::last_write_time(copyOf(path)), fs::last_write_time(path));
    folio.release(true);
}

TEST_F(Recovery, UntitledWorkIsFoundInThePrivateFolderOnlyOnceCheckpointed) {
    const fs::path edited = killedEditor({}, ChildWork::Untitled);
    ASSERT_FALSE(edited.empty());
    ASSERT_EQ(edited.parent_path(), privateFolder());
    // Killed before any checkpoint: the copy holds no document header yet.
    const fs::path unsaved = killedEditor({}, ChildWork::Edit);
    auto ours = [&](const std::vector<RecoveryCandidate>& found, const fs::path& copy) {
        return std::count_if(found.begin(), found.end(), [&](const auto& c) { return c.copy == copy; });
    };
    {
        const std::vector<RecoveryCandidate> found = findUntitledCopies(privateFolder());
        EXPECT_EQ(ours(found, edited), 1);
        if (!unsaved.empty()) {
            EXPECT_EQ(ours(found, unsaved), 0);
        }
        // Held while offered.
        EXPECT_EQ(ours(findUntitledCopies(privateFolder()), edited), 0);
        for (const auto& candidate : found)
            EXPECT_TRUE(candidate.document.empty());
    }
    std::vector<RecoveryCandidate> again = findUntitledCopies(privateFolder());
    auto mine = std::find_if(again.begin(), again.end(), [&](const auto& c) { return c.copy == edited; });
    ASSERT_NE(mine, again.end());
    saoDoc recovered;
    ASSERT_TRUE(recovered.openRecovered({}, std::move(*mine)));
    EXPECT_TRUE(recovered.path().empty());
    EXPECT_TRUE(recovered.isModified());
    EXPECT_EQ(kindsOnFirstFolio(recovered), std::vector<int>{kRectangle});
    recovered.close();
    EXPECT_FALSE(fs::exists(edited));
    if (!unsaved.empty())
        fs::remove(unsaved);
}

TEST_F(Recovery, AFailedRecoveryKeepsTheCopy) {
    ASSERT_EQ(killedEditor(path, ChildWork::EditAndCheckpoint), copyOf(path));
    RecoveryCandidate candidate = findRecoverableCopy(path);
    ASSERT_TRUE(candidate);
    // The copy is cut inside its header: it no longer opens as a container.
    fs::resize_file(candidate.copy, 4);
    saoDoc doc;
    EXPECT_FALSE(doc.openRecovered(path, std::move(candidate)));
    doc.close();
    EXPECT_TRUE(fs::exists(copyOf(path)));
    ASSERT_FALSE(ui.boxes.empty());
    EXPECT_EQ(ui.boxes.back().text, "Impossible d'ouvrir le fichier");
}

} // namespace
} // namespace plexo
