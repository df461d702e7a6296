#include "edit/attribpalette.h"

#include "base/userinterface.h"
#include "edit/kindrules.h"
#include "edit/schemacommands.h"
#include "edit/stylecommands.h"
#include "shell/commandids.h"
#include "store/folio.h"

#include <algorithm>
#include <array>

namespace plexo::attrib {

namespace {

constexpr int kTabWidth = 48; // tab f starts at x 9 + 48 f
constexpr int kTabOrigin = 9;
constexpr int kZoneTop = kBandBottom + 1;
constexpr int kZoneBottom = kHeight - 1;
constexpr int kPointUnits = 1000;

// The fret cells' widths, open string first.
constexpr std::array<int, kFrets> kFretWidths{8,  27, 27, 26, 25, 24, 23, 22, 21, 20, 19, 18, 17,
                                              16, 15, 14, 14, 13, 13, 12, 11, 10, 10, 9,  9};
constexpr int kStringTop = 24; // string i occupies y 24 + 8 i .. 33 + 8 i
constexpr int kStringPitch = 8;
constexpr int kStringHeight = 10;
constexpr int kNoneLeft = 301; // the "none" colour cell
constexpr int kNoneRight = 313;

Zone zone(ZoneKind kind, int group, int item, int value, int left, int right) {
    Zone z;
    z.kind = kind;
    z.group = group;
    z.item = item;
    z.value = value;
    z.left = left;
    z.right = right;
    z.top = kZoneTop;
    z.bottom = kZoneBottom;
    return z;
}

void addColourCells(std::vector<Zone>& zones, int group, int item, bool withNone) {
    for (int i = 0; i < 16; ++i)
        zones.push_back(zone(ZoneKind::Colour, group, item, i, 11 + 16 * i, 23 + 16 * i));
    if (withNone)
        zones.push_back(zone(ZoneKind::Colour, group, item, kNoColour, kNoneLeft, kNoneRight));
}

std::vector<Zone> makeZones(int tab) {
    std::vector<Zone> zones;
    switch (tab) {
    case 0:
        for (int i = 0; i < 6; ++i)
            zones.push_back(
                zone(ZoneKind::LineWidth, cmd::kLineWidthGroup, kLineWidth, i + 1, 11 + 14 * i, 21 + 14 * i));
        zones.push_back(zone(ZoneKind::OtherWidth, cmd::kLineWidthGroup, kLineWidth, 0, 95, 110));
        for (int i = 0; i < 3; ++i)
            zones.push_back(
                zone(ZoneKind::LineStyle, cmd::kLineStyleGroup, kLineType, i, 140 + 60 * i, 186 + 60 * i));
        break;
    case 1:
        addColourCells(zones, cmd::kLineColourGroup, kColour, true);
        break;
    case 2:
        addColourCells(zones, cmd::kFillColourGroup, kFillColour, true);
        break;
    case 3:
        for (int i = 0; i < 7; ++i)
            zones.push_back(
                zone(ZoneKind::Pattern, cmd::kFillPatternGroup, kPattern, i, 11 + 41 * i, 48 + 41 * i));
        break;
    case 4:
        zones.push_back(zone(ZoneKind::ArrowMenu, cmd::kArrowGroup, kArrow1, 0, 11, 167));
        zones.push_back(zone(ZoneKind::ArrowMenu, cmd::kArrowGroup, kArrow2, 1, 201, 367));
        break;
    case 5:
        zones.push_back(zone(ZoneKind::FontMenu, cmd::kFontGroup, kFont, 0, 11, 167));
        zones.push_back(zone(ZoneKind::SizeMenu, cmd::kFontSizeGroup, kFontSize, 0, 176, 205));
        for (int i = 0; i < 4; ++i)
            zones.push_back(
                zone(ZoneKind::FontFlag, cmd::kFontFlagsGroup, kFontStyle, i, 214 + 16 * i, 226 + 16 * i));
        for (int j = 0; j < 9; ++j)
            zones.push_back(
                zone(ZoneKind::TextLayout, cmd::kTextLayoutGroup, kTextAlign, j, 283 + 16 * j, 295 + 16 * j));
        break;
    case 6:
        addColourCells(zones, cmd::kTextColourGroup, kTextColour, false);
        break;
    case 7:
        addColourCells(zones, cmd::kShadowColourGroup, kShadow, true);
        break;
    case kGuitarTab:
        for (int s = 0; s < kStrings; ++s) {
            int x0 = 0;
            for (int j = 0; j < kFrets; ++j) {
                const int width = kFretWidths[static_cast<std::size_t>(j)];
                Zone z = zone(ZoneKind::Fret, cmd::kChordGroup, kTuning0 + s, j, x0 + 1, x0 + width - 2);
                z.string = s;
                z.top = kStringTop + kStringPitch * s;
                z.bottom = z.top + kStringHeight - 1;
                zones.push_back(z);
                x0 += width + 1 + (j == 0 ? 3 : 0);
            }
        }
        break;
    default:
        break;
    }
    return zones;
}

Style oneItem(int item, std::int64_t value) {
    Style style;
    style.markAllUnset();
    style.set(item, value);
    return style;
}

bool isMenuWidth(std::int64_t width) {
    return width % kPointUnits == 0 && width / kPointUnits >= 1 && width / kPointUnits <= 6;
}

} // namespace

std::string tabLabel(int tab) {
    static const char* const kLabels[kTabCount] = {"Trait", "Couleur", "Fond",  "Motif",  "Flèches",
                                                   "Style", "Texte",   "Ombre", "Guitare"};
    return tab >= 0 && tab < kTabCount ? kLabels[tab] : "";
}

int tabGroup(int tab) {
    static constexpr int kGroups[kTabCount] = {
        cmd::kLineWidthGroup,   cmd::kLineColourGroup,   cmd::kFillColourGroup,
        cmd::kFillPatternGroup, cmd::kArrowGroup,        cmd::kFontGroup,
        cmd::kTextColourGroup,  cmd::kShadowColourGroup, cmd::kChordGroup};
    return tab >= 0 && tab < kTabCount ? kGroups[tab] : 0;
}

int paletteHeight(int tab) {
    return tab == kGuitarTab ? kHeight + kGuitarExtra : kHeight;
}

int tabAt(int x, int y) {
    if (y > kBandBottom || x < kTabOrigin)
        return -1;
    const int tab = (x - kTabOrigin) / kTabWidth;
    return tab < kTabCount ? tab : -1;
}

Span tabSpan(int tab, bool current) {
    const int offset = kTabWidth * tab;
    return current ? Span{8 + offset, 57 + offset} : Span{10 + offset, 55 + offset};
}

const std::vector<Zone>& zonesOf(int tab) {
    static const std::array<std::vector<Zone>, kTabCount> all = [] {
        std::array<std::vector<Zone>, kTabCount> zones;
        for (int tab = 0; tab < kTabCount; ++tab)
            zones[static_cast<std::size_t>(tab)] = makeZones(tab);
        return zones;
    }();
    static const std::vector<Zone> none;
    return tab >= 0 && tab < kTabCount ? all[static_cast<std::size_t>(tab)] : none;
}

std::optional<Zone> zoneAt(int tab, int x, int y) {
    if (y <= kBandBottom)
        return std::nullopt;
    // Adjacent strings share two pixel rows: the lower string takes them.
    const std::vector<Zone>& zones = zonesOf(tab);
    for (auto z = zones.rbegin(); z != zones.rend(); ++z) {
        if (x >= z->left && x <= z->right && y >= z->top && y <= z->bottom)
            return *z;
    }
    return std::nullopt;
}

bool showsCommonValue(const Zone& zone, const Style& common) {
    if (!common.isUsable(zone.item))
        return false;
    const std::int64_t value = common.value(zone.item);
    switch (zone.kind) {
    case ZoneKind::LineWidth:
        return value == std::int64_t{zone.value} * kPointUnits;
    case ZoneKind::OtherWidth:
        return !isMenuWidth(value);
    case ZoneKind::FontFlag:
        return zone.value == 0 ? value == 0 : (value & (1 << (zone.value - 1))) != 0;
    case ZoneKind::ArrowMenu:
    case ZoneKind::FontMenu:
    case ZoneKind::SizeMenu:
        return false; // these show the value itself, not a choice among cells
    default:
        return value == zone.value;
    }
}

AttribPalette::AttribPalette(int tab) {
    setTab(tab);
}

void AttribPalette::setTab(int tab) {
    tab_ = std::clamp(tab, 0, kTabCount - 1);
}

ClickResult AttribPalette::click(int x, int y, SchemaViewContext* view) {
    ClickResult result;
    if (!view)
        return result;
    if (y <= kBandBottom) {
        const int tab = tabAt(x, y);
        if (tab >= 0 && tab != tab_) {
            tab_ = tab;
            result.tabChanged = true;
        }
        return result;
    }
    Folio* folio = view->folio();
    if (!folio)
        return result;
    const std::optional<Zone> zone = zoneAt(tab_, x, y);
    if (!selectionAccepts(*folio, tabGroup(tab_)) || (zone && !selectionAccepts(*folio, zone->group))) {
        userInterface().beep();
        return result;
    }
    if (!zone)
        return result;
    saoDoc& document = view->document();
    switch (zone->kind) {
    case ZoneKind::LineWidth:
        applyStyleToGroup(document, *folio, zone->group,
                          oneItem(kLineWidth, std::int64_t{zone->value} * kPointUnits));
        break;
    case ZoneKind::OtherWidth:
        askOtherLineWidth(*view);
        break;
    case ZoneKind::ArrowMenu:
        result.menu = zone->value == 0 ? "MenuFleche1" : "MenuFleche2";
        break;
    case ZoneKind::FontMenu:
        result.menu = "MenuFont";
        break;
    case ZoneKind::SizeMenu:
        result.menu = "MenuSize";
        break;
    case ZoneKind::FontFlag:
        schemaCommands().run(cmd::kFontNormal + zone->value, *view);
        break;
    case ZoneKind::Fret: {
        // The fret already there is taken off again.
        const std::optional<std::int64_t> current = commonValue(*view, zone->item);
        const std::int64_t fret = current == zone->value ? kNoTuning : zone->value;
        applyStyleToGroup(document, *folio, zone->group, oneItem(zone->item, fret));
        break;
    }
    default:
        applyStyleToGroup(document, *folio, zone->group, oneItem(zone->item, zone->value));
        break;
    }
    return result;
}

} // namespace plexo::attrib
