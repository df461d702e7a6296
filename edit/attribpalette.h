// The style attribute palette without its window: nine tabs whose click zones
// are data (the window paints them where a click finds them), the common value
// each zone shows, and what a click does: switch tabs, set one style field of
// the selected objects that accept the tab's group, open a popup menu, run a
// font-flag command, or beep when the selection refuses the group.
#pragma once

#include "shapes/style.h"

#include <optional>
#include <string>
#include <vector>

namespace plexo {

class Folio;
class SchemaViewContext;

namespace attrib {

inline constexpr int kTabCount = 9;
inline constexpr int kGuitarTab = 8;
inline constexpr int kWidth = 464; // pixels
inline constexpr int kHeight = 53; // pixels, 50 more on the "Guitare" tab
inline constexpr int kGuitarExtra = 50;
inline constexpr int kBandBottom = 15; // clicks at y <= 15 choose a tab
inline constexpr int kStrings = kTuningStrings;
inline constexpr int kFrets = 25; // fret cells across, cell 0 the open string

// "Trait", "Couleur", ... "Guitare" (UTF-8); empty outside 0..8.
std::string tabLabel(int tab);
// The style group whose acceptance by the selection enables the tab.
int tabGroup(int tab);
// The window's height with the tab current.
int paletteHeight(int tab);
// The tab a click in the band chooses (x ≥ 9), or -1.
int tabAt(int x, int y);
// A tab's horizontal extent in the band: the current one is drawn wider.
struct Span {
    int left = 0;
    int right = 0; // inclusive
};
Span tabSpan(int tab, bool current);

enum class ZoneKind {
    LineWidth,  // value: width in points 1..6
    OtherWidth, // ". . .": the "Epaisseur de trait" dialog
    LineStyle,  // value: 0..2
    Colour,     // item: which colour field; value: 0..15 or kNoColour
    Pattern,    // value: 0..6
    ArrowMenu,  // value: 0 start ("MenuFleche1"), 1 end ("MenuFleche2")
    FontMenu,   // "MenuFont"
    SizeMenu,   // "MenuSize"
    FontFlag,   // value: 0..3, command 1616 + value ("N", "G", "I", "S")
    TextLayout, // value: 0..8
    Fret,       // string: 0..5; value: fret 0..24
};

// A click zone of a tab; x and y ranges inclusive.
struct Zone {
    ZoneKind kind = ZoneKind::LineWidth;
    int group = 0; // the style group the zone's field belongs to
    int item = 0;  // the style item the zone shows (StyleItem)
    int value = 0;
    int string = 0;
    int left = 0, right = 0, top = 0, bottom = 0;
};

// Every zone of the tab, in painting order.
const std::vector<Zone>& zonesOf(int tab);
// The zone under a point below the band, if any.
std::optional<Zone> zoneAt(int tab, int x, int y);

// Whether the zone shows the common value of the selection (framed sunken):
// common is the selection's merged style.
bool showsCommonValue(const Zone& zone, const Style& common);

// What a click asks of the window beyond what the palette did itself.
struct ClickResult {
    bool tabChanged = false;
    std::string menu; // a popup menu to open at the mouse ("MenuFleche1", ...), or empty
};

// The palette's state: its current tab. Clicks act on the view's selection.
class AttribPalette {
public:
    explicit AttribPalette(int tab = 0);

    int tab() const { return tab_; }
    // Clamped to 0..8.
    void setTab(int tab);
    int height() const { return paletteHeight(tab_); }

    // A click at a point of the window; view is the active schéma view, none
    // when no schéma view is active (then the click does nothing). A click in
    // the band switches tabs; below it, the current tab's zone under the point
    // sets its field on the selected objects that accept its group (one
    // "modification"), or the palette beeps when the selection accepts neither
    // the tab's group nor the zone's.
    ClickResult click(int x, int y, SchemaViewContext* view);

private:
    int tab_ = 0;
};

} // namespace attrib
} // namespace plexo
