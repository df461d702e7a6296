#include "app/saomanager.h"
#include "midi/seqdoc.h"
#include "midi/view/seqview.h"
#include "smfbuilder.h"
#include "support/testenvironment.h"

#include <gtest/gtest.h>

#include <fstream>

namespace plexo {
namespace {

TEST(SequenceKind, OpensMidFilesInASeqViewThatTakesTheZoomCommands) {
    registerBuiltinDocumentKinds();
    std::shared_ptr<const DocumentKind> kind;
    for (const auto& k : documentKinds())
        if (k->name == QString::fromUtf8("Séquence"))
            kind = k;
    ASSERT_TRUE(kind);
    EXPECT_EQ(kind->extensions, QStringList{"mid"});
    ASSERT_TRUE(kind->createDocument && kind->createView && kind->runCommand && kind->viewStatus);

    test::TemporaryFolder folder;
    test::RecordingLog log;
    test::TrackBuilder track;
    track.text(0, 0x03, "Cordes").event(0, {0x90, 60, 100}).event(96, {60, 0}).end(0);
    const auto bytes = test::midiFile({track});
    const auto path = folder / "cordes.mid";
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                 static_cast<std::streamsize>(bytes.size()));

    auto document = kind->createDocument();
    ASSERT_TRUE(document->open(path));
    EXPECT_EQ(document->typeName(), "Séquence");
    std::unique_ptr<QWidget> widget(kind->createView(*document, nullptr));
    auto* view = qobject_cast<seqView*>(widget.get());
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->currentTrack()->trackName(), "Cordes");

    EXPECT_TRUE(kind->runCommand(widget.get(), 768));
    EXPECT_EQ(view->zoomLevel(), 8);
    EXPECT_TRUE(kind->runCommand(widget.get(), 770));
    EXPECT_EQ(view->zoomLevel(), 7);
    EXPECT_FALSE(kind->runCommand(widget.get(), 24333)); // not a zoom command
    const ViewStatus status = kind->viewStatus(*document, widget.get());
    EXPECT_EQ(status.message, QString::fromUtf8("Séquence"));
    EXPECT_EQ(status.pageIndicator, QString("1:0:0"));
    EXPECT_EQ(status.zoomLevel, 7);
}

} // namespace
} // namespace plexo
