// Texts of the status bar that do not need a window: the world clock and the
// zoom box.
#pragma once

#include <optional>
#include <string>

namespace plexo {

inline constexpr int kMinTimeZoneOffset = -11; // Samoa
inline constexpr int kMaxTimeZoneOffset = 12;  // Auckland

// The zone's place name ("Paris" for +1); empty outside -11..12.
std::string timeZoneName(int timeZoneOffset);
// The time-zone menu item: "GMT-11 (Samoa)", "GMT (Londres)", "GMT+12 (Auckland)".
std::string timeZoneMenuText(int timeZoneOffset);

// The clock text of the zone timeZoneOffset hours from GMT, given the local
// time of day in minutes and the system's bias (minutes to add to local time
// to get GMT): "%d:%02d%s (Place)", with "pm" and 12 hours taken off from 13:00
// on and "am" before (noon shows 12:00am, midnight 0:00am). nullopt for an
// offset outside -11..12: the clock keeps its text.
std::optional<std::string> clockText(int localMinutesOfDay, int timeZoneBias, int timeZoneOffset);

// "10%" .. "200%" for the zoom levels 0..8, "----" for any other value.
std::string zoomText(int zoomLevel);

// Minutes to add to local time to get GMT, from the system's standard time
// (daylight saving not applied); -60 when the system has no time-zone information.
int systemTimeZoneBias();

} // namespace plexo
