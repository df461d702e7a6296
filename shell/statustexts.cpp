#include "shell/statustexts.h"

#include <cstdio>
#include <ctime>

namespace plexo {
namespace {

constexpr int kZoneCount = kMaxTimeZoneOffset - kMinTimeZoneOffset + 1;

// Place names of the zones GMT-11 to GMT+12 as the clock shows them.
constexpr const char* kZoneNames[kZoneCount] = {
    "Samoa",          "Hawaï",      "Alaska",  "Los Angeles", "Denver", "Chicago", "New York", "Halifax",
    "Rio de Janeiro", "Atlantique", "Açores",  "Londres",     "Paris",  "Athènes", "Moscou",   "Volgograd",
    "Karashi",        "Almaty",     "Bangkok", "Honk Kong",   "Tokyo",  "Sydney",  "Magadan",  "Auckland",
};

constexpr const char* kZoomTexts[] = {"10%", "25%", "50%", "66%", "75%", "100%", "125%", "150%", "200%"};

bool inRange(int offset) {
    return offset >= kMinTimeZoneOffset && offset <= kMaxTimeZoneOffset;
}

} // namespace

std::string timeZoneName(int timeZoneOffset) {
    return inRange(timeZoneOffset) ? kZoneNames[timeZoneOffset - kMinTimeZoneOffset] : "";
}

std::string timeZoneMenuText(int timeZoneOffset) {
    if (!inRange(timeZoneOffset))
        return "";
    std::string text = "GMT";
    if (timeZoneOffset > 0)
        text += "+";
    if (timeZoneOffset != 0)
        text += std::to_string(timeZoneOffset);
    return text + " (" + timeZoneName(timeZoneOffset) + ")";
}

std::optional<std::string> clockText(int localMinutesOfDay, int timeZoneBias, int timeZoneOffset) {
    if (!inRange(timeZoneOffset))
        return std::nullopt;
    constexpr int kMinutesPerDay = 24 * 60;
    long long minutes = static_cast<long long>(localMinutesOfDay) + timeZoneBias + timeZoneOffset * 60LL;
    minutes %= kMinutesPerDay;
    if (minutes < 0)
        minutes += kMinutesPerDay;
    int hour = static_cast<int>(minutes / 60);
    int minute = static_cast<int>(minutes % 60);
    const char* suffix = "am";
    if (hour >= 13) {
        suffix = "pm";
        hour -= 12;
    }
    char text[64];
    std::snprintf(text, sizeof text, "%d:%02d%s (%s)", hour, minute, suffix,
                  kZoneNames[timeZoneOffset - kMinTimeZoneOffset]);
    return std::string(text);
}

std::string zoomText(int zoomLevel) {
    if (zoomLevel < 0 || zoomLevel >= static_cast<int>(std::size(kZoomTexts)))
        return "----";
    return kZoomTexts[zoomLevel];
}

int systemTimeZoneBias() {
    tzset();
    // timezone: seconds west of GMT of the standard time.
    if (tzname[0] == nullptr || tzname[0][0] == '\0')
        return -60;
    return static_cast<int>(timezone / 60);
}

} // namespace plexo
