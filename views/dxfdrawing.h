// A folio as a DXF drawing before it is written: the entities of the model
// space and the blocks they insert, in millimetres with y pointing up, each
// entity with its layer, colour, line weight and line type. The DXF surface
// fills it, the DXF writer turns it into a file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plexo {

struct DxfPoint {
    double x = 0;
    double y = 0;
    friend bool operator==(const DxfPoint&, const DxfPoint&) = default;
};

// The layers a CAD user can switch, one per family of objects.
namespace dxflayer {
inline constexpr const char* kShapes = "Formes";
inline constexpr const char* kTexts = "Textes";
inline constexpr const char* kSymbols = "Symboles";
inline constexpr const char* kWires = "Fils et c\xE2" "bles"; // Windows-1252, as every text of the file
inline constexpr const char* kTitleBlock = "Cartouche";
inline constexpr const char* kPageBorders = "Bordures de page";
inline constexpr const char* kTerminals = "Bornes";
// Block contents are drawn on layer 0, which takes the layer of each insert.
inline constexpr const char* kBlockContents = "0";
} // namespace dxflayer

// Line types besides the solid one, named after the screen's line types 1 and 2.
namespace dxflinetype {
inline constexpr const char* kSolid = "CONTINUOUS";
inline constexpr const char* kDashed = "TIRETS";
inline constexpr const char* kDashDot = "MIXTE";
} // namespace dxflinetype

// Layers and line types are named by the constants above, never by texts of
// their own: a folio makes hundreds of thousands of entities.
struct DxfStyle {
    std::string_view layer = dxflayer::kBlockContents;
    int colourIndex = 7;                   // AutoCAD colour index (7: black on paper)
    std::optional<std::uint32_t> trueColour; // 0xRRGGBB when the index only comes near the colour
    int lineWeight = 18;                   // hundredths of a millimetre, one of the standard weights
    std::string_view lineType = dxflinetype::kSolid;
    double lineTypeScale = 1;
    friend bool operator==(const DxfStyle&, const DxfStyle&) = default;
};

// The fills of the screen's brushes.
enum class DxfFill : std::uint8_t {
    Solid,
    Horizontal,
    Vertical,
    ForwardDiagonal,  // top-left to bottom-right
    BackwardDiagonal, // bottom-left to top-right
    Cross,
    DiagonalCross,
};

enum class DxfKind : std::uint8_t { Line, Polyline, Circle, Arc, Ellipse, Text, Hatch, Point, Insert, Attribute };

struct DxfEntity {
    DxfKind kind = DxfKind::Line;
    DxfStyle style;

    // Line (two points), Polyline, Hatch (one closed loop), Point (one point);
    // Text and Attribute: the first point is the start of the baseline.
    std::vector<DxfPoint> points;
    bool closed = false; // Polyline

    // Circle, Arc, Ellipse.
    DxfPoint centre;
    double radius = 0;                        // Circle, Arc
    double startAngle = 0, endAngle = 360;    // Arc: degrees, counter-clockwise
    DxfPoint majorAxis;                       // Ellipse: end of the major axis from the centre
    double ratio = 1;                         // Ellipse: minor / major
    double startParameter = 0, endParameter = 0; // Ellipse: radians, counter-clockwise

    // Text, Attribute (Windows-1252); Attribute tag; Insert block name.
    std::string text;
    std::string name;
    double height = 0;   // capital height
    double rotation = 0; // degrees, counter-clockwise: Text, Attribute, Insert

    DxfFill fill = DxfFill::Solid; // Hatch
    double hatchSpacing = 1;       // Hatch: distance between the lines of a pattern

    // Insert.
    double scaleX = 1, scaleY = 1;
    std::vector<DxfEntity> attributes;
};

struct DxfBlock {
    std::string name;
    DxfPoint base;
    std::vector<DxfEntity> entities;
    int attributeCount = 0; // the attribute definitions its inserts fill, "LIBELLE1"...
};

struct DxfDrawing {
    std::vector<DxfBlock> blocks;
    std::vector<DxfEntity> entities;
    DxfPoint extentMin, extentMax; // the folio's area
};

} // namespace plexo
