// The séquence view on a real-looking arrangement read from a file: scrolling
// that moves the drawing, zooms that keep the music in view, tooltips, and the
// play cursor driven by a test clock.
#include "fakesynthesizer.h"
#include "midi/channelcolours.h"
#include "midi/seqdoc.h"
#include "midi/seqscroll.h"
#include "midi/view/pane2.h"
#include "midi/view/seqruler.h"
#include "midi/view/seqview.h"
#include "smfbuilder.h"
#include "support/testenvironment.h"

#include <QApplication>
#include <QImage>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <fstream>

namespace plexo {
namespace {

using test::TrackBuilder;

constexpr int kBassLength = 27225;

// Notes of a channel: each entry a key, a start and a length in ticks, in time order.
struct Played {
    std::uint8_t key;
    std::uint32_t start, length;
};
TrackBuilder notes(const std::string& name, std::uint8_t channel, const std::vector<Played>& played,
                   std::uint32_t endTime) {
    // Note-ons and note-offs interleaved in time order.
    struct Edge {
        std::uint32_t time;
        std::uint8_t status, key, velocity;
    };
    std::vector<Edge> edges;
    for (const Played& p : played) {
        edges.push_back({p.start, static_cast<std::uint8_t>(0x90 | channel), p.key, 96});
        edges.push_back({p.start + p.length, static_cast<std::uint8_t>(0x80 | channel), p.key, 64});
    }
    std::stable_sort(edges.begin(), edges.end(),
                     [](const Edge& a, const Edge& b) { return a.time < b.time; });
    TrackBuilder track;
    track.text(0, 0x03, name);
    track.event(0, {static_cast<std::uint8_t>(0xC0 | channel), 33});
    track.event(0, {static_cast<std::uint8_t>(0xB0 | channel), 7, 100});
    std::uint32_t now = 0;
    for (const Edge& e : edges) {
        track.event(e.time - now, {e.status, e.key, e.velocity});
        now = e.time;
    }
    return track.end(std::max(endTime, now) - now);
}

// A four-track arrangement at 96 ticks a quarter, 4/4 then 3/4 from bar 9: a
// conductor track, a piano, a bass (channels 2 and 5, 27,225 ticks long) and drums.
test::Bytes arrangement() {
    TrackBuilder conductor;
    conductor.text(0, 0x03, "Conducteur")
        .meta(0, 0x51, {0x07, 0xA1, 0x20})
        .meta(0, 0x58, {4, 2, 24, 8})
        .meta(3072, 0x58, {3, 2, 24, 8})
        .end(kBassLength - 3072);
    std::vector<Played> piano, bass, doubled, drums;
    const std::uint8_t line[] = {36, 43, 40, 38, 41, 45, 43, 31};
    for (std::uint32_t t = 0; t + 400 <= kBassLength; t += 96) {
        const auto beat = t / 96;
        bass.push_back({line[(beat / 2) % 8], t, beat % 4 == 3 ? 48u : 90u});
        if (beat % 8 == 0)
            doubled.push_back({static_cast<std::uint8_t>(line[(beat / 2) % 8] + 12), t, 180});
        if (beat % 4 == 0)
            for (std::uint8_t key : {60, 64, 67})
                piano.push_back({static_cast<std::uint8_t>(key + line[(beat / 2) % 8] % 5), t, 360});
        drums.push_back({static_cast<std::uint8_t>(beat % 2 ? 38 : 36), t, 20});
    }
    // The bass track holds two channels: the line on channel 2, its doubling an octave up on channel 5.
    TrackBuilder both;
    {
        struct Edge {
            std::uint32_t time;
            std::uint8_t status, key;
        };
        std::vector<Edge> edges;
        for (const Played& p : bass) {
            edges.push_back({p.start, 0x91, p.key});
            edges.push_back({p.start + p.length, 0x81, p.key});
        }
        for (const Played& p : doubled) {
            edges.push_back({p.start, 0x94, p.key});
            edges.push_back({p.start + p.length, 0x84, p.key});
        }
        std::stable_sort(edges.begin(), edges.end(),
                         [](const Edge& a, const Edge& b) { return a.time < b.time; });
        both.text(0, 0x03, "Bass").event(0, {0xC1, 33}).event(0, {0xB1, 7, 100}).event(0, {0xC4, 35});
        std::uint32_t now = 0;
        for (const Edge& e : edges) {
            both.event(e.time - now, {e.status, e.key, 96});
            now = e.time;
        }
        both.end(kBassLength - now);
    }
    return test::midiFile(
        {conductor, notes("Piano", 0, piano, kBassLength), both, notes("Batterie", 9, drums, kBassLength)});
}

struct ArrangementFixture : testing::Test {
    void SetUp() override {
        const auto path = folder / "arrangement.mid";
        const test::Bytes bytes = arrangement();
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        ASSERT_TRUE(doc.open(path));
        ASSERT_EQ(doc.tracks.size(), 4u);
        view = std::make_unique<seqView>(doc);
        view->resize(1000, 600);
        view->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
        view->selectTrack(2);
        ASSERT_EQ(view->currentTrack()->trackName(), "Bass");
    }
    Pane2* pane() const { return view->pane(); }
    QScrollBar* across() const { return pane()->horizontalScrollBar(); }
    QScrollBar* down() const { return pane()->verticalScrollBar(); }
    void wheel(QPoint angle, Qt::KeyboardModifiers modifiers) {
        const QPointF at(50, 50);
        QWheelEvent event(at, pane()->viewport()->mapToGlobal(at), {}, angle, Qt::NoButton, modifiers,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(pane()->viewport(), &event);
    }

    test::TemporaryFolder folder;
    seqDoc doc;
    std::unique_ptr<seqView> view;
};

TEST_F(ArrangementFixture, TheScrollBarsReachEveryNoteAndMoveTheDrawing) {
    const QSize seen = pane()->viewport()->size();
    EXPECT_EQ(across()->maximum(), kBassLength + kRightMargin - seen.width());
    EXPECT_EQ(down()->maximum(), 1280 - seen.height());
    // The bass (keys 31 to 57) is centred vertically.
    EXPECT_EQ(down()->value(), scrollToNotes(*view->currentTrack(), seen.height(), down()->maximum()));

    // The last note of the bass, at 26,784 on key 38 (channel 2), is drawn where the scrolling says.
    across()->setValue(across()->maximum());
    const QImage image = pane()->viewport()->grab().toImage();
    const int x = 26784 - across()->value(), y = 380 - down()->value();
    ASSERT_GT(x, 0);
    ASSERT_GT(y, 0);
    EXPECT_EQ(image.pixel(x, y) & 0xFFFFFF, 0u);                        // its outline
    EXPECT_EQ(image.pixel(x + 20, y + 4) & 0xFFFFFF, channelColour(1)); // its fill
    EXPECT_EQ(pane()->toolTipAt(QPoint(x + 20, y + 4)),
              QString::fromUtf8("Temps : 26784 (91:1:0)\nNote D2 (38), canal 2, vélocité 96\nDurée : 48"));

    // Zooming keeps the time at the middle of the view there.
    across()->setValue(5000);
    const std::int64_t middle = timeAtX(5000 + seen.width() / 2, 5);
    view->zoomCommand(768);
    EXPECT_EQ(across()->maximum(), 2 * kBassLength + kRightMargin - seen.width());
    EXPECT_NEAR(static_cast<double>(timeAtX(across()->value() + seen.width() / 2, 8)), middle, 1.0);
    view->zoomCommand(760);
    EXPECT_EQ(across()->maximum(), std::max(2722 + kRightMargin - seen.width(), 0));

    // Another track keeps the time at the left, and centres its own notes.
    view->zoomCommand(765);
    across()->setValue(3000);
    view->selectTrack(1);
    EXPECT_EQ(across()->value(), 3000);
    EXPECT_EQ(down()->value(), scrollToNotes(*view->currentTrack(), seen.height(), down()->maximum()));
}

TEST_F(ArrangementFixture, KeysAndTheWheelScroll) {
    pane()->setFocus();
    across()->setValue(1000);
    const int top = down()->value();
    QTest::keyClick(pane(), Qt::Key_Right);
    EXPECT_EQ(across()->value(), 1000 + kHorizontalStep);
    QTest::keyClick(pane(), Qt::Key_Left);
    QTest::keyClick(pane(), Qt::Key_Left);
    EXPECT_EQ(across()->value(), 1000 - kHorizontalStep);
    QTest::keyClick(pane(), Qt::Key_Down);
    EXPECT_EQ(down()->value(), top + 10);
    QTest::keyClick(pane(), Qt::Key_Up);
    EXPECT_EQ(down()->value(), top);
    QTest::keyClick(pane(), Qt::Key_PageDown);
    EXPECT_EQ(across()->value(), 1000 - kHorizontalStep + across()->pageStep());
    QTest::keyClick(pane(), Qt::Key_PageUp);
    EXPECT_EQ(across()->value(), 1000 - kHorizontalStep);
    QTest::keyClick(pane(), Qt::Key_End);
    EXPECT_EQ(across()->value(), across()->maximum());
    QTest::keyClick(pane(), Qt::Key_Home);
    EXPECT_EQ(across()->value(), 0);

    const int lines = QApplication::wheelScrollLines();
    wheel(QPoint(0, -120), Qt::NoModifier); // one notch down: lower keys
    EXPECT_EQ(down()->value(), top + lines * 10);
    wheel(QPoint(0, -120), Qt::ShiftModifier); // across
    EXPECT_EQ(across()->value(), lines * kHorizontalStep);
    EXPECT_EQ(down()->value(), top + lines * 10);
    wheel(QPoint(0, 120), Qt::ControlModifier); // zoom in
    EXPECT_EQ(view->zoomLevel(), 6);
}

TEST_F(ArrangementFixture, ATooltipNamesTheEventUnderTheMouse) {
    across()->setValue(0);
    down()->setValue(0);
    // The events at time 0 are squares at the top left; the last drawn is named.
    EXPECT_EQ(pane()->toolTipAt(QPoint(1, 1)), QString::fromUtf8("Temps : 0 (1:0:0)\nProgramme 35, canal 5"));
    EXPECT_EQ(pane()->toolTipAt(QPoint(500, 5)), QString());
    // Through a real help event on the viewport.
    down()->setValue(300);
    const QPoint at(30, 360 + 4 - 300); // the first bass note: key 36, from 0 to 90
    QHelpEvent help(QEvent::ToolTip, at, pane()->viewport()->mapToGlobal(at));
    QApplication::sendEvent(pane()->viewport(), &help);
    EXPECT_EQ(QToolTip::text(),
              QString::fromUtf8("Temps : 0 (1:0:0)\nNote C2 (36), canal 2, vélocité 96\nDurée : 90"));
    QToolTip::hideText();
}

TEST_F(ArrangementFixture, PlayingMovesACursorThatStaysInView) {
    test::FakeSynthesizer synth;
    std::int64_t now = 0;
    view->setPlayClock([&now] { return now; });
    QSignalSpy playing(view.get(), &seqView::playingChanged);
    EXPECT_TRUE(view->canPlay());
    EXPECT_FALSE(view->isPlaying());
    EXPECT_EQ(view->positionIndicator(), "1:0:0");

    ASSERT_TRUE(view->play());
    EXPECT_TRUE(view->isPlaying());
    ASSERT_EQ(playing.count(), 1);
    EXPECT_TRUE(playing.takeFirst().at(0).toBool());
    EXPECT_EQ(synth.plays, 1);
    EXPECT_EQ(pane()->playCursor(), 0);

    now = 2000000; // two seconds at 120: a 4/4 bar of 96-tick quarters
    view->updatePlayCursor();
    EXPECT_EQ(pane()->playCursor(), 384);
    EXPECT_EQ(view->positionIndicator(), "2:0:0");
    const QImage image = pane()->viewport()->grab().toImage();
    EXPECT_EQ(image.pixel(384 - across()->value(), 5) & 0xFFFFFF, 0xD02020u);

    now = 8250000; // tick 1584: past the first page, so the view turns
    view->updatePlayCursor();
    EXPECT_EQ(view->positionIndicator(), "5:0:48");
    const int x = 1584 - across()->value();
    EXPECT_GE(x, 0);
    EXPECT_LT(x, pane()->viewport()->width());
    EXPECT_GT(across()->value(), 0);

    now = 20000000; // tick 3840: bar 9 is 3/4 from tick 3072
    view->updatePlayCursor();
    EXPECT_EQ(view->positionIndicator(), "11:2:0");

    now = 200000000; // past the end: the playing stops by itself
    view->updatePlayCursor();
    EXPECT_FALSE(view->isPlaying());
    EXPECT_EQ(pane()->playCursor(), -1);
    EXPECT_EQ(view->positionIndicator(), "1:0:0");
    ASSERT_EQ(playing.count(), 1);
    EXPECT_FALSE(playing.takeFirst().at(0).toBool());

    ASSERT_TRUE(view->play());
    view->stop();
    EXPECT_FALSE(view->isPlaying());
    EXPECT_EQ(playing.count(), 2);

    synth.available = false;
    EXPECT_FALSE(view->canPlay());
    EXPECT_FALSE(view->play());
}

TEST_F(ArrangementFixture, TheBassTrackShowsBarsKeysAndColouredNotes) {
    across()->setValue(0);
    down()->setValue(200);
    const QImage image = view->grab().toImage();
    image.save(QString::fromStdString(
        (std::filesystem::temp_directory_path() / "plexo-sequence-bass.png").string()));
    const QRect area = pane()->viewport()->geometry().translated(pane()->geometry().topLeft());
    // A bar line at bar 2 (tick 384) in an empty stretch of a row, a beat line at tick 96.
    const int rowY = area.top() + 200 - 200 + 5; // key 20: never played
    EXPECT_EQ(image.pixel(area.left() + 384, rowY) & 0xFFFFFF, 0xB8C2D2u);
    EXPECT_EQ(image.pixel(area.left() + 96, rowY) & 0xFFFFFF, 0xE8E8E8u);
    // The key ruler shades the black keys: key 22 (A#0) at y 220.
    const QRect keys = pane()->keyRuler()->geometry().translated(pane()->geometry().topLeft());
    EXPECT_EQ(image.pixel(keys.left() + 2, keys.top() + 225 - 200) & 0xFFFFFF, 0x505050u);
    EXPECT_NE(image.pixel(keys.left() + 2, keys.top() + 215 - 200) & 0xFFFFFF, 0x505050u);
    // Both channels' notes in their colours: key 36 (channel 2) and key 48 (channel 5) at tick 0.
    EXPECT_EQ(image.pixel(area.left() + 40, area.top() + 360 + 4 - 200) & 0xFFFFFF, channelColour(1));
    EXPECT_EQ(image.pixel(area.left() + 40, area.top() + 480 + 4 - 200) & 0xFFFFFF, channelColour(4));
}

} // namespace
} // namespace plexo
