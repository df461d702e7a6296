// The document window of a séquence: a tab strip naming the tracks (Classeur2)
// above a pane drawing the current track's events (Pane2). It displays, and
// plays the whole séquence with a cursor that follows the playing.
#pragma once

#include "base/document.h"
#include "midi/seqplayer.h"
#include "midi/seqtime.h"

#include <QFont>
#include <QTimer>
#include <QWidget>

#include <string>

namespace plexo {

class Classeur2;
class MidiPiste;
class Pane2;
class seqDoc;

class seqView : public QWidget, public DocumentObserver {
    Q_OBJECT

public:
    seqView(seqDoc& document, QWidget* parent = nullptr);
    ~seqView() override;

    seqDoc& document() const { return document_; }
    // "Séquence": the frame routes the zoom commands by this name.
    std::string typeName() const;
    // The status bar's texts while this view is active.
    static std::string statusMessage();
    static std::string pageIndicator();
    // The status bar's indicator of this view: where the playing is as
    // "bar:beat:tick", the page indicator at rest.
    std::string positionIndicator() const;

    int currentTrackIndex() const { return trackIndex_; }
    // nullptr when the document has no track.
    const MidiPiste* currentTrack() const;
    void selectTrack(int index);

    // Zoom commands 760..770, forwarded by the frame.
    void zoomCommand(int command);
    int zoomLevel() const;

    // The bars and beats of the document, for the grid, the rulers and the texts.
    const SeqTimeline& timeline() const { return timeline_; }

    // Playing ("Jouer" / "Arrêter"): possible when the desktop has a synthesizer
    // and the document has a track. play() starts from the beginning, stopping
    // any playing first; false (the user told why) when it could not start.
    bool canPlay() const;
    bool play();
    void stop();
    bool isPlaying() const { return player_.isPlaying(); }
    // The clock that places the play cursor (microseconds); tests set their own.
    void setPlayClock(SeqPlayer::Clock clock) { player_.setClock(std::move(clock)); }
    // Moves the play cursor to the clock's time; a timer calls it while playing.
    // The playing ends at the séquence's end.
    void updatePlayCursor();

    const QFont& tabFont() const { return font_; }
    Classeur2* tabStrip() const { return classeur_; }
    Pane2* pane() const { return pane_; }

    void documentChanged(int code, std::intptr_t detail) override;

signals:
    // The pane took a new zoom level: the frame shows its label in the zoom box.
    void zoomChanged(int level);
    // The playing started or ended (its command rows change their state).
    void playingChanged(bool playing);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void layOut();
    void paintCorner(QPainter& painter);

    seqDoc& document_;
    SeqTimeline timeline_;
    SeqPlayer player_;
    QTimer* playTimer_ = nullptr;
    int trackIndex_ = 0;
    QFont font_;
    bool paintCorner_ = true;
    Classeur2* classeur_ = nullptr;
    Pane2* pane_ = nullptr;
};

} // namespace plexo
