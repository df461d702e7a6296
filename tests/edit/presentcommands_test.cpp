// "MenuPresentation"'s rules by state: what a sequence, a playback and a
// recording enable, and the inverted video's tick.
#include "edit/presentcommands.h"

#include "edit/presentation.h"
#include "shell/commandids.h"
#include "store/folio.h"
#include "store/saodoc.h"
#include "support/testenvironment.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace plexo {
namespace {

class StillClock : public PresentationClock {
public:
    std::int64_t milliseconds() const override { return 0; }
};

class QuietHost : public PresentationHost {
public:
    void setTitle(const std::string&) override {}
    void repaint() override {}
    void beep() override {}
    void showFolio(int) override {}
    void closePresentation() override {}
    void startMidi(Folio&) override {}
    void stopMidi() override {}
};

class Window : public PresentationCommandContext {
public:
    explicit Window(Presentation& presentation) : presentation_(presentation) {}
    Presentation& presentation() override { return presentation_; }
    const Presentation& presentation() const override { return presentation_; }
    void folioList() override { ++lists; }
    bool inverseVideo() const override { return inverse; }
    void setInverseVideo(bool on) override { inverse = on; }
    bool inverse = false;
    int lists = 0;

private:
    Presentation& presentation_;
};

TEST(PresentationCommands, EnablingFollowsTheSequenceAndTheState) {
    test::ScriptedUserInterface ui;
    saoDoc document;
    ASSERT_TRUE(document.open({}));
    Folio& folio = *document.folios.front();
    folio.acquire();
    StillClock clock;
    QuietHost host;
    Presentation presentation(document, host, clock);
    presentation.open(&folio, 1024, 768);
    Window window(presentation);
    const auto& table = presentationCommands();
    // Enabled commands, in menu order, as a string of 0 and 1.
    auto enabled = [&] {
        std::string states;
        for (int id : presentationMenu()) {
            CommandStatus status;
            EXPECT_TRUE(table.status(id, window, status)) << id;
            states += status.enabled ? '1' : '0';
        }
        return states;
    };
    // play, loop, stop, record, delete, folio list, inversion
    EXPECT_EQ(enabled(), "0001011");
    table.run(cmd::kRecordSequence, window);
    EXPECT_EQ(enabled(), "1111111");
    table.run(cmd::kStopSequence, window);
    EXPECT_EQ(enabled(), "1101111");
    table.run(cmd::kLoopSequence, window);
    EXPECT_TRUE(presentation.looping());
    EXPECT_EQ(enabled(), "1111111");
    table.run(cmd::kDeleteSequence, window);
    EXPECT_FALSE(presentation.playing());
    EXPECT_EQ(enabled(), "0001011");

    table.run(cmd::kFolioList, window);
    EXPECT_EQ(window.lists, 1);
    CommandStatus status;
    table.run(cmd::kInverseVideo, window);
    table.status(cmd::kInverseVideo, window, status);
    EXPECT_TRUE(status.checked);
    folio.release(false);
    document.close();
}

} // namespace
} // namespace plexo
