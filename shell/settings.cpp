#include "shell/settings.h"

#include <charconv>
#include <climits>
#include <cmath>

namespace plexo {
namespace {

std::string_view skipSpaces(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    return text;
}

void readInteger(const ProfileFile& profile, const char* section, const char* key, int& value) {
    if (auto text = profile.readString(section, key))
        value = parseProfileInteger(*text);
}

void readReal(const ProfileFile& profile, const char* section, const char* key, double& value) {
    if (auto text = profile.readString(section, key))
        value = parseProfileReal(*text);
}

void writeInteger(ProfileFile& profile, const char* section, const char* key, int value) {
    profile.writeString(section, key, formatProfileInteger(value));
}

// A saved position outside the screen (for example after a change of display)
// would leave the window out of reach.
void checkPosition(int& x, int& y, int fallback, const Rect& screen) {
    if (x < 0 || x > screen.right)
        x = fallback;
    if (y < 0 || y > screen.bottom)
        y = fallback;
}

} // namespace

int parseProfileInteger(std::string_view text) {
    text = skipSpaces(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            break;
        value = value * 10 + (c - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        value = INT_MAX;
    return static_cast<int>(value);
}

double parseProfileReal(std::string_view text) {
    text = skipSpaces(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    double value = 0;
    auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || !std::isfinite(value))
        return 0;
    return value;
}

std::string formatProfileInteger(int value) {
    return std::to_string(value);
}

std::string formatProfileReal(double value) {
    char buffer[400];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
    if (result.ec != std::errc())
        return "0.000000";
    return std::string(buffer, result.ptr);
}

void Settings::read(const ProfileFile& profile, std::string_view defaultLibraryPath, const Rect& screen) {
    useSavedFramePlacement =
        parseProfileInteger(profile.readString("Plexo", "version", "")) == kSettingsVersion;
    libraryPath = profile.readString("Librairie", "path", defaultLibraryPath);

    readInteger(profile, "Options", "Xpos", frameX);
    readInteger(profile, "Options", "Ypos", frameY);
    readInteger(profile, "Options", "L", frameWidth);
    readInteger(profile, "Options", "H", frameHeight);
    readInteger(profile, "Options", "Max", frameMaximized);
    readInteger(profile, "Options", "Fuseau", timeZoneOffset);
    readReal(profile, "Options", "Mesure", measure);
    readReal(profile, "Options", "Etalon", standard);
    readInteger(profile, "Options", "Inverse", inverseVideo);

    readInteger(profile, "Messages", "Xpos", messagesX);
    readInteger(profile, "Messages", "Ypos", messagesY);
    readInteger(profile, "Messages", "L", messagesWidth);
    readInteger(profile, "Messages", "H", messagesHeight);
    readInteger(profile, "Messages", "visible", messagesVisible);

    readInteger(profile, "Symboles", "Xpos", symbolsX);
    readInteger(profile, "Symboles", "Ypos", symbolsY);
    readInteger(profile, "Symboles", "L", symbolsWidth);
    readInteger(profile, "Symboles", "H", symbolsHeight);
    readInteger(profile, "Symboles", "visible", symbolsVisible);

    readInteger(profile, "Attributs", "Xpos", attributesX);
    readInteger(profile, "Attributs", "Ypos", attributesY);
    readInteger(profile, "Attributs", "actif", attributesActive);
    readInteger(profile, "Attributs", "visible", attributesVisible);

    checkPosition(frameX, frameY, kFrameDefaultPosition, screen);
    checkPosition(messagesX, messagesY, kMessagesDefaultPosition, screen);
    checkPosition(symbolsX, symbolsY, kSymbolsDefaultPosition, screen);
    checkPosition(attributesX, attributesY, kAttributesDefaultPosition, screen);
}

void Settings::write(ProfileFile& profile) const {
    writeInteger(profile, "Plexo", "version", kSettingsVersion);
    profile.writeString("Librairie", "path", libraryPath);

    writeInteger(profile, "Options", "Xpos", frameX);
    writeInteger(profile, "Options", "Ypos", frameY);
    writeInteger(profile, "Options", "L", frameWidth);
    writeInteger(profile, "Options", "H", frameHeight);
    writeInteger(profile, "Options", "Max", frameMaximized);
    writeInteger(profile, "Options", "Fuseau", timeZoneOffset);
    profile.writeString("Options", "Mesure", formatProfileReal(measure));
    profile.writeString("Options", "Etalon", formatProfileReal(standard));
    writeInteger(profile, "Options", "Inverse", inverseVideo);

    writeInteger(profile, "Messages", "Xpos", messagesX);
    writeInteger(profile, "Messages", "Ypos", messagesY);
    writeInteger(profile, "Messages", "L", messagesWidth);
    writeInteger(profile, "Messages", "H", messagesHeight);
    writeInteger(profile, "Messages", "visible", messagesVisible);

    writeInteger(profile, "Symboles", "Xpos", symbolsX);
    writeInteger(profile, "Symboles", "Ypos", symbolsY);
    writeInteger(profile, "Symboles", "L", symbolsWidth);
    writeInteger(profile, "Symboles", "H", symbolsHeight);
    writeInteger(profile, "Symboles", "visible", symbolsVisible);

    writeInteger(profile, "Attributs", "Xpos", attributesX);
    writeInteger(profile, "Attributs", "Ypos", attributesY);
    writeInteger(profile, "Attributs", "actif", attributesActive);
    writeInteger(profile, "Attributs", "visible", attributesVisible);

    writeInteger(profile, "Commandes", "Xpos", commandsBar.left);
    writeInteger(profile, "Commandes", "Ypos", commandsBar.top);
    writeInteger(profile, "Commandes", "L", commandsBar.width());
    writeInteger(profile, "Commandes", "H", commandsBar.height());
}

} // namespace plexo
