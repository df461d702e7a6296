// The presentation's logic without a window: the zoom and centring of the
// folio on the screen, the vertical scrolling, the keyboard, the idle tick,
// and the record / play / loop / stop / delete of the folio's sequence (the
// first alive object of kind 24) with the document's total presentation
// time. The presentation window (views/present/) translates Qt's events into
// these calls and paints; the tests drive it with a clock of their own.
#pragma once

#include "shapes/point.h"

#include <cstdint>
#include <string>

namespace plexo {

class Folio;
class Surface;
class Shape;
class saoDoc;

// Milliseconds from any fixed moment.
class PresentationClock {
public:
    virtual ~PresentationClock() = default;
    virtual std::int64_t milliseconds() const = 0;
};

// Buttons 1 and 2 of joystick 0, read at each tick; a joystick that is absent
// never reports a press.
class Joystick {
public:
    virtual ~Joystick() = default;
    virtual bool pressed(int button) = 0;
};

// What the presentation asks of its window and of the schéma view behind it.
class PresentationHost {
public:
    virtual ~PresentationHost() = default;
    virtual void setTitle(const std::string& utf8) = 0;
    // The scroll position or the folio changed: everything is drawn again.
    virtual void repaint() = 0;
    virtual void beep() = 0;
    // The view shows the folio at index; the presentation follows it (followFolio).
    virtual void showFolio(int index) = 0;
    // Escape and F9.
    virtual void closePresentation() = 0;
    // The folio's MIDI shortcut starts and stops with recording and playback.
    virtual void startMidi(Folio& folio) = 0;
    virtual void stopMidi() = 0;
};

enum class PresentationKey { Space, Left, Right, Home, PageUp, PageDown, Up, Down, Escape, F9, Other };

class Presentation {
public:
    static constexpr int kTopZoom = 8;

    Presentation(saoDoc& document, PresentationHost& host, const PresentationClock& clock,
                 Joystick* joystick = nullptr);

    // Opening on a screen of that size in pixels, showing the folio.
    void open(Folio* folio, int screenWidth, int screenHeight);
    // The view now shows this folio: a recording or playback of the one before
    // stops, then ranges again, top of the folio, its sequence.
    void followFolio(Folio* folio);
    // The stop actions, when closing.
    void close();

    // The widest zoom level at which one page width fits the screen, and the
    // horizontal centring offset in document units at that level.
    static int zoomFor(std::int32_t pageWidth, int screenWidth);
    static std::int32_t centringFor(std::int32_t pageWidth, int screenWidth, int zoom);

    int zoom() const { return zoom_; }
    std::int32_t centringOffset() const { return offset_; }
    int unitX() const { return unitX_; }
    int unitY() const { return unitY_; }
    int rangeX() const { return rangeX_; }
    int rangeY() const { return rangeY_; }
    int positionX() const { return positionX_; }
    int positionY() const { return positionY_; }
    // The scroll origin in pixels.
    int originX() const { return positionX_ * unitX_; }
    int originY() const { return positionY_ * unitY_; }
    // The vertical scroll position in document units at the presentation zoom.
    std::int32_t documentY() const;
    // The document region on screen, widened by 10 units and limited to the folio.
    Rect visibleRegion() const;
    bool scrollTo(int x, int y);

    Folio* folio() const { return folio_; }
    Shape* sequence() const { return sequence_; }
    bool playing() const { return playing_; }
    bool recording() const { return recording_; }
    bool looping() const { return loop_; }
    // Seconds since the start of the current playback or recording.
    std::int64_t elapsedSeconds() const { return elapsed_; }

    // The commands of the presentation window.
    void record();         // 792
    void play(bool loop);  // 794, 796
    void stop();           // 795
    void deleteSequence(); // 793
    void keyPress(PresentationKey key, char character = 0);
    // Called each time the application's queue becomes idle.
    void tick();

    // Draws the folio as the screen shows it, from the scroll origin: the title
    // blocks at their pages, then every alive object on screen shifted right by
    // the centring offset, except MIDI shortcuts and sequences. In inverted
    // video the colours are complemented (the caller fills the background).
    void paint(Surface& surface, bool inverseVideo) const;

    // The title as it stands now, and the one the window was last given.
    std::string title() const;
    const std::string& shownTitle() const { return shownTitle_; }
    void refreshTitle();

private:
    Shape* lookUpSequence();
    void computeRanges();
    void startTiming();
    void updateTotal();
    void appendEvent();
    void changeFolio(int index);

    saoDoc& document_;
    PresentationHost& host_;
    const PresentationClock& clock_;
    Joystick* joystick_;
    Folio* folio_ = nullptr;
    Shape* sequence_ = nullptr;
    int screenWidth_ = 0, screenHeight_ = 0;
    int zoom_ = kTopZoom;
    std::int32_t offset_ = 0;
    int unitX_ = 1, unitY_ = 1, rangeX_ = 0, rangeY_ = 0, positionX_ = 0, positionY_ = 0;
    bool playing_ = false, recording_ = false, loop_ = false;
    std::int64_t start_ = 0;      // milliseconds, start of the playback or recording
    std::int64_t elapsed_ = 0;    // seconds since start_
    std::int64_t base_ = 0;       // the document's total time at start_, seconds
    std::int64_t lastTitle_ = 0;  // milliseconds of the last title refresh
    std::size_t lastApplied_ = 0; // index of the last event applied
    bool joystickWas_[2] = {false, false};
    std::string shownTitle_;
};

} // namespace plexo
