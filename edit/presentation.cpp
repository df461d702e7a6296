#include "edit/presentation.h"

#include "base/format.h"
#include "base/textcodec.h"
#include "shapes/infosequence.h"
#include "shapes/render.h"
#include "shapes/shape.h"
#include "shapes/style.h"
#include "shapes/surface.h"
#include "shapes/units.h"
#include "shell/appinfo.h"
#include "store/edittransaction.h"
#include "store/folio.h"
#include "store/foliorenderer.h"
#include "store/saodoc.h"
#include "store/undo.h"

#include <algorithm>
#include <cctype>
#include <memory>

namespace plexo {

namespace {

// A scroll unit: a main grid step at 100 %, at least one pixel.
int scrollUnit(std::int32_t grid) {
    return std::max(1, toPixels(grid, kZoom100));
}

std::int64_t secondsOf(const PresentationTime& time) {
    return std::int64_t{time.hours} * 3600 + time.minutes * 60 + time.seconds;
}

PresentationTime timeOf(std::int64_t seconds) {
    PresentationTime time;
    time.hours = static_cast<int>(std::min<std::int64_t>(seconds / 3600, INT32_MAX));
    time.minutes = static_cast<int>(seconds / 60 % 60);
    time.seconds = static_cast<int>(seconds % 60);
    return time;
}

// An event's time on the elapsed clock (minutes and seconds parts).
std::int64_t eventSeconds(const EvenementSequence& event) {
    return std::int64_t{event.minute} * 60 + event.second;
}

} // namespace

Presentation::Presentation(saoDoc& document, PresentationHost& host, const PresentationClock& clock,
                           Joystick* joystick)
    : document_(document), host_(host), clock_(clock), joystick_(joystick) {}

int Presentation::zoomFor(std::int32_t pageWidth, int screenWidth) {
    int zoom = kTopZoom;
    while (zoom > 0 && toPixels(pageWidth, zoom) > screenWidth)
        --zoom;
    return zoom;
}

std::int32_t Presentation::centringFor(std::int32_t pageWidth, int screenWidth, int zoom) {
    return static_cast<std::int32_t>((std::int64_t{fromPixels(screenWidth, zoom)} - pageWidth) / 2);
}

void Presentation::open(Folio* folio, int screenWidth, int screenHeight) {
    screenWidth_ = std::max(screenWidth, 1);
    screenHeight_ = std::max(screenHeight, 1);
    playing_ = recording_ = loop_ = false;
    elapsed_ = 0;
    lastTitle_ = clock_.milliseconds();
    followFolio(folio);
}

void Presentation::followFolio(Folio* folio) {
    // A sequence belongs to its folio: a recording or playback ends where it
    // ran, so its last event goes to its own sequence and none of the next
    // folio's is touched or replayed from the wrong index.
    if (folio != folio_ && (playing_ || recording_))
        stop();
    folio_ = folio;
    const std::int32_t pageWidth = folio ? folio->pageSize().width : PageSize{}.width;
    zoom_ = zoomFor(pageWidth, screenWidth_);
    offset_ = centringFor(pageWidth, screenWidth_, zoom_);
    computeRanges();
    positionX_ = positionY_ = 0;
    lookUpSequence();
    refreshTitle();
    host_.repaint();
}

void Presentation::computeRanges() {
    unitX_ = scrollUnit(document_.horizontalGrid);
    unitY_ = scrollUnit(document_.verticalGrid);
    const Rect extent = folio_ ? folio_->extent() : Rect{};
    auto range = [this](std::int32_t side, int unit) {
        const std::int64_t zoomed = toPixels(static_cast<std::int32_t>(std::min<std::int64_t>(
                                                 std::int64_t{side} + document_.secondaryGrid, INT32_MAX)),
                                             zoom_);
        return static_cast<int>((zoomed + 10) / unit);
    };
    rangeX_ = range(extent.right, unitX_);
    rangeY_ = range(extent.bottom, unitY_);
}

bool Presentation::scrollTo(int x, int y) {
    x = std::clamp(x, 0, rangeX_);
    y = std::clamp(y, 0, rangeY_);
    if (x == positionX_ && y == positionY_)
        return false;
    positionX_ = x;
    positionY_ = y;
    host_.repaint();
    return true;
}

std::int32_t Presentation::documentY() const {
    return fromPixels(originY(), zoom_);
}

Rect Presentation::visibleRegion() const {
    const Rect extent = folio_ ? folio_->extent() : Rect{};
    const std::int32_t left = fromPixels(originX(), zoom_), top = documentY();
    Rect region{left - 10, top - 10, left + fromPixels(screenWidth_, zoom_) + 10,
                top + fromPixels(screenHeight_, zoom_) + 10};
    region.left = std::max(region.left, extent.left);
    region.top = std::max(region.top, extent.top);
    region.right = std::min(region.right, extent.right);
    region.bottom = std::min(region.bottom, extent.bottom);
    return region;
}

Shape* Presentation::lookUpSequence() {
    sequence_ = nullptr;
    if (folio_)
        for (const auto& object : folio_->objects)
            if (object && object->alive && object->kind == kSequence && object->infoSequence) {
                sequence_ = object.get();
                break;
            }
    return sequence_;
}

void Presentation::startTiming() {
    start_ = clock_.milliseconds();
    base_ = secondsOf(document_.presentationTime);
    elapsed_ = 0;
    lastApplied_ = 0;
}

void Presentation::updateTotal() {
    elapsed_ = std::max<std::int64_t>(0, (clock_.milliseconds() - start_) / 1000);
    document_.presentationTime = timeOf(base_ + elapsed_);
}

void Presentation::appendEvent() {
    if (!sequence_ || !sequence_->infoSequence)
        return;
    EvenementSequence event;
    event.minute = static_cast<std::int32_t>(elapsed_ / 60 % 60);
    event.second = static_cast<std::int32_t>(elapsed_ % 60);
    event.position = documentY();
    sequence_->infoSequence->events.push_back(event);
    sequence_->changed = true;
    document_.setModified();
}

void Presentation::record() {
    if (!folio_)
        return;
    lookUpSequence();
    {
        // One action: the old sequence dies and the new one is made, so the
        // selection summary is refreshed once and points at neither.
        EditTransaction edit(document_, *folio_, kUndoCreation);
        if (sequence_)
            edit.modify(*sequence_, [](Shape& old) {
                old.alive = false;
                old.selected = false;
            });
        auto made = std::make_unique<Shape>(kSequence, folio_);
        made->points = {{0, 0}, {0, 0}};
        made->style = document_.objectStyle;
        made->setApplicability();
        made->createKindRecord();
        Shape& created = edit.create(std::move(made), false);
        edit.changed(created);
        edit.finish();
    }
    document_.setModified();
    lookUpSequence();
    scrollTo(0, 0);
    playing_ = false;
    recording_ = true;
    loop_ = false;
    startTiming();
    refreshTitle();
    host_.startMidi(*folio_);
}

void Presentation::play(bool loop) {
    if (!lookUpSequence()) {
        host_.beep();
        return;
    }
    scrollTo(0, 0);
    playing_ = true;
    recording_ = false;
    loop_ = loop;
    startTiming();
    refreshTitle();
    if (folio_)
        host_.startMidi(*folio_);
}

void Presentation::stop() {
    if (playing_ || recording_) {
        updateTotal();
        if (recording_)
            appendEvent();
    }
    playing_ = recording_ = loop_ = false;
    refreshTitle();
    host_.stopMidi();
}

void Presentation::deleteSequence() {
    if (!folio_ || !lookUpSequence())
        return;
    playing_ = recording_ = loop_ = false;
    refreshTitle();
    host_.stopMidi();
    {
        EditTransaction edit(document_, *folio_, kUndoDeletion);
        edit.modify(*sequence_, [](Shape& old) {
            old.alive = false;
            old.selected = false;
        });
        edit.finish();
    }
    document_.setModified();
    lookUpSequence();
    refreshTitle();
}

void Presentation::close() {
    stop();
}

void Presentation::changeFolio(int index) {
    const int count = static_cast<int>(document_.folios.size());
    if (count == 0)
        return;
    index = std::clamp(index, 0, count - 1);
    if (document_.folioAt(index) == folio_)
        return;
    host_.showFolio(index);
}

void Presentation::keyPress(PresentationKey key, char character) {
    switch (key) {
    case PresentationKey::Escape:
    case PresentationKey::F9:
        host_.closePresentation();
        return;
    case PresentationKey::Space:
        // Space ends a recording rather than starting a playback over it.
        if (playing_ || recording_)
            stop();
        else
            play(false);
        return;
    default:
        break;
    }
    if (recording_ && sequence_) {
        updateTotal();
        appendEvent();
    }
    const int current = folio_ ? document_.indexOf(folio_) : 0;
    switch (key) {
    case PresentationKey::Right:
        if (!recording_)
            changeFolio(current + 1);
        break;
    case PresentationKey::Left:
        if (!recording_)
            changeFolio(current - 1);
        break;
    case PresentationKey::Home:
        scrollTo(0, 0);
        break;
    case PresentationKey::PageUp:
    case PresentationKey::PageDown: {
        // Half the window's width, in vertical scroll units.
        const int step = screenWidth_ / 2 / unitY_;
        scrollTo(positionX_, positionY_ + (key == PresentationKey::PageUp ? -step : step));
        break;
    }
    case PresentationKey::Up:
        scrollTo(positionX_, positionY_ - 1);
        break;
    case PresentationKey::Down:
        scrollTo(positionX_, positionY_ + 1);
        break;
    case PresentationKey::Other: {
        if (character == 0)
            break;
        const int wanted = std::toupper(static_cast<unsigned char>(character));
        for (std::size_t i = 0; i < document_.folios.size(); ++i) {
            const std::string& number = document_.folios[i]->number;
            if (!number.empty() && std::toupper(static_cast<unsigned char>(number[0])) == wanted) {
                changeFolio(static_cast<int>(i));
                break;
            }
        }
        break;
    }
    default:
        break;
    }
}

void Presentation::tick() {
    // The sequence may have gone behind the presentation's back (undone, deleted in the view).
    lookUpSequence();
    if (!recording_ && joystick_) {
        const bool first = joystick_->pressed(1), second = joystick_->pressed(2);
        const bool playPressed = first && !joystickWas_[0], stopPressed = second && !joystickWas_[1];
        joystickWas_[0] = first;
        joystickWas_[1] = second;
        if (playPressed)
            play(false);
        if (stopPressed)
            stop();
    }
    if (playing_ || recording_)
        updateTotal();
    if (clock_.milliseconds() - lastTitle_ >= 1000)
        refreshTitle();
    if (!playing_ || !sequence_ || !sequence_->infoSequence)
        return;
    // Event 0 marks the start at the top: playback applies events 1 and on,
    // one per tick, when the elapsed time reaches each (minutes and seconds
    // together: an event at 0:50 is due at 1:10).
    const auto& events = sequence_->infoSequence->events;
    const std::size_t next = lastApplied_ + 1;
    if (next < events.size()) {
        if (eventSeconds(events[next]) > elapsed_)
            return;
        lastApplied_ = next;
        const std::int64_t pixels = toPixels(events[next].position, zoom_);
        scrollTo(positionX_, static_cast<int>(pixels / unitY_));
        return;
    }
    // Every event applied: the playback lasts until the time of the last one
    // (the stop of the recording), even when that is event 0, which is never
    // applied; a loop would otherwise start again at every tick.
    if (!events.empty() && eventSeconds(events.back()) > elapsed_)
        return;
    if (loop_)
        play(true);
    else
        stop();
}

void Presentation::paint(Surface& surface, bool inverseVideo) const {
    if (!folio_)
        return;
    surface.setOrigin({originX(), originY()});
    RenderContext context = renderContextOf(*folio_, zoom_);
    context.inverseVideo = inverseVideo;
    const Rect visible = visibleRegion();
    // The title blocks keep their page positions, without the centring.
    drawTitleBlocks(*folio_, surface, context, visible);
    // Objects are shifted right by the offset: those that meet the region once shifted.
    const Rect unshifted{visible.left - offset_, visible.top,
                         fromPixels(originX() + screenWidth_, zoom_) + 10 - offset_, visible.bottom};
    for (const auto& object : folio_->objects) {
        if (!object || !object->alive || object->kind == kMidiShortcut || object->kind == kSequence)
            continue;
        if (!object->outline.meets(unshifted))
            continue;
        ShiftedForDrawing shifted(*object, offset_, 0);
        draw(*object, surface, context, false);
    }
}

std::string Presentation::title() const {
    std::string title = std::string(kAppCaption) + " : " + document_.title() + " {" +
                        (folio_ ? cp1252ToUtf8(folio_->number) : std::string()) + "} ";
    if (sequence_)
        title += " * ";
    if (playing_)
        title += " [lecture] ";
    if (recording_)
        title += " [enregistrement] ";
    if (loop_)
        title += " [boucle] ";
    const PresentationTime& total = document_.presentationTime;
    title += format("%02u:%02u/%02u:%02u:%02u", static_cast<unsigned>(elapsed_ / 60 % 60),
                    static_cast<unsigned>(elapsed_ % 60), static_cast<unsigned>(total.hours),
                    static_cast<unsigned>(total.minutes), static_cast<unsigned>(total.seconds));
    return title;
}

void Presentation::refreshTitle() {
    lastTitle_ = clock_.milliseconds();
    const std::string now = title();
    if (now == shownTitle_)
        return;
    shownTitle_ = now;
    host_.setTitle(now);
}

} // namespace plexo
