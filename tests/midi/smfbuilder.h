// Builds Standard MIDI File bytes for the tests, chunk by chunk.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace plexo::test {

using Bytes = std::vector<std::uint8_t>;

inline void appendQuantity(Bytes& out, std::uint32_t value) {
    std::uint8_t groups[5];
    int count = 0;
    do {
        groups[count++] = value & 0x7F;
        value >>= 7;
    } while (value);
    while (count-- > 1)
        out.push_back(groups[count] | 0x80);
    out.push_back(groups[0]);
}

inline void appendBig(Bytes& out, std::uint32_t value, int size) {
    for (int i = size - 1; i >= 0; --i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// The events of one track: each call adds a delta and the event's bytes.
class TrackBuilder {
public:
    TrackBuilder& event(std::uint32_t delta, std::initializer_list<std::uint8_t> bytes) {
        appendQuantity(bytes_, delta);
        bytes_.insert(bytes_.end(), bytes);
        return *this;
    }
    TrackBuilder& meta(std::uint32_t delta, std::uint8_t type, const Bytes& data) {
        appendQuantity(bytes_, delta);
        bytes_.push_back(0xFF);
        bytes_.push_back(type);
        appendQuantity(bytes_, static_cast<std::uint32_t>(data.size()));
        bytes_.insert(bytes_.end(), data.begin(), data.end());
        return *this;
    }
    TrackBuilder& text(std::uint32_t delta, std::uint8_t type, const std::string& text) {
        return meta(delta, type, Bytes(text.begin(), text.end()));
    }
    // 0xF0 or 0xF7 with a variable-length length.
    TrackBuilder& sysEx(std::uint32_t delta, std::uint8_t status, const Bytes& data) {
        appendQuantity(bytes_, delta);
        bytes_.push_back(status);
        appendQuantity(bytes_, static_cast<std::uint32_t>(data.size()));
        bytes_.insert(bytes_.end(), data.begin(), data.end());
        return *this;
    }
    TrackBuilder& raw(const Bytes& bytes) {
        bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
        return *this;
    }
    TrackBuilder& end(std::uint32_t delta = 0) { return event(delta, {0xFF, 0x2F, 0x00}); }
    const Bytes& bytes() const { return bytes_; }

private:
    Bytes bytes_;
};

inline Bytes chunk(const char* id, const Bytes& data, std::int64_t declaredLength = -1) {
    Bytes out(id, id + 4);
    appendBig(out, declaredLength < 0 ? static_cast<std::uint32_t>(data.size())
                                      : static_cast<std::uint32_t>(declaredLength), 4);
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

inline Bytes header(std::uint16_t format, std::uint16_t tracks, std::uint8_t divisionHigh = 0,
                    std::uint8_t divisionLow = 96) {
    Bytes data;
    appendBig(data, format, 2);
    appendBig(data, tracks, 2);
    data.push_back(divisionHigh);
    data.push_back(divisionLow);
    return chunk("MThd", data);
}

inline Bytes midiFile(std::initializer_list<TrackBuilder> tracks, std::uint8_t divisionHigh = 0,
                      std::uint8_t divisionLow = 96) {
    Bytes out = header(1, static_cast<std::uint16_t>(tracks.size()), divisionHigh, divisionLow);
    for (const auto& track : tracks) {
        const Bytes c = chunk("MTrk", track.bytes());
        out.insert(out.end(), c.begin(), c.end());
    }
    return out;
}

inline Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

} // namespace plexo::test
