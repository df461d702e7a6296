#include "midi/eventtext.h"

#include "base/textcodec.h"
#include "midi/midistrings.h"
#include "midi/seqtime.h"

#include <algorithm>
#include <iterator>

namespace plexo {
namespace {

constexpr const char* kNoteNames[12] = {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};
static_assert(std::size(midistr::kEventKindNames) == kMidiKindCount);
constexpr std::size_t kLongestTextShown = 60; // bytes of a text event shown before "…"

int channelShown(const MidiEvent& event) {
    return event.channel() + 1;
}

std::string shownText(const MidiEvent& event) {
    std::string text(event.data.begin(), event.data.end());
    const bool cut = text.size() > kLongestTextShown;
    if (cut)
        text.resize(kLongestTextShown);
    text = cp1252ToUtf8(text);
    return cut ? text + "…" : text;
}

std::string keySignatureText(const MidiEvent& event, const std::string& kind) {
    const int accidentals = static_cast<std::int8_t>(event.bytes[0]);
    std::string count;
    if (accidentals == 0)
        count = midistr::kNoAccidental;
    else if (accidentals == 1)
        count = midistr::kOneSharp;
    else if (accidentals > 1)
        count = midistr::format(midistr::kSharps, accidentals);
    else if (accidentals == -1)
        count = midistr::kOneFlat;
    else
        count = midistr::format(midistr::kFlats, -accidentals);
    return midistr::format(midistr::kEventKeySignature, kind, count,
                           event.bytes[1] ? midistr::kMinor : midistr::kMajor);
}

// The line that says what the event is.
std::string describe(const MidiEvent& event) {
    const std::string kind = eventKindText(event);
    const int b1 = event.bytes[1], b2 = event.bytes[2];
    switch (event.kind) {
    case kMidiNoteOn:
    case kMidiNoteOff:
        return midistr::format(midistr::kEventNote, kind, keyName(b1), b1, channelShown(event), b2);
    case kMidiPolyPressure:
        return midistr::format(midistr::kEventKeyValue, kind, keyName(b1), b1, channelShown(event), b2);
    case kMidiControlChange:
        return midistr::format(midistr::kEventController, kind, b1, channelShown(event), b2);
    case kMidiProgramChange:
        return midistr::format(midistr::kEventProgram, kind, b1, channelShown(event));
    case kMidiChannelPressure:
        return midistr::format(midistr::kEventChannelValue, kind, channelShown(event), b1);
    case kMidiPitchBend: // 14 bits, least significant 7 first, 8192 at rest
        return midistr::format(midistr::kEventChannelValue, kind, channelShown(event), (b2 << 7 | b1) - 8192);
    case kMidiTempo: {
        const int quarter = event.bytes[0] << 16 | b1 << 8 | b2;
        return midistr::format(midistr::kEventTempo, kind,
                               quarter > 0 ? (60000000 + quarter / 2) / quarter : 0, quarter);
    }
    case kMidiTimeSignature:
        return midistr::format(midistr::kEventMeter, kind, event.bytes[0], 1 << std::min(b1, 6));
    case kMidiKeySignature:
        return keySignatureText(event, kind);
    case kMidiSequenceNumber:
    case kMidiSongPosition:
        return midistr::format(midistr::kEventValue, kind,
                               event.kind == kMidiSongPosition ? (b1 << 7 | event.bytes[0])
                                                               : (event.bytes[0] << 8 | b1));
    case kMidiChannelPrefix:
    case kMidiPort:
    case kMidiSongSelect:
        return midistr::format(midistr::kEventValue, kind, event.bytes[0]);
    default:
        break;
    }
    if (event.kind >= kMidiText && event.kind <= kMidiCuePoint)
        return midistr::format(midistr::kEventText, kind, shownText(event));
    if (!event.data.empty())
        return midistr::format(midistr::kEventBytes, kind, event.length());
    return kind;
}

} // namespace

std::string keyName(int key) {
    if (key < 0 || key > 127)
        return {};
    return kNoteNames[key % 12] + std::to_string(key / 12 - 1);
}

bool isBlackKey(int key) {
    const int note = ((key % 12) + 12) % 12;
    return note == 1 || note == 3 || note == 6 || note == 8 || note == 10;
}

std::string eventKindText(const MidiEvent& event) {
    // A note-on of velocity 0 ends a note, as a note-off does.
    if (event.kind == kMidiNoteOn && event.velocity() == 0)
        return midistr::kEventKindNames[kMidiNoteOff];
    if (event.kind < 0 || event.kind >= static_cast<int>(std::size(midistr::kEventKindNames)))
        return midistr::kUnknownEvent;
    return midistr::kEventKindNames[event.kind];
}

std::string eventTooltip(const MidiPiste& track, std::size_t index, const SeqTimeline& timeline) {
    if (index >= track.events.size())
        return {};
    const MidiEvent& event = track.events[index];
    std::string text = midistr::format(midistr::kEventTime, event.time, timeline.text(event.time));
    text += '\n';
    text += describe(event);
    if (event.startsNote()) {
        text += '\n';
        const MidiEvent* end = track.noteEndOf(index);
        text += end ? midistr::format(midistr::kEventDuration, end->time - event.time)
                    : std::string(midistr::kEventUnended);
    }
    return text;
}

} // namespace plexo
