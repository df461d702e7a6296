// Recorded presentation sequence (kind 24).
#pragma once

#include <cstdint>
#include <vector>

namespace plexo {

struct EvenementSequence {
    std::int32_t minute = 0;   // minutes part (0..59) of the elapsed time
    std::int32_t second = 0;   // seconds part (0..59)
    std::int32_t position = 0; // vertical scroll position, document units at the presentation zoom
    friend bool operator==(const EvenementSequence&, const EvenementSequence&) = default;
};

struct InfoSequence {
    std::vector<EvenementSequence> events;
};

} // namespace plexo
