#include "views/dxfwriter.h"

#include "base/format.h"

#include <dl_dxf.h>

#include <charconv>
#include <cmath>
#include <fstream>
#include <numbers>
#include <set>
#include <sstream>

namespace plexo {
namespace {

// dxflib's ASCII writer, turned towards a stream of ours: its own writer opens
// a file and never says whether writing it failed. The base writer is given
// the null device, which it opens and never writes.
class StreamWriter final : public DL_WriterA {
public:
    explicit StreamWriter(std::ostream& out) : DL_WriterA("/dev/null", DL_Codes::AC1015), out_(out) {}

    void dxfReal(int gc, double value) const override {
        char text[32];
        if (!std::isfinite(value))
            value = 0;
        const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 12).ptr;
        code(gc);
        out_.write(text, end - text);
        out_ << '\n';
    }
    void dxfInt(int gc, int value) const override {
        code(gc);
        out_ << value << '\n';
    }
    void dxfHex(int gc, int value) const override {
        char text[16];
        const auto end = std::to_chars(text, text + sizeof text, static_cast<unsigned>(value), 16).ptr;
        code(gc);
        for (char* c = text; c != end; ++c)
            out_ << static_cast<char>(*c >= 'a' ? *c - 'a' + 'A' : *c);
        out_ << '\n';
    }
    void dxfString(int gc, const char* value) const override { dxfString(gc, std::string(value ? value : "")); }
    void dxfString(int gc, const std::string& value) const override {
        code(gc);
        // A line break inside a value would end it and shift every later group.
        for (char c : value)
            out_ << (c == '\n' || c == '\r' ? ' ' : c);
        out_ << '\n';
    }

private:
    void code(int gc) const {
        if (gc < 10)
            out_ << "  ";
        else if (gc < 100)
            out_ << ' ';
        out_ << gc << '\n';
    }

    std::ostream& out_;
};

DL_Attributes attributesOf(const DxfStyle& style) {
    DL_Attributes attributes(std::string(style.layer), style.colourIndex,
                             style.trueColour ? static_cast<int>(*style.trueColour) : -1, style.lineWeight,
                             std::string(style.lineType));
    attributes.setLinetypeScale(style.lineTypeScale);
    return attributes;
}

// The lines of a hatch pattern: angle, and the offset from one line to the next.
struct PatternLine {
    double angle;
    double dx, dy;
};

std::vector<PatternLine> patternLines(DxfFill fill, double spacing) {
    // Each line repeats at `distance` across its own direction.
    auto line = [](double angle, double distance) {
        const double radians = angle * std::numbers::pi / 180;
        return PatternLine{angle, -distance * std::sin(radians), distance * std::cos(radians)};
    };
    const double diagonal = spacing / std::numbers::sqrt2; // diagonals lie closer, as on screen
    const PatternLine horizontal = line(0, spacing), vertical = line(90, spacing);
    const PatternLine backward = line(45, diagonal), forward = line(135, diagonal);
    switch (fill) {
    case DxfFill::Horizontal:
        return {horizontal};
    case DxfFill::Vertical:
        return {vertical};
    case DxfFill::ForwardDiagonal:
        return {forward};
    case DxfFill::BackwardDiagonal:
        return {backward};
    case DxfFill::Cross:
        return {horizontal, vertical};
    case DxfFill::DiagonalCross:
        return {backward, forward};
    case DxfFill::Solid:
        break;
    }
    return {};
}

const char* patternName(DxfFill fill) {
    switch (fill) {
    case DxfFill::Horizontal:
        return "HORIZONTAL";
    case DxfFill::Vertical:
        return "VERTICAL";
    case DxfFill::ForwardDiagonal:
        return "DIAGONALE_DESCENDANTE";
    case DxfFill::BackwardDiagonal:
        return "DIAGONALE_MONTANTE";
    case DxfFill::Cross:
        return "QUADRILLAGE";
    case DxfFill::DiagonalCross:
        return "QUADRILLAGE_DIAGONAL";
    case DxfFill::Solid:
        break;
    }
    return "SOLID";
}

class DocumentWriter {
public:
    DocumentWriter(const DxfDrawing& drawing, std::ostream& out) : drawing_(drawing), writer_(out) {}

    void write() {
        header();
        tables();
        blocks();
        writer_.sectionEntities();
        for (const DxfEntity& entity : drawing_.entities)
            writeEntity(entity);
        writer_.sectionEnd();
        dxf_.writeObjects(writer_);
        dxf_.writeObjectsEnd(writer_);
        writer_.dxfEOF();
    }

private:
    void header() {
        dxf_.writeHeader(writer_);
        writer_.dxfString(9, "$INSUNITS");
        writer_.dxfInt(70, 4); // millimetres
        writer_.dxfString(9, "$MEASUREMENT");
        writer_.dxfInt(70, 1); // metric
        writer_.dxfString(9, "$DWGCODEPAGE");
        writer_.dxfString(3, "ANSI_1252");
        for (const auto& [name, point] : {std::pair{"$EXTMIN", drawing_.extentMin}, {"$EXTMAX", drawing_.extentMax},
                                          {"$LIMMIN", drawing_.extentMin}, {"$LIMMAX", drawing_.extentMax}}) {
            writer_.dxfString(9, name);
            writer_.dxfReal(10, point.x);
            writer_.dxfReal(20, point.y);
            if (name[1] == 'E')
                writer_.dxfReal(30, 0);
        }
        writer_.dxfString(9, "$LTSCALE");
        writer_.dxfReal(40, 1);
        writer_.sectionEnd();
    }

    void tables() {
        writer_.sectionTables();
        dxf_.writeVPort(writer_);

        // The screen's dashes for a line of one point, in millimetres; wider
        // lines scale them by their width (the entities' line-type scale).
        constexpr double kPoint = 25.4 / 72;
        double dashed[] = {3 * kPoint, -3 * kPoint};
        double dashDot[] = {8 * kPoint, -3 * kPoint, kPoint, -3 * kPoint};
        writer_.tableLinetypes(5);
        dxf_.writeLinetype(writer_, DL_LinetypeData("BYBLOCK", "", 0, 0, 0));
        dxf_.writeLinetype(writer_, DL_LinetypeData("BYLAYER", "", 0, 0, 0));
        dxf_.writeLinetype(writer_, DL_LinetypeData(dxflinetype::kSolid, "Continu", 0, 0, 0));
        dxf_.writeLinetype(writer_, DL_LinetypeData(dxflinetype::kDashed, "Tirets __ __ __", 0, 2, 6 * kPoint, dashed));
        dxf_.writeLinetype(writer_,
                           DL_LinetypeData(dxflinetype::kDashDot, "Mixte ____ . ____ .", 0, 4, 15 * kPoint, dashDot));
        writer_.tableEnd();

        const char* layers[] = {dxflayer::kBlockContents, dxflayer::kPageBorders, dxflayer::kTitleBlock,
                                dxflayer::kShapes,        dxflayer::kTexts,       dxflayer::kSymbols,
                                dxflayer::kWires,         dxflayer::kTerminals};
        writer_.tableLayers(static_cast<int>(std::size(layers)));
        for (const char* layer : layers)
            dxf_.writeLayer(writer_, DL_LayerData(layer, 0),
                            DL_Attributes("", 7, -1, -3 /* default weight */, dxflinetype::kSolid));
        writer_.tableEnd();

        writer_.tableStyle(1);
        dxf_.writeStyle(writer_, DL_StyleData("Standard", 0, 0, 1, 0, 0, 2.5, "arial.ttf", ""));
        writer_.tableEnd();
        dxf_.writeView(writer_);
        dxf_.writeUcs(writer_);
        writer_.tableAppid(1);
        dxf_.writeAppid(writer_, "ACAD");
        writer_.tableEnd();
        dxf_.writeDimStyle(writer_, 2.5, 1.25, 0.625, 0.625, 2.5);
        dxf_.writeBlockRecord(writer_);
        for (const DxfBlock& block : drawing_.blocks)
            dxf_.writeBlockRecord(writer_, block.name);
        writer_.tableEnd();
        writer_.sectionEnd();
    }

    void blocks() {
        writer_.sectionBlocks();
        for (const char* space : {"*Model_Space", "*Paper_Space", "*Paper_Space0"}) {
            dxf_.writeBlock(writer_, DL_BlockData(space, 0, 0, 0, 0));
            dxf_.writeEndBlock(writer_, space);
        }
        for (const DxfBlock& block : drawing_.blocks) {
            // Flag 2: the block has attribute definitions.
            dxf_.writeBlock(writer_, DL_BlockData(block.name, block.attributeCount > 0 ? 2 : 0, block.base.x,
                                                  block.base.y, 0));
            for (int n = 1; n <= block.attributeCount; ++n)
                attributeDefinition(block, n);
            for (const DxfEntity& entity : block.entities)
                writeEntity(entity);
            dxf_.writeEndBlock(writer_, block.name);
        }
        writer_.sectionEnd();
    }

    // An attribute definition at the block's base point; each insert places its
    // own attributes where the symbol's labels stand.
    void attributeDefinition(const DxfBlock& block, int n) {
        writer_.entity("ATTDEF");
        writer_.dxfString(100, "AcDbEntity");
        writer_.dxfString(8, dxflayer::kBlockContents);
        writer_.dxfString(100, "AcDbText");
        writer_.dxfReal(10, block.base.x);
        writer_.dxfReal(20, block.base.y);
        writer_.dxfReal(30, 0);
        writer_.dxfReal(40, 2.5);
        writer_.dxfString(1, "");
        writer_.dxfString(100, "AcDbAttributeDefinition");
        writer_.dxfString(3, format("Libell\xE9 %d", n));
        writer_.dxfString(2, dxfAttributeTag(n));
        writer_.dxfInt(70, 0);
    }

    void writeEntity(const DxfEntity& entity) {
        const DL_Attributes attributes = attributesOf(entity.style);
        const auto& p = entity.points;
        switch (entity.kind) {
        case DxfKind::Line:
            if (p.size() >= 2)
                dxf_.writeLine(writer_, DL_LineData(p[0].x, p[0].y, 0, p[1].x, p[1].y, 0), attributes);
            break;
        case DxfKind::Polyline:
            if (p.size() < 2)
                break;
            dxf_.writePolyline(writer_, DL_PolylineData(static_cast<int>(p.size()), 0, 0, entity.closed ? 1 : 0),
                               attributes);
            for (const DxfPoint& q : p)
                dxf_.writeVertex(writer_, DL_VertexData(q.x, q.y, 0, 0));
            dxf_.writePolylineEnd(writer_);
            break;
        case DxfKind::Circle:
            dxf_.writeCircle(writer_, DL_CircleData(entity.centre.x, entity.centre.y, 0, entity.radius), attributes);
            break;
        case DxfKind::Arc:
            dxf_.writeArc(writer_,
                          DL_ArcData(entity.centre.x, entity.centre.y, 0, entity.radius, entity.startAngle,
                                     entity.endAngle),
                          attributes);
            break;
        case DxfKind::Ellipse:
            dxf_.writeEllipse(writer_,
                              DL_EllipseData(entity.centre.x, entity.centre.y, 0, entity.majorAxis.x,
                                             entity.majorAxis.y, 0, entity.ratio, entity.startParameter,
                                             entity.endParameter),
                              attributes);
            break;
        case DxfKind::Text:
            if (!p.empty())
                dxf_.writeText(writer_, textData(entity), attributes);
            break;
        case DxfKind::Attribute:
            if (!p.empty())
                dxf_.writeAttribute(writer_, DL_AttributeData(textData(entity), entity.name), attributes);
            break;
        case DxfKind::Point:
            if (!p.empty())
                dxf_.writePoint(writer_, DL_PointData(p[0].x, p[0].y, 0), attributes);
            break;
        case DxfKind::Hatch:
            if (p.size() >= 3)
                hatch(entity, attributes);
            break;
        case DxfKind::Insert:
            insert(entity, attributes);
            break;
        }
    }

    static DL_TextData textData(const DxfEntity& entity) {
        const DxfPoint& at = entity.points.front();
        // Left-aligned on the baseline: the insertion point is the start of the baseline.
        return DL_TextData(at.x, at.y, 0, at.x, at.y, 0, entity.height, 1, 0, 0, 0, entity.text, "Standard",
                           entity.rotation);
    }

    // A hatch bounded by one closed polyline, its pattern lines written out so
    // that every reader draws it without a pattern file of its own.
    void hatch(const DxfEntity& entity, const DL_Attributes& attributes) {
        const bool solid = entity.fill == DxfFill::Solid;
        writer_.entity("HATCH");
        writer_.dxfString(100, "AcDbEntity");
        writer_.entityAttributes(attributes);
        writer_.dxfString(100, "AcDbHatch");
        writer_.dxfReal(10, 0);
        writer_.dxfReal(20, 0);
        writer_.dxfReal(30, 0);
        writer_.dxfReal(210, 0);
        writer_.dxfReal(220, 0);
        writer_.dxfReal(230, 1);
        writer_.dxfString(2, patternName(entity.fill));
        writer_.dxfInt(70, solid ? 1 : 0);
        writer_.dxfInt(71, 0);
        writer_.dxfInt(91, 1);
        writer_.dxfInt(92, 2 | 1); // an external boundary given as a polyline
        writer_.dxfInt(72, 0);
        writer_.dxfInt(73, 1);
        writer_.dxfInt(93, static_cast<int>(entity.points.size()));
        for (const DxfPoint& q : entity.points) {
            writer_.dxfReal(10, q.x);
            writer_.dxfReal(20, q.y);
        }
        writer_.dxfInt(97, 0);
        writer_.dxfInt(75, 0); // odd parity, as the screen's even-odd fill
        writer_.dxfInt(76, solid ? 1 : 2);
        if (!solid) {
            const std::vector<PatternLine> lines = patternLines(entity.fill, entity.hatchSpacing);
            writer_.dxfReal(52, 0);
            writer_.dxfReal(41, 1);
            writer_.dxfInt(77, 0);
            writer_.dxfInt(78, static_cast<int>(lines.size()));
            for (const PatternLine& line : lines) {
                writer_.dxfReal(53, line.angle);
                writer_.dxfReal(43, 0);
                writer_.dxfReal(44, 0);
                writer_.dxfReal(45, line.dx);
                writer_.dxfReal(46, line.dy);
                writer_.dxfInt(79, 0);
            }
        }
        writer_.dxfInt(98, 0);
    }

    void insert(const DxfEntity& entity, const DL_Attributes& attributes) {
        const DxfPoint at = entity.points.empty() ? DxfPoint{} : entity.points.front();
        writer_.entity("INSERT");
        writer_.dxfString(100, "AcDbEntity");
        writer_.entityAttributes(attributes);
        writer_.dxfString(100, "AcDbBlockReference");
        if (!entity.attributes.empty())
            writer_.dxfInt(66, 1);
        writer_.dxfString(2, entity.name);
        writer_.dxfReal(10, at.x);
        writer_.dxfReal(20, at.y);
        writer_.dxfReal(30, 0);
        writer_.dxfReal(41, entity.scaleX);
        writer_.dxfReal(42, entity.scaleY);
        writer_.dxfReal(43, 1);
        writer_.dxfReal(50, entity.rotation);
        if (entity.attributes.empty())
            return;
        for (const DxfEntity& attribute : entity.attributes)
            writeEntity(attribute);
        writer_.entity("SEQEND");
        writer_.dxfString(100, "AcDbEntity");
        writer_.dxfString(8, std::string(entity.style.layer));
    }

    const DxfDrawing& drawing_;
    DL_Dxf dxf_;
    StreamWriter writer_;
};

} // namespace

std::string dxfAttributeTag(int n) {
    return format("LIBELLE%d", n);
}

std::string dxfText(const DxfDrawing& drawing) {
    std::ostringstream out;
    DocumentWriter(drawing, out).write();
    return std::move(out).str();
}

bool writeDxfFile(const DxfDrawing& drawing, const std::filesystem::path& path, std::string& error) {
    // Written straight into a file beside the target through a large buffer (a
    // folio of many objects makes tens of megabytes), which replaces the target
    // only once it is whole: a failed export leaves an earlier one as it was.
    std::filesystem::path part = path;
    part += ".part";
    std::vector<char> buffer(1 << 20);
    std::ofstream file;
    file.rdbuf()->pubsetbuf(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    file.open(part, std::ios::binary | std::ios::trunc);
    if (file)
        DocumentWriter(drawing, file).write();
    if (file)
        file.close();
    std::error_code renamed;
    if (file)
        std::filesystem::rename(part, path, renamed);
    if (!file || renamed) {
        std::error_code ignored;
        std::filesystem::remove(part, ignored);
        error = format("Impossible d'écrire %s.", path.string());
        return false;
    }
    return true;
}

} // namespace plexo
