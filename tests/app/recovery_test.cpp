// The document manager's side of crash recovery: the question asked when a
// schéma's working copy holds work left by an editor that stopped, what each
// answer does, the untitled documents offered at start, and the checkpoints
// (each minute, and when the application loses the focus).
#include "apptestsupport.h"

#include "store/folio.h"
#include "store/saodoc.h"
#include "store/saodocrecovery.h"
#include "support/storefixture.h"

#include <QGuiApplication>
#include <QTimer>

#include <gtest/gtest.h>

#include <fstream>
#include <thread>

namespace plexo {
namespace {

namespace fs = std::filesystem;
using test::makeShape;
using test::readWholeFile;

std::vector<int> kindsOnFirstFolio(saoDoc& doc) {
    std::vector<int> kinds;
    Folio& folio = *doc.folios.front();
    folio.acquire();
    for (const auto& shape : folio.objects)
        kinds.push_back(shape->kind);
    folio.release(false);
    return kinds;
}

// Adds a rectangle to the first folio, which stays in memory as a view holds it
// (the copy learns of it only from a checkpoint) unless released.
void addRectangle(saoDoc& doc, bool release = true) {
    Folio& folio = *doc.folios.front();
    folio.acquire();
    folio.append(makeShape(kRectangle, {{20000, 20000}, {60000, 50000}}));
    if (release)
        folio.release(true);
    doc.setModified();
}

class Recovery : public ::testing::Test {
protected:
    Recovery() {
        running->manager().askRecovery = [this](const RecoveryCandidate& candidate) {
            asked.push_back(candidate.copy);
            askedDocuments.push_back(candidate.document);
            return answer;
        };
        // A saved document of one folio holding one line.
        EXPECT_TRUE(test::saveOneLineDocument(path));
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ~Recovery() override { running.reset(); }

    // What an editor killed after its checkpoint leaves: the working copy of the
    // document (empty: an untitled one) with one more rectangle, at target.
    void leaveCrashedCopy(const fs::path& document, const fs::path& target) {
        std::string bytes;
        {
            saoDoc doc;
            ASSERT_TRUE(doc.open(document));
            addRectangle(doc);
            ASSERT_TRUE(doc.checkpoint());
            bytes = readWholeFile(doc.workingCopy()->path());
            doc.close();
        }
        std::ofstream(target, std::ios::binary) << bytes;
    }

    saoDoc* openedSchema() {
        auto documents = running->manager().documents();
        return documents.size() == 1 ? dynamic_cast<saoDoc*>(documents.front()) : nullptr;
    }

    test::KindsSnapshot kinds;
    std::unique_ptr<test::RunningApp> running = std::make_unique<test::RunningApp>();
    fs::path path = running->home / "plan.dls";
    fs::path copy = running->home / "plan.dls.tmp";
    bool answer = true;
    std::vector<fs::path> asked;
    std::vector<fs::path> askedDocuments;
};

TEST_F(Recovery, RecoverOpensTheWorkLeftInTheCopyAsAModifiedDocument) {
    leaveCrashedCopy(path, copy);
    running->app->openDocumentByPath(QString::fromStdString(path.string()));
    ASSERT_EQ(asked, std::vector<fs::path>{copy});
    EXPECT_EQ(askedDocuments, std::vector<fs::path>{path});
    saoDoc* doc = openedSchema();
    ASSERT_NE(doc, nullptr);
    EXPECT_TRUE(doc->isModified());
    EXPECT_EQ(doc->path(), path);
    EXPECT_EQ(kindsOnFirstFolio(*doc), (std::vector<int>{kLine, kRectangle}));
    EXPECT_TRUE(running->ui->boxes.empty());

    // Closing without saving ("Non") deletes the copy; the file keeps its line only.
    running->ui->answers = {MessageAnswer::No};
    EXPECT_TRUE(running->manager().closeAllDocuments());
    test::processDeferredDeletes();
    EXPECT_FALSE(fs::exists(copy));
    asked.clear();
    running->app->openDocumentByPath(QString::fromStdString(path.string()));
    EXPECT_TRUE(asked.empty()); // a normal close leaves nothing to offer
    ASSERT_NE(openedSchema(), nullptr);
    EXPECT_EQ(kindsOnFirstFolio(*openedSchema()), std::vector<int>{kLine});
}

TEST_F(Recovery, IgnoreKeepsTheSavedDocumentAndDiscardsTheCopy) {
    leaveCrashedCopy(path, copy);
    answer = false;
    running->app->openDocumentByPath(QString::fromStdString(path.string()));
    ASSERT_EQ(asked.size(), 1u);
    saoDoc* doc = openedSchema();
    ASSERT_NE(doc, nullptr);
    EXPECT_FALSE(doc->isModified());
    EXPECT_EQ(kindsOnFirstFolio(*doc), std::vector<int>{kLine});
    // The document's own fresh copy took the name, holding nothing newer.
    EXPECT_EQ(doc->workingCopy()->path(), copy.string());
    EXPECT_EQ(fs::last_write_time(copy), fs::last_write_time(path));
}

TEST_F(Recovery, UntitledCopiesAreOfferedAtStart) {
    test::TemporaryFolder privateCopies;
    const fs::path recovered = privateCopies / "Plexo.05032026090703.tmp";
    const fs::path ignored = privateCopies / "Plexo.05032026090704.tmp";
    leaveCrashedCopy({}, recovered);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    leaveCrashedCopy({}, ignored);
    std::ofstream(privateCopies / "Plexo.notes.txt") << "autre chose";

    int question = 0;
    running->manager().askRecovery = [&](const RecoveryCandidate& candidate) {
        EXPECT_TRUE(candidate.document.empty());
        asked.push_back(candidate.copy);
        return ++question == 1; // the oldest is recovered, the other ignored
    };
    running->manager().offerUntitledRecoveries(privateCopies.path());
    EXPECT_EQ(asked, (std::vector<fs::path>{recovered, ignored}));
    saoDoc* doc = openedSchema();
    ASSERT_NE(doc, nullptr);
    EXPECT_TRUE(doc->path().empty());
    EXPECT_TRUE(doc->isModified());
    EXPECT_EQ(kindsOnFirstFolio(*doc), std::vector<int>{kRectangle});
    EXPECT_EQ(running->manager().windows(doc).size(), 1u);
    EXPECT_TRUE(fs::exists(recovered)); // now this editor's working copy
    EXPECT_FALSE(fs::exists(ignored));

    // Offered again (a second editor starting): the copy in use is not.
    asked.clear();
    running->manager().offerUntitledRecoveries(privateCopies.path());
    EXPECT_TRUE(asked.empty());
}

TEST_F(Recovery, ModifiedSchemasAreCheckpointedEachMinuteAndOnFocusLoss) {
    running->app->openDocumentByPath(QString::fromStdString(path.string()));
    saoDoc* doc = openedSchema();
    ASSERT_NE(doc, nullptr);
    const auto saved = fs::last_write_time(path);
    const std::string savedBytes = readWholeFile(path);
    ASSERT_EQ(fs::last_write_time(copy), saved);

    bool minuteTimer = false;
    for (QTimer* timer : running->manager().findChildren<QTimer*>())
        minuteTimer = minuteTimer || (timer->isActive() && timer->interval() <= 60 * 1000);
    EXPECT_TRUE(minuteTimer);

    addRectangle(*doc, false);
    ASSERT_EQ(fs::last_write_time(copy), saved);
    // The application loses the focus, as the platform reports it: the copy is
    // brought up to date (the offscreen platform never changes its state itself).
    emit qApp->applicationStateChanged(Qt::ApplicationInactive);
    EXPECT_GT(fs::last_write_time(copy), saved);
    EXPECT_EQ(readWholeFile(path), savedBytes);
    EXPECT_TRUE(doc->isModified());
    // What a crash now would leave is offered to the next editor, with the rectangle.
    {
        saoDoc reader;
        RecoveryCandidate candidate;
        std::string bytes = readWholeFile(copy);
        const fs::path elsewhere = running->home / "copie.dls";
        fs::copy_file(path, elsewhere);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        std::ofstream(running->home / "copie.dls.tmp", std::ios::binary) << bytes;
        candidate = findRecoverableCopy(elsewhere);
        ASSERT_TRUE(candidate);
        ASSERT_TRUE(reader.openRecovered(elsewhere, std::move(candidate)));
        EXPECT_EQ(kindsOnFirstFolio(reader), (std::vector<int>{kLine, kRectangle}));
    }

    // "&Sauver" still writes the document as before.
    EXPECT_TRUE(running->manager().fileSave(*doc));
    EXPECT_FALSE(doc->isModified());
    running->manager().checkpointDocuments();
    EXPECT_LE(fs::last_write_time(copy), fs::last_write_time(path));
    doc->folios.front()->release(true);
}

} // namespace
} // namespace plexo
