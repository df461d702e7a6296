// The settings kept in "Plexo.ini": the main frame's placement, the world
// clock's zone, the ruler measure, the presentation's inverse video, the three
// palettes' placement and visibility and the symbol library folder. Read at
// start, written when the user quits.
#pragma once

#include "shapes/point.h"
#include "shell/profilefile.h"

#include <string>
#include <string_view>

namespace plexo {

struct Settings {
    static constexpr int kSettingsVersion = 105; // "Plexo"/"version"; saved frame placement needs it

    // Defaults, also used for positions that fall outside the screen.
    static constexpr int kFrameDefaultPosition = 10;
    static constexpr int kMessagesDefaultPosition = 110;
    static constexpr int kSymbolsDefaultPosition = 120;
    static constexpr int kAttributesDefaultPosition = 130;

    bool useSavedFramePlacement = false; // the file's version was kSettingsVersion
    std::string libraryPath;             // UTF-8 path of the ".dly" folder

    int frameX = kFrameDefaultPosition;
    int frameY = kFrameDefaultPosition;
    int frameWidth = 600;
    int frameHeight = 400;
    int frameMaximized = 0;
    int timeZoneOffset = 0; // hours from GMT of the world clock, -11..12
    double measure = 0;     // "Mesure", ruler measure
    double standard = 0;    // "Etalon", ruler standard
    int inverseVideo = 0;   // "Inverse", presentation mode

    int messagesX = kMessagesDefaultPosition;
    int messagesY = kMessagesDefaultPosition;
    int messagesWidth = 400;
    int messagesHeight = 100;
    int messagesVisible = 0;

    int symbolsX = kSymbolsDefaultPosition;
    int symbolsY = kSymbolsDefaultPosition;
    int symbolsWidth = 200;
    int symbolsHeight = 400;
    int symbolsVisible = 0;

    int attributesX = kAttributesDefaultPosition;
    int attributesY = kAttributesDefaultPosition;
    int attributesActive = 0;
    int attributesVisible = 0;

    // Screen rectangle of the "Commandes" tool bar, written only.
    Rect commandsBar;

    // Reads every key (absent keys keep their defaults). defaultLibraryPath is
    // used when "Librairie"/"path" is absent; screen is the desktop rectangle
    // against which saved positions are checked.
    void read(const ProfileFile& profile, std::string_view defaultLibraryPath, const Rect& screen);
    // Writes every key, the version and the "Commandes" section.
    void write(ProfileFile& profile) const;
};

// Decimal integer parse as the settings have always used it: leading spaces,
// an optional sign, digits up to the first other character; 0 when there are
// none. Values beyond 32 bits are clamped.
int parseProfileInteger(std::string_view text);
// Floating-point parse independent of the locale (a "." decimal point); 0 when
// the text does not start with a number.
double parseProfileReal(std::string_view text);
// "%d" and "%f" (six decimals, "." point) independent of the locale.
std::string formatProfileInteger(int value);
std::string formatProfileReal(double value);

} // namespace plexo
