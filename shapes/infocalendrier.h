// Calendar record (kind 22) and its day notes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace plexo {

struct RDV {
    static constexpr int kMaxText = 199; // characters a note holds (plus the terminator on disk)

    std::int32_t day = 1;   // day of month
    std::int32_t month = 1; // 1..12
    std::int32_t year = 2000;
    std::string text;         // Windows-1252, at most kMaxText bytes
    std::uint8_t mark1 = 0;   // "Repère 1"
    std::uint8_t mark2 = 0;   // "Repère 2"
    std::uint8_t hatched = 0; // "Fond hachuré"
};

struct InfoCalendrier {
    std::vector<RDV> notes;   // in the order they were added
    std::int32_t year = 2000; // displayed year
    std::int32_t month = 1;   // displayed month, 1..12
    std::int32_t secondYear = 2000;
    std::int32_t secondMonth = 1;
    std::int32_t day = 1;        // day of month
    std::int32_t monthCount = 3; // months shown

    // A record for a new calendar: the current month displayed, today as the day.
    static InfoCalendrier forToday();
};

} // namespace plexo
