// A folio whose objects cannot be written into the working copy (a full disk)
// keeps them in memory, says so in the message log, and the document's saves
// fail until a write goes through; nothing the user drew is lost.
#include "support/storefixture.h"
#include "support/testenvironment.h"

#include "store/folio.h"
#include "store/folioholder.h"
#include "store/saodoc.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace plexo {
namespace {

using test::makeShape;
namespace fs = std::filesystem;

// Writes that would make a file grow past its present size fail for the
// object's life, as on a full file system (the process's file size limit; the
// signal that comes with it is ignored so that the write reports EFBIG).
class FileSizeLimit {
public:
    explicit FileSizeLimit(std::uintmax_t bytes) {
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limited = previous_;
        limited.rlim_cur = static_cast<rlim_t>(bytes);
        active_ = setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~FileSizeLimit() { lift(); }
    void lift() {
        if (active_)
            setrlimit(RLIMIT_FSIZE, &previous_);
        active_ = false;
        if (previousHandler_ != SIG_ERR)
            std::signal(SIGXFSZ, previousHandler_);
        previousHandler_ = SIG_ERR;
    }
    bool active() const { return active_; }

private:
    rlimit previous_{};
    bool active_ = false;
    void (*previousHandler_)(int) = SIG_ERR;
};

void appendRectangles(Folio& folio, int count) {
    for (int i = 0; i < count; ++i)
        folio.append(makeShape(kRectangle, {{i * 1000, 0}, {i * 1000 + 500, 800}}));
}

std::size_t storedObjects(const fs::path& path, int folioIndex) {
    saoDoc doc;
    if (!doc.open(path) || static_cast<int>(doc.folios.size()) <= folioIndex)
        return 0;
    Folio& folio = *doc.folios[static_cast<std::size_t>(folioIndex)];
    FolioHolder hold(folio);
    return folio.objects.size();
}

struct FailingWorkingCopy : ::testing::Test {
    test::TemporaryFolder folder;
    test::RecordingLog log;
    test::ScriptedUserInterface ui;
    fs::path path = folder / "plan.dls";
    saoDoc doc;
    Folio* folio = nullptr;

    // A saved document whose first folio is held with 40 rectangles.
    void SetUp() override {
        ASSERT_TRUE(doc.open({}));
        doc.setPath(path);
        folio = doc.folios.front().get();
        folio->number = "F1";
        folio->acquire();
        appendRectangles(*folio, 40);
        doc.setModified();
        ASSERT_TRUE(doc.commit(false));
    }
    std::uintmax_t workingCopySize() const { return fs::file_size(doc.workingCopy()->path()); }
    bool logged(const std::string& folioNumber) const {
        for (const auto& m : log.messages)
            if (m.severity == kError && m.text.find("'" + folioNumber + "'") != std::string::npos &&
                m.text.find(doc.workingCopy()->path()) != std::string::npos &&
                m.text.find("restent en mémoire") != std::string::npos)
                return true;
        return false;
    }
};

TEST_F(FailingWorkingCopy, AReleaseThatCannotWriteKeepsTheObjectsAndTheSaveFailsUntilAWriteSucceeds) {
    appendRectangles(*folio, 200); // a record that no longer fits the old slot
    doc.setModified();
    FileSizeLimit full(workingCopySize());
    ASSERT_TRUE(full.active());
    folio->release(true);
    EXPECT_EQ(folio->objects.size(), 240u);
    EXPECT_TRUE(folio->objectsUnwritten);
    EXPECT_TRUE(logged("F1"));

    // Held again, the folio shows the kept objects, not the stale record.
    folio->acquire();
    EXPECT_EQ(folio->objects.size(), 240u);
    folio->release(false);
    EXPECT_EQ(folio->objects.size(), 240u);

    // The save writes the objects again, fails and says so.
    ui.boxes.clear();
    EXPECT_FALSE(doc.commit(false));
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "Impossible d'enregistrer le fichier");
    EXPECT_TRUE(doc.isModified());
    EXPECT_EQ(storedObjects(path, 0), 40u);

    // Room again: the save goes through with every object.
    full.lift();
    EXPECT_TRUE(doc.commit(false));
    EXPECT_EQ(storedObjects(path, 0), 240u);
    // Once written, a release lets the objects go as usual.
    folio->acquire();
    folio->release(true);
    EXPECT_TRUE(folio->objects.empty());
    EXPECT_FALSE(folio->objectsUnwritten);
}

TEST_F(FailingWorkingCopy, ACopiedFolioThatCannotBeWrittenIsKeptWhole) {
    FileSizeLimit full(workingCopySize());
    ASSERT_TRUE(full.active());
    Folio* copy = doc.copyFolioUnderAnotherName(*folio, [](Folio& f, FolioDialogKind) {
        f.number = "F2";
        return true;
    });
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->useCount, 0);
    EXPECT_EQ(copy->objects.size(), 40u);
    EXPECT_TRUE(logged("F2"));
    EXPECT_FALSE(doc.commit(true));

    full.lift();
    folio->release(true);
    EXPECT_TRUE(doc.commit(true));
    EXPECT_EQ(storedObjects(path, 1), 40u);
}

} // namespace
} // namespace plexo
