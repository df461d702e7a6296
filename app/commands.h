// The menu commands of the frame and of the document views: their numbers,
// menu texts ("\t" introduces the accelerator shown) and the hint shown in the
// status bar and in tool-bar tips.
#pragma once

#include <string_view>

namespace plexo {

namespace cmd {
// File commands of the document manager.
inline constexpr int kNew = 24331;
inline constexpr int kOpen = 24332;
inline constexpr int kSave = 24333;
inline constexpr int kClose = 24334;
inline constexpr int kSaveAs = 24335;
inline constexpr int kPrint = 24337;
inline constexpr int kPageSetup = 24338;
inline constexpr int kRecentFirst = 24341; // recent files 24341..24349
inline constexpr int kRecentLast = 24349;
inline constexpr int kQuit = 24350;
// Edition commands of the views.
inline constexpr int kCut = 24322;
inline constexpr int kCopy = 24323;
inline constexpr int kPaste = 24324;
inline constexpr int kUndo = 1206;
inline constexpr int kFind = 1662;
// Frame commands.
inline constexpr int kHelp = 717;
inline constexpr int kAbout = 718;
inline constexpr int kReadMe = 730;
inline constexpr int kToggleMessages = 723;
inline constexpr int kToggleSymbols = 798;
inline constexpr int kToggleAttributes = 724;
inline constexpr int kZoomFirst = 760; // 760..768 levels 0..8, 769 "(+)", 770 "(-)"
inline constexpr int kZoomIn = 769;
inline constexpr int kZoomOut = 770;
inline constexpr int kTimeZoneFirst = 1720; // GMT-11; offset = id - 1731
inline constexpr int kTimeZoneLast = 1743;
inline constexpr int kTimeZoneGmt = 1731;
// Window menu.
inline constexpr int kNewWindow = 24360;
inline constexpr int kCascade = 24361;
inline constexpr int kTile = 24362;
inline constexpr int kArrangeIcons = 24363;
inline constexpr int kCloseAll = 24364;
inline constexpr int kNextWindow = 24365;
// Tools 101..120 of the "Outils" menu; the current tool belongs to the frame.
inline constexpr int kToolFirst = 101;
inline constexpr int kToolSelection = 101;
inline constexpr int kToolLast = 120;
// Fonts of the "MenuFont" popup: 1301 + i for the first 15 faces.
inline constexpr int kFontFirst = 1301;
inline constexpr int kFontMenuCount = 15;
inline constexpr int kFontSeparator = 1398;
inline constexpr int kOtherFont = 1399;
} // namespace cmd

struct CommandInfo {
    int id;
    const char* text; // UTF-8 menu text, with "&" and an optional "\t" accelerator
    const char* hint; // UTF-8 status-bar hint
};

// The command's texts, or nullptr for an unknown id.
const CommandInfo* commandInfo(int id);

} // namespace plexo
