#include "midi/channelcolours.h"
#include "midi/seqdoc.h"
#include "midi/view/classeur2.h"
#include "midi/view/pane2.h"
#include "midi/view/seqview.h"

#include <QFontMetrics>
#include <QImage>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace plexo {
namespace {

MidiEvent named(const char* name) {
    MidiEvent e;
    e.kind = kMidiTrackName;
    e.data.assign(name, name + std::strlen(name));
    return e;
}

MidiEvent note(std::int32_t time, std::uint8_t key, std::uint8_t velocity) {
    MidiEvent e;
    e.kind = kMidiNoteOn;
    e.time = time;
    e.bytes = {0, key, velocity, 0, 0, 0};
    return e;
}

MidiEvent endOfTrack(std::int32_t time) {
    MidiEvent e;
    e.kind = kMidiEndOfTrack;
    e.time = time;
    return e;
}

// Three tracks: "Piano" with a note, one without a name or end, "Flûte" (Windows-1252).
std::unique_ptr<seqDoc> threeTracks() {
    auto doc = std::make_unique<seqDoc>();
    doc->tracks.clear();
    doc->tracks.resize(3);
    doc->tracks[0].events = {named("Piano"), note(10, 2, 100), note(58, 2, 0), endOfTrack(480)};
    doc->tracks[1].events = {note(0, 1, 100)};
    doc->tracks[2].events = {named("Fl\xfbte"), endOfTrack(96)};
    for (auto& track : doc->tracks)
        track.linkNoteEnds();
    return doc;
}

struct ViewFixture : testing::Test {
    void SetUp() override {
        doc = threeTracks();
        view = std::make_unique<seqView>(*doc);
        view->resize(400, 300);
        view->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
        view->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(view.get()));
    }
    std::unique_ptr<seqDoc> doc;
    std::unique_ptr<seqView> view;
};

TEST_F(ViewFixture, LaysOutTheTabStripAndThePane) {
    EXPECT_EQ(view->tabStrip()->geometry(), QRect(48, 0, 352, 16));
    EXPECT_EQ(view->pane()->geometry(), QRect(16, 32, 384, 268));
    const auto* pane = view->pane();
    // The scroll bars cover the track (480 ticks and a 40-pixel margin) and the 128 keys.
    const QSize seen = pane->viewport()->size();
    EXPECT_EQ(pane->horizontalScrollBar()->maximum(), std::max(520 - seen.width(), 0));
    EXPECT_EQ(pane->verticalScrollBar()->maximum(), 1280 - seen.height());
    EXPECT_EQ(pane->verticalScrollBar()->value(), 0); // the track's only note is on key 2
    EXPECT_EQ(pane->zoom(), 5);
    EXPECT_EQ(view->currentTrackIndex(), 0);
    EXPECT_EQ(view->typeName(), "Séquence");
    EXPECT_EQ(seqView::statusMessage(), "Séquence");
    EXPECT_EQ(seqView::pageIndicator(), "1:0:0");
}

TEST_F(ViewFixture, TabsAreNamedAfterTheTracksAndAPressSelectsOne) {
    const auto* strip = view->tabStrip();
    const auto labels = strip->labels();
    ASSERT_EQ(labels.size(), 3u);
    EXPECT_EQ(labels[0], QString("Piano"));
    EXPECT_EQ(labels[1], QString());
    EXPECT_EQ(labels[2], QString::fromUtf8("Flûte"));
    const QFontMetrics metrics(view->tabFont());
    const auto tabs = strip->tabs();
    ASSERT_EQ(tabs.size(), 3u);
    EXPECT_EQ(tabs[0].start, 5);
    EXPECT_EQ(tabs[0].width, metrics.horizontalAdvance("Piano") + 10);
    EXPECT_EQ(tabs[1].width, 10); // a track without a name has an empty tab
    EXPECT_EQ(tabs[2].start, tabs[1].start + 10);

    auto pressAt = [&](int x, Qt::MouseButton button) {
        QTest::mousePress(view->tabStrip(), button, {}, QPoint(x, 8));
        QTest::mouseRelease(view->tabStrip(), button, {}, QPoint(x, 8));
    };
    pressAt(tabs[2].start + tabs[2].width / 2, Qt::LeftButton);
    EXPECT_EQ(view->currentTrackIndex(), 2);
    ASSERT_NE(view->currentTrack(), nullptr);
    EXPECT_EQ(view->currentTrack()->trackName(), "Fl\xfbte");
    pressAt(tabs[1].start + 5, Qt::RightButton); // the right button does nothing
    EXPECT_EQ(view->currentTrackIndex(), 2);
    pressAt(tabs[2].start + tabs[2].width + 20, Qt::LeftButton); // beyond the last tab
    EXPECT_EQ(view->currentTrackIndex(), 2);
    QTest::mouseDClick(view->tabStrip(), Qt::LeftButton, {}, QPoint(tabs[2].start + 2, 8));
    EXPECT_EQ(view->currentTrackIndex(), 2);
    pressAt(tabs[1].start + 5, Qt::LeftButton);
    EXPECT_EQ(view->currentTrackIndex(), 1);
}

// Counts the paint events a widget receives.
struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

TEST_F(ViewFixture, ZoomCommandsChangeTheLevelOnlyWithinRange) {
    QSignalSpy zoomed(view.get(), &seqView::zoomChanged);
    PaintCounter counter;
    view->pane()->viewport()->installEventFilter(&counter);

    view->zoomCommand(768); // 200 %
    EXPECT_EQ(view->zoomLevel(), 8);
    ASSERT_EQ(zoomed.count(), 1);
    EXPECT_EQ(zoomed.takeFirst().at(0).toInt(), 8);
    QApplication::processEvents();
    EXPECT_GT(counter.paints, 0);
    EXPECT_TRUE(view->pane()->hasFocus());

    counter.paints = 0;
    view->zoomCommand(769); // (+) at 200 %: unchanged, not repainted
    QApplication::processEvents();
    EXPECT_EQ(view->zoomLevel(), 8);
    EXPECT_EQ(zoomed.count(), 0);
    EXPECT_EQ(counter.paints, 0);

    const int keysShown = view->pane()->verticalScrollBar()->value();
    view->tabStrip()->setFocus();
    view->zoomCommand(760);
    view->zoomCommand(770); // (-) at 10 %: the pane takes the focus all the same
    EXPECT_TRUE(view->pane()->hasFocus());
    EXPECT_EQ(view->zoomLevel(), 0);
    EXPECT_EQ(zoomed.count(), 1);
    view->zoomCommand(769);
    EXPECT_EQ(view->zoomLevel(), 1);
    EXPECT_EQ(view->pane()->verticalScrollBar()->value(), keysShown); // a zoom leaves the keys shown
}

TEST_F(ViewFixture, ThePanePaintsTheNoteBarsWhereTheGeometrySays) {
    view->zoomCommand(768); // 200 %: the note at 10 lasting 48 ticks, key 2
    view->pane()->horizontalScrollBar()->setValue(
        0); // the zoom kept the middle of the view: back to the start
    QImage image = view->pane()->viewport()->grab().toImage();
    // The bar from (20, 20) to (116, 38), its right and bottom edges outside,
    // filled in the colour of its channel.
    const QRgb black = qRgb(0, 0, 0);
    EXPECT_EQ(image.pixel(20, 20) & 0xFFFFFF, black & 0xFFFFFF);
    EXPECT_EQ(image.pixel(115, 37) & 0xFFFFFF, black & 0xFFFFFF);
    EXPECT_EQ(image.pixel(60, 30) & 0xFFFFFF, channelColour(0));
    EXPECT_NE(image.pixel(116, 30) & 0xFFFFFF, black & 0xFFFFFF);
    EXPECT_NE(image.pixel(60, 38) & 0xFFFFFF, black & 0xFFFFFF);
    // The other events are 4-pixel squares at the top: the track name at time 0.
    EXPECT_EQ(image.pixel(0, 0) & 0xFFFFFF, black & 0xFFFFFF);
    EXPECT_EQ(image.pixel(3, 3) & 0xFFFFFF, black & 0xFFFFFF);
}

TEST_F(ViewFixture, ATrackWithoutEndShowsTheLengthZero) {
    EXPECT_EQ(view->currentTrack()->trackLength(), 480);
    view->selectTrack(1);
    EXPECT_EQ(view->currentTrack()->trackLength(), 0);
    view->selectTrack(7); // out of range: ignored
    EXPECT_EQ(view->currentTrackIndex(), 1);
}

} // namespace
} // namespace plexo
