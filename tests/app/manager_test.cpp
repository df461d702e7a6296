#include "apptestsupport.h"

#include "app/strings.h"
#include "app/therm.h"
#include "shell/appinfo.h"

#include <QApplication>
#include <QDropEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QUrl>

#include <gtest/gtest.h>

namespace plexo {
namespace {

using test::FakeKindRecord;
using test::RunningApp;

const QString kSchema = QString::fromUtf8("Schéma");
const QString kSequence = QString::fromUtf8("Séquence");

class Manager : public ::testing::Test {
protected:
    Manager() {
        registerDocumentKind(test::fakeKind(kSchema, "dls", schemas));
        registerDocumentKind(test::fakeKind(kSequence, "mid", sequences));
        running = std::make_unique<RunningApp>();
    }
    ~Manager() override { running.reset(); }

    QString path(const std::string& name) const {
        return QString::fromStdString((running->home / name).string());
    }

    test::KindsSnapshot kinds; // restored after the fakes
    FakeKindRecord schemas;
    FakeKindRecord sequences;
    std::unique_ptr<RunningApp> running;
};

TEST_F(Manager, ArgumentsGetTheirExtensionAndTheirKind) {
    struct Case {
        const char* typed;
        const char* opened;
        FakeKindRecord* kind;
    } cases[] = {
        {"plan", "plan.dls", &schemas},
        {"schema.DLS", "schema.DLS", &schemas},
        {"chanson.MID", "chanson.MID", &sequences},
        {"notes.txt", "notes.txt.dls", &schemas},
    };
    for (const auto& c : cases) {
        auto before = c.kind->documents.size();
        running->app->openDocumentByPath(path(c.typed));
        ASSERT_EQ(c.kind->documents.size(), before + 1) << c.typed;
        EXPECT_EQ(c.kind->documents.back()->opened.back(), running->home / c.opened);
    }
    EXPECT_EQ(running->manager().documents().size(), 4u);
    EXPECT_TRUE(running->ui->boxes.empty());
}

TEST_F(Manager, AlreadyOpenAndUnknownKindMessages) {
    running->app->openDocumentByPath(path("plan.dls"));
    running->app->openDocumentByPath(path("plan.dls"));
    running->app->openDocumentByPath(path("plan")); // the same document
    ASSERT_EQ(running->ui->boxes.size(), 2u);
    for (const auto& box : running->ui->boxes) {
        EXPECT_EQ(box.text, "Ce document est déjà ouvert.");
        EXPECT_EQ(box.icon, MessageIcon::Warning);
    }
    EXPECT_EQ(running->ui->boxes[0].caption, path("plan.dls").toStdString());
    EXPECT_EQ(running->manager().documents().size(), 1u);

    // A kind known by name only (no document class yet).
    DocumentKind bare;
    bare.name = kSequence;
    bare.extensions = {"mid"};
    registerDocumentKind(bare);
    running->app->openDocumentByPath(path("chanson.mid"));
    ASSERT_EQ(running->ui->boxes.size(), 3u);
    EXPECT_EQ(running->ui->boxes[2].text, "Type de document inconnu.");
    EXPECT_EQ(running->ui->boxes[2].caption, path("chanson.mid").toStdString());

    // A document that refuses to open leaves no window.
    running->app->openDocumentByPath(path("refusé.dls"));
    EXPECT_EQ(running->manager().documents().size(), 1u);
    EXPECT_EQ(running->frame().mdiArea()->subWindowList().size(), 1);
}

TEST_F(Manager, HelpCommandsOpenFromTheProgramFolder) {
    running->action(717).trigger();
    running->action(730).trigger();
    ASSERT_EQ(schemas.documents.size(), 2u);
    EXPECT_EQ(schemas.documents[0]->opened.back(), programDir() / "Documentation Plexo.dls");
    EXPECT_EQ(schemas.documents[1]->opened.back(), programDir() / "Lisezmoi.dls");
}

TEST_F(Manager, QuitAsksForEachModifiedDocument) {
    running->app->openDocumentByPath(path("a.dls"));
    running->app->openDocumentByPath(path("b.dls"));
    ASSERT_EQ(schemas.documents.size(), 2u);
    auto* a = schemas.documents[0];
    auto* b = schemas.documents[1];
    a->setModified();
    b->setModified();

    running->ui->answers = {MessageAnswer::Yes, MessageAnswer::Cancel};
    EXPECT_FALSE(running->app->exitInstance());
    ASSERT_EQ(running->ui->boxes.size(), 2u);
    EXPECT_EQ(running->ui->boxes[0].text,
              "Le document a été modifié.\n\nSouhaitez-vous enregistrer les modifications ?");
    EXPECT_EQ(running->ui->boxes[0].buttons, MessageButtons::YesNoCancel);
    EXPECT_EQ(running->ui->boxes[0].caption, "a.dls (Schéma)");
    EXPECT_EQ(a->commits, 1); // Yes saved it
    EXPECT_FALSE(a->isModified());
    EXPECT_EQ(schemas.closes, 0); // Cancel: nothing closes
    EXPECT_FALSE(std::filesystem::exists(running->home / "Plexo.ini"));

    running->ui->answers = {MessageAnswer::No};
    EXPECT_TRUE(running->app->exitInstance());
    EXPECT_EQ(running->ui->boxes.size(), 3u); // a was saved: only b asked
    EXPECT_EQ(schemas.closes, 2);
    EXPECT_TRUE(std::filesystem::exists(running->home / "Plexo.ini"));
}

TEST_F(Manager, NewSaveSaveAsWindowsAndClose) {
    saoManager& manager = running->manager();
    QStringList offered;
    manager.chooseNewKind = [&](const auto& kinds) {
        for (const auto& kind : kinds)
            offered << kind->name;
        return kinds.front();
    };
    running->action(cmd::kNew).trigger();
    EXPECT_EQ(offered.mid(0, 2), (QStringList{kSchema, kSequence}));
    ASSERT_EQ(schemas.documents.size(), 1u);
    auto* document = schemas.documents.back();
    EXPECT_TRUE(document->path().empty());
    EXPECT_EQ(manager.activeDocument(), document);

    // "&Sauver" on an untitled document asks for a name; the extension is added.
    manager.chooseSavePath = [&](const DocumentKind& kind, const QString& current) {
        EXPECT_EQ(kind.name, kSchema);
        EXPECT_EQ(current, "Sans titre");
        return path("nouveau");
    };
    running->action(cmd::kSave).trigger();
    EXPECT_EQ(document->path(), running->home / "nouveau.dls");
    EXPECT_EQ(document->commits, 1);
    EXPECT_EQ(running->app->recentFiles().entries().front(), path("nouveau.dls").toStdString());
    EXPECT_EQ(running->action(cmd::kRecentFirst).text(), "&1 " + path("nouveau.dls"));
    manager.refreshTitles();
    EXPECT_EQ(running->frame().mdiArea()->subWindowList().front()->windowTitle(),
              QString::fromUtf8("nouveau.dls (Schéma)"));

    manager.chooseSavePath = [](const DocumentKind&, const QString&) { return QString(); };
    running->action(cmd::kSaveAs).trigger(); // cancelled
    EXPECT_EQ(document->commits, 1);
    running->action(cmd::kSave).trigger(); // named: saved without asking
    EXPECT_EQ(document->commits, 2);

    running->action(cmd::kNewWindow).trigger();
    auto windows = running->frame().mdiArea()->subWindowList();
    ASSERT_EQ(windows.size(), 2);
    manager.refreshTitles();
    EXPECT_EQ(windows[0]->windowTitle(), QString::fromUtf8("nouveau.dls (Schéma):1"));
    EXPECT_EQ(windows[1]->windowTitle(), QString::fromUtf8("nouveau.dls (Schéma):2"));

    document->setModified();
    windows[1]->close(); // another window still shows it: no question
    test::processDeferredDeletes();
    EXPECT_TRUE(running->ui->boxes.empty());
    EXPECT_EQ(schemas.closes, 0);

    running->ui->answers = {MessageAnswer::No};
    running->action(cmd::kClose).trigger();
    test::processDeferredDeletes();
    EXPECT_EQ(running->ui->boxes.size(), 1u);
    EXPECT_EQ(schemas.closes, 1);
    EXPECT_TRUE(running->frame().mdiArea()->subWindowList().isEmpty());
    EXPECT_EQ(manager.activeDocument(), nullptr);
}

TEST_F(Manager, ASymbolBoundToItsLibrarySavesWithoutAName) {
    running->manager().chooseNewKind = [](const auto& kinds) { return kinds.front(); };
    bool asked = false;
    running->manager().chooseSavePath = [&](const DocumentKind&, const QString&) {
        asked = true;
        return QString();
    };
    running->action(cmd::kNew).trigger();
    ASSERT_EQ(schemas.documents.size(), 1u);
    auto* symbol = schemas.documents.back();
    symbol->saveAsAllowed = false;
    running->frame().updateCommands();
    EXPECT_FALSE(running->action(cmd::kSaveAs).isEnabled());
    EXPECT_TRUE(running->action(cmd::kSave).isEnabled());
    running->action(cmd::kSave).trigger();
    EXPECT_EQ(symbol->commits, 1);
    EXPECT_FALSE(asked);
}

TEST_F(Manager, StatusTextsAndCommandsOfTheActiveView) {
    auto sequenceKind = test::fakeKind(kSequence, "mid", sequences);
    sequenceKind.viewStatus = nullptr;
    registerDocumentKind(sequenceKind);
    schemas.withStatus = true;
    schemas.status = {"F1", "1/2", 6};
    schemas.commandsEnabled = {24323};
    saoFrame& frame = running->frame();
    Therm& therm = *frame.therm();

    frame.idleRefresh();
    EXPECT_EQ(therm.messageText(), "");
    EXPECT_EQ(therm.pageIndicator(), "");

    running->app->openDocumentByPath(path("a.dls"));
    frame.idleRefresh();
    EXPECT_EQ(therm.messageText(), "F1");
    EXPECT_EQ(therm.pageIndicator(), "1/2");
    EXPECT_EQ(therm.zoomText(), "125%");
    EXPECT_TRUE(running->action(24323).isEnabled());
    EXPECT_FALSE(running->action(24322).isEnabled());
    running->action(24323).trigger();
    running->action(769).trigger();
    EXPECT_EQ(schemas.commandsRun, (std::vector<int>{24323, 769}));
    EXPECT_EQ(running->ui->beeps, 0);

    running->app->openDocumentByPath(path("chanson.mid"));
    frame.idleRefresh();
    EXPECT_EQ(therm.messageText(), QString::fromUtf8("Séquence"));
    EXPECT_EQ(therm.pageIndicator(), "1:0:0");
    EXPECT_FALSE(running->action(24323).isEnabled()); // the séquence view does not copy
}

TEST_F(Manager, ClosingTheMaximisedWindowMaximisesTheNextOne) {
    // Each window opens maximised, so the one behind never had a size of its own:
    // shown as it is, it would be a bare title bar in the corner.
    running->app->openDocumentByPath(path("a.dls"));
    running->app->openDocumentByPath(path("b.dls"));
    QMdiArea* area = running->frame().findChild<QMdiArea*>();
    ASSERT_NE(area, nullptr);
    ASSERT_EQ(area->subWindowList().size(), 2);
    running->manager().fileClose(running->manager().activeWindow()->document());
    QApplication::processEvents();
    ASSERT_EQ(area->subWindowList().size(), 1);
    EXPECT_TRUE(area->subWindowList().front()->isMaximized());
}

TEST_F(Manager, FilesDroppedOnTheFrameOpenInOrder) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path("un.dls")), QUrl::fromLocalFile(path("deux.mid")),
                  QUrl::fromLocalFile(path("trois"))});
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&running->frame(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&running->frame(), &drop);
    ASSERT_EQ(schemas.documents.size(), 2u);
    ASSERT_EQ(sequences.documents.size(), 1u);
    EXPECT_EQ(schemas.documents[0]->path(), running->home / "un.dls");
    EXPECT_EQ(schemas.documents[1]->path(), running->home / "trois.dls");
    EXPECT_EQ(sequences.documents[0]->path(), running->home / "deux.mid");
}

} // namespace
} // namespace plexo
