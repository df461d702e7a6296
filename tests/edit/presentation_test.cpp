// The presentation without a window: zoom and centring on the screen, the
// sequence recorded with the keyboard and replayed by the tick with a clock of
// the test's own, the title at each state and the total presentation time.
#include "edit/presentation.h"

#include "shapes/infosequence.h"
#include "shapes/recordingsurface.h"
#include "shapes/shape.h"
#include "shapes/units.h"
#include "store/folio.h"
#include "store/saodoc.h"
#include "store/selection.h"
#include "support/testenvironment.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace plexo {
namespace {

class TestClock : public PresentationClock {
public:
    std::int64_t milliseconds() const override { return now; }
    void advance(int seconds) { now += std::int64_t{seconds} * 1000; }
    std::int64_t now = 1'000'000;
};

class TestJoystick : public Joystick {
public:
    bool pressed(int button) override { return button == 1 ? first : second; }
    bool first = false, second = false;
};

class TestHost : public PresentationHost {
public:
    void setTitle(const std::string& utf8) override { titles.push_back(utf8); }
    void repaint() override { ++repaints; }
    void beep() override { ++beeps; }
    void showFolio(int index) override { shown.push_back(index); }
    void closePresentation() override { ++closes; }
    void startMidi(Folio&) override { midi.push_back("start"); }
    void stopMidi() override { midi.push_back("stop"); }

    std::vector<std::string> titles;
    std::vector<int> shown;
    std::vector<std::string> midi;
    int repaints = 0, beeps = 0, closes = 0;
};

class PresentationTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(document.open({}));
        folio = document.folios.front().get();
        folio->number = "F1";
        folio->acquire();
        folio->pagesDown = 4;
        presentation.open(folio, 1280, 1024);
    }
    void TearDown() override {
        if (folio)
            folio->release(false);
        document.close();
    }

    const std::vector<EvenementSequence>& events() const {
        return presentation.sequence()->infoSequence->events;
    }
    int sequences() const {
        int alive = 0;
        for (const auto& object : folio->objects)
            alive += object->alive && object->kind == kSequence;
        return alive;
    }

    test::ScriptedUserInterface ui;
    saoDoc document;
    Folio* folio = nullptr;
    TestClock clock;
    TestHost host;
    TestJoystick joystick;
    Presentation presentation{document, host, clock, &joystick};
};

TEST(PresentationZoom, WidestLevelWherePageFitsAndCentring) {
    const std::int32_t a4 = 595275;
    struct Case {
        int screen;
        int zoom;
        std::int32_t offset;
    } cases[] = {
        {1280, 8, (fromPixels(1280, 8) - a4) / 2}, // 200 %: 1190 pixels fit
        {1024, 7, (fromPixels(1024, 7) - a4) / 2}, // 150 %
        {800, 6, 22362},                           // 125 %: (640000 − 595275) / 2, truncated
        {50, 0, -47637},                           // nothing fits: 10 %, toward zero
    };
    for (const Case& c : cases) {
        const int zoom = Presentation::zoomFor(a4, c.screen);
        EXPECT_EQ(zoom, c.zoom) << c.screen;
        EXPECT_EQ(Presentation::centringFor(a4, c.screen, zoom), c.offset) << c.screen;
    }
}

TEST_F(PresentationTest, PlayWithoutASequenceBeepsAndChangesNothing) {
    presentation.play(false);
    presentation.play(true);
    EXPECT_EQ(host.beeps, 2);
    EXPECT_FALSE(presentation.playing());
    EXPECT_TRUE(host.midi.empty());
}

TEST_F(PresentationTest, RecordingWithThreePageDownsGivesFourEventsThatReplayAtTheirTimes) {
    presentation.record();
    ASSERT_NE(presentation.sequence(), nullptr);
    EXPECT_TRUE(presentation.recording());
    EXPECT_EQ(document.selection.any, false);
    std::vector<std::int32_t> positions;
    for (int second : {3, 5, 62}) {
        clock.advance(second);
        presentation.keyPress(PresentationKey::PageDown);
        positions.push_back(presentation.documentY());
    }
    clock.advance(4);
    presentation.stop();
    ASSERT_EQ(events().size(), 4u);
    // Each key press takes the position before the key moves it; the stop takes the last one.
    const std::vector<EvenementSequence> expected = {
        {0, 3, 0}, {0, 8, positions[0]}, {1, 10, positions[1]}, {1, 14, positions[2]}};
    EXPECT_EQ(events(), expected);
    EXPECT_GT(positions[2], positions[1]);
    EXPECT_EQ(host.midi, (std::vector<std::string>{"start", "stop"}));

    // Replay: event 0 is never applied; the others scroll at their times.
    presentation.play(false);
    EXPECT_EQ(presentation.positionY(), 0);
    const std::int64_t start = clock.now;
    auto at = [&](int seconds) {
        clock.now = start + std::int64_t{seconds} * 1000;
        presentation.tick();
        return presentation.documentY();
    };
    EXPECT_EQ(at(3), 0); // event 0 at 0:03 is not applied
    EXPECT_EQ(at(7), 0); // event 1 is due at 0:08
    EXPECT_EQ(at(8), positions[0]);
    EXPECT_EQ(at(9), positions[0]);
    EXPECT_EQ(at(70), positions[1]);
    EXPECT_EQ(at(74), positions[2]);
    EXPECT_TRUE(presentation.playing());
    at(75); // every event applied: a single playback stops
    EXPECT_FALSE(presentation.playing());
}

TEST_F(PresentationTest, AnEventAtFiftySecondsAppliesAtOneMinuteTen) {
    presentation.record();
    presentation.stop();
    auto& sequence = presentation.sequence()->infoSequence->events;
    const std::int32_t down = presentation.rangeY() * presentation.unitY() / 2;
    sequence = {{0, 0, 0}, {0, 50, fromPixels(down, presentation.zoom())}, {2, 0, 0}};
    presentation.play(false);
    clock.advance(70);
    presentation.tick();
    EXPECT_GT(presentation.positionY(), 0);
}

TEST_F(PresentationTest, LoopStartsAgainAndTheJoystickPlaysAndStops) {
    presentation.record();
    presentation.stop();
    presentation.sequence()->infoSequence->events = {{0, 0, 0}, {0, 1, 100000}};
    joystick.first = true;
    presentation.tick();
    EXPECT_TRUE(presentation.playing());
    EXPECT_FALSE(presentation.looping());
    presentation.tick(); // still held: no new press
    joystick.first = false;
    joystick.second = true;
    presentation.tick();
    EXPECT_FALSE(presentation.playing());

    presentation.play(true);
    clock.advance(1);
    presentation.tick(); // event 1
    EXPECT_GT(presentation.positionY(), 0);
    presentation.tick(); // every event applied: the loop starts again at the top
    EXPECT_TRUE(presentation.playing());
    EXPECT_TRUE(presentation.looping());
    EXPECT_EQ(presentation.positionY(), 0);
}

TEST_F(PresentationTest, ALoopOfASequenceWithoutMovesStartsAgainAtItsLengthNotAtEveryTick) {
    // Recorded for five seconds without a key: the stop's event alone, at 0:05.
    presentation.record();
    clock.advance(5);
    presentation.stop();
    ASSERT_EQ(events().size(), 1u);
    host.midi.clear();
    presentation.play(true);
    for (int tick = 0; tick < 4; ++tick) {
        clock.now += 1000;
        presentation.tick();
        presentation.tick();
    }
    EXPECT_TRUE(presentation.playing());
    EXPECT_EQ(host.midi, std::vector<std::string>{"start"}); // not started again at each tick
    clock.now += 1000;
    presentation.tick(); // 0:05: the loop starts again
    EXPECT_EQ(host.midi, (std::vector<std::string>{"start", "start"}));
    EXPECT_EQ(presentation.elapsedSeconds(), 0);
    // A single playback of it lasts its five seconds too.
    presentation.play(false);
    clock.advance(4);
    presentation.tick();
    EXPECT_TRUE(presentation.playing());
    clock.advance(1);
    presentation.tick();
    EXPECT_FALSE(presentation.playing());
}

TEST_F(PresentationTest, TitleAtEachStateRefreshedAtMostOnceASecond) {
    const std::string head = "Plexo v1.0.5 : " + document.title() + " {F1} ";
    EXPECT_EQ(presentation.shownTitle(), head + "00:00/00:00:00");
    presentation.record();
    EXPECT_EQ(presentation.shownTitle(), head + " *  [enregistrement] 00:00/00:00:00");
    clock.advance(65);
    presentation.tick();
    EXPECT_EQ(presentation.shownTitle(), head + " *  [enregistrement] 01:05/00:01:05");
    presentation.stop();
    EXPECT_EQ(presentation.shownTitle(), head + " * 01:05/00:01:05");
    presentation.sequence()->infoSequence->events.push_back({5, 0, 0}); // keeps the playback going
    presentation.play(true);
    EXPECT_EQ(presentation.shownTitle(), head + " *  [lecture]  [boucle] 00:00/00:01:05");
    // Within the same second the title is not refreshed, even as the time moves.
    const std::size_t given = host.titles.size();
    clock.now += 999;
    presentation.tick();
    EXPECT_EQ(host.titles.size(), given);
    clock.now += 1;
    presentation.tick();
    EXPECT_EQ(host.titles.size(), given + 1);
    EXPECT_EQ(presentation.shownTitle(), head + " *  [lecture]  [boucle] 00:01/00:01:06");
    presentation.stop();
    presentation.deleteSequence();
    EXPECT_EQ(presentation.shownTitle(), head + "00:01/00:01:06");
}

TEST_F(PresentationTest, TotalTimeGrowsOverTwoSessionsAndIsToldOnClose) {
    presentation.record();
    clock.advance(30);
    presentation.close();
    Presentation again(document, host, clock, nullptr);
    again.open(folio, 1280, 1024);
    again.play(false);
    clock.advance(3700);
    again.tick();
    again.close();
    EXPECT_EQ(document.presentationTime.hours, 1);
    EXPECT_EQ(document.presentationTime.minutes, 2);
    EXPECT_EQ(document.presentationTime.seconds, 10);
    test::RecordingLog log;
    folio->release(false);
    folio = nullptr;
    document.close();
    ASSERT_EQ(log.messages.size(), 1u);
    EXPECT_NE(log.messages[0].text.find("Total présentation de"), std::string::npos) << log.messages[0].text;
    EXPECT_NE(log.messages[0].text.find(" : 1:02:10"), std::string::npos) << log.messages[0].text;
}

TEST_F(PresentationTest, RecordAndDeleteGoThroughOneUndoableAction) {
    presentation.record();
    presentation.stop();
    EXPECT_EQ(sequences(), 1);
    presentation.record(); // the old sequence goes, a new one is made
    presentation.stop();
    EXPECT_EQ(sequences(), 1);
    EXPECT_EQ(events().size(), 1u);
    presentation.deleteSequence();
    EXPECT_EQ(sequences(), 0);
    EXPECT_EQ(presentation.sequence(), nullptr);
    EXPECT_FALSE(document.selection.any);
}

TEST_F(PresentationTest, KeyboardScrollsAndChangesFolio) {
    document.folios.push_back(document.newFolio());
    document.folios.back()->number = "G2";
    presentation.keyPress(PresentationKey::Down);
    EXPECT_EQ(presentation.positionY(), 1);
    presentation.keyPress(PresentationKey::PageDown);
    EXPECT_EQ(presentation.positionY(), 1 + 1280 / 2 / presentation.unitY());
    presentation.keyPress(PresentationKey::Home);
    EXPECT_EQ(presentation.positionY(), 0);
    presentation.keyPress(PresentationKey::Left); // already the first
    presentation.keyPress(PresentationKey::Right);
    presentation.keyPress(PresentationKey::Other, 'g');
    EXPECT_EQ(host.shown, (std::vector<int>{1, 1}));
    // While recording the arrows do not leave the folio.
    presentation.record();
    presentation.keyPress(PresentationKey::Right);
    EXPECT_EQ(host.shown.size(), 2u);
    EXPECT_EQ(events().size(), 1u);
    presentation.keyPress(PresentationKey::Space); // ends the recording
    EXPECT_FALSE(presentation.recording());
    EXPECT_FALSE(presentation.playing());
    EXPECT_EQ(events().size(), 2u);
    presentation.keyPress(PresentationKey::Escape);
    presentation.keyPress(PresentationKey::F9);
    EXPECT_EQ(host.closes, 2);
}

TEST_F(PresentationTest, LeavingTheFolioEndsItsRecordingOrPlaybackThere) {
    // The second folio already holds a sequence of its own.
    document.folios.push_back(document.newFolio());
    Folio* other = document.folios.back().get();
    other->number = "G2";
    presentation.followFolio(other);
    presentation.record();
    presentation.keyPress(PresentationKey::PageDown);
    presentation.stop();
    const std::vector<EvenementSequence> kept = events();
    ASSERT_EQ(kept.size(), 2u);
    presentation.followFolio(folio);

    // Recording on F1, a key jumps to G2 (the arrows cannot while recording).
    presentation.record();
    clock.advance(2);
    presentation.keyPress(PresentationKey::Down);
    presentation.keyPress(PresentationKey::Other, 'g');
    ASSERT_EQ(host.shown, std::vector<int>{1});
    presentation.followFolio(other); // the view now shows G2
    EXPECT_FALSE(presentation.recording());
    clock.advance(2);
    presentation.keyPress(PresentationKey::Down);
    presentation.stop();
    // G2's sequence is as it was; F1's took the events up to the change.
    EXPECT_EQ(events(), kept);
    int recorded = 0;
    for (const auto& object : folio->objects)
        if (object->alive && object->kind == kSequence)
            recorded = static_cast<int>(object->infoSequence->events.size());
    EXPECT_EQ(recorded, 3);

    // A playback on G2 ends when the presentation goes to F1, which has a sequence too.
    presentation.play(false);
    presentation.followFolio(folio);
    EXPECT_FALSE(presentation.playing());
    clock.advance(30);
    presentation.tick();
    EXPECT_EQ(presentation.positionY(), 0);
}

TEST_F(PresentationTest, PaintSkipsShortcutsAndSequencesAndShiftsObjectsToTheCentre) {
    auto add = [&](int kind, std::string text) {
        auto shape = std::make_unique<Shape>(kind, folio);
        shape->points = {{100000, 100000}, {200000, 150000}};
        shape->style = document.objectStyle;
        shape->setApplicability();
        shape->createKindRecord();
        shape->data = std::move(text);
        Folio::rebuildShape(*shape);
        folio->append(std::move(shape));
    };
    add(kMidiShortcut, "chant.mid");
    add(kSequence, "");
    RecordingSurface empty;
    presentation.paint(empty, false);
    EXPECT_TRUE(empty.drawingLines().empty()) << empty.drawingLines().front();

    add(kRectangle, "");
    RecordingSurface surface;
    presentation.paint(surface, false);
    ASSERT_FALSE(surface.drawingLines().empty());
    // The rectangle's left edge lies right of its place by the centring offset.
    const int left = toPixels(100000 + presentation.centringOffset(), presentation.zoom());
    bool found = false;
    for (const SurfaceCall& call : surface.calls())
        found = found || (call.op == SurfaceOp::MoveTo && call.args[0] == left);
    EXPECT_TRUE(found) << surface.drawingLines().front();
    EXPECT_GT(presentation.centringOffset(), 0);
    // The folio itself is left as it was.
    EXPECT_EQ(folio->objects.back()->points[0].x, 100000);
}

} // namespace
} // namespace plexo
