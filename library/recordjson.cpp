#include "library/recordjson.h"

#include "base/buffer.h"
#include "base/format.h"
#include "base/textcodec.h"
#include "library/dumpstrings.h"
#include "library/libnode.h"
#include "shapes/fontlist.h"
#include "shapes/shape.h"
#include "shapes/shaperecord.h"
#include "shapes/symbolresolver.h"
#include "store/folio.h"
#include "store/saodoc.h"

#include <cstdio>
#include <memory>

namespace plexo {

namespace {

using namespace dumpstrings;

long position(const Buffer& b) {
    return static_cast<long>(b.readPos());
}

// Texts of the files are Windows-1252 bytes. The five bytes the code page leaves
// undefined show as the replacement character (the editor keeps them as C1
// controls so that they are written back unchanged).
std::string text(std::string_view cp1252) {
    auto undefined = [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D;
    };
    std::string out;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= cp1252.size(); ++i) {
        if (i < cp1252.size() && !undefined(cp1252[i]))
            continue;
        out += cp1252ToUtf8(cp1252.substr(start, i - start));
        if (i < cp1252.size())
            out += "\xEF\xBF\xBD"; // U+FFFD
        start = i + 1;
    }
    return out;
}

std::string hex(std::string_view bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    out.reserve(bytes.size() * 2);
    for (unsigned char c : bytes) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

DumpJson styleJson(const Style& s) {
    return DumpJson{{"lineWidth", s.lineWidth},   {"lineType", s.lineType},
                    {"colour", s.colour},         {"fillColour", s.fillColour},
                    {"textColour", s.textColour}, {"shadow", s.shadow},
                    {"pattern", s.pattern},       {"arrow1", s.arrow1},
                    {"arrow2", s.arrow2},         {"font", text(fontList().faceName(s.font))},
                    {"fontSize", s.fontSize},     {"fontStyle", s.fontStyle},
                    {"textAlign", s.textAlign}};
}

// The part of a record that depends on the object's kind.
void addKindPart(DumpJson& o, const Shape& shape, const ShapeReadProgress& progress) {
    switch (shape.kind) {
    case kDibPicture: {
        // The picture's bytes are summed up by their size and an FNV-1a hash.
        const auto& block = shape.dib->block();
        std::uint64_t hash = 1469598103934665603ULL;
        for (unsigned char c : block)
            hash = (hash ^ c) * 1099511628211ULL;
        char digest[24];
        std::snprintf(digest, sizeof digest, "%016llx", static_cast<unsigned long long>(hash));
        o["dib"] = DumpJson{{"blockSize", block.size()}, {"fnv1a", digest}};
        break;
    }
    case kSymbol: {
        const InfoSymbole& info = *shape.infoSymbole;
        DumpJson labels = DumpJson::array();
        for (const auto& [label, id] : progress.storedLabels)
            labels.push_back(DumpJson{{"text", text(label)}, {"id", id}});
        o["symbol"] = DumpJson{{"name", text(info.name)},
                               {"labels", std::move(labels)},
                               {"block", hex(info.block)},
                               {"epx", shape.epx},
                               {"epy", shape.epy}};
        break;
    }
    case kWire:
    case kCable:
        o["amontId"] = shape.infoFil->amontId;
        o["avalId"] = shape.infoFil->avalId;
        break;
    case kChordGrid:
    case kTablature:
        o["tuning"] = shape.style.tuning;
        break;
    case kCalendar: {
        const InfoCalendrier& info = *shape.infoCalendrier;
        DumpJson notes = DumpJson::array();
        for (const RDV& note : info.notes)
            notes.push_back(DumpJson{{"day", note.day},
                                     {"month", note.month},
                                     {"year", note.year},
                                     {"text", text(note.text)},
                                     {"mark1", note.mark1},
                                     {"mark2", note.mark2},
                                     {"hatched", note.hatched}});
        o["calendar"] = DumpJson{{"year", info.year},
                                 {"month", info.month},
                                 {"secondYear", info.secondYear},
                                 {"secondMonth", info.secondMonth},
                                 {"day", info.day},
                                 {"monthCount", info.monthCount},
                                 {"notes", std::move(notes)}};
        break;
    }
    case kSequence: {
        DumpJson events = DumpJson::array();
        for (const EvenementSequence& e : shape.infoSequence->events)
            events.push_back(DumpJson{{"minute", e.minute}, {"second", e.second}, {"position", e.position}});
        o["events"] = std::move(events);
        break;
    }
    default:
        break;
    }
}

// The parts of one object record that were read whole.
DumpJson shapeJson(const Shape& shape, const ShapeReadProgress& progress) {
    using Part = ShapeReadProgress;
    DumpJson o = DumpJson::object();
    o["id"] = shape.id;
    o["kind"] = progress.storedKind;
    if (progress.complete >= Part::Style)
        o["style"] = styleJson(shape.style);
    if (progress.complete >= Part::Angle)
        o["angle"] = shape.angle;
    if (progress.complete >= Part::Text)
        o["text"] = text(shape.data);
    if (progress.complete >= Part::Points) {
        DumpJson points = DumpJson::array();
        for (const Point& p : shape.points)
            points.push_back(DumpJson::array({p.x, p.y}));
        o["points"] = std::move(points);
    }
    if (progress.complete >= Part::KindPart)
        addKindPart(o, shape, progress);
    return o;
}

DumpJson folioJson(const Folio& f) {
    auto texts = [](const auto& list) {
        DumpJson a = DumpJson::array();
        for (const std::string& t : list)
            a.push_back(text(t));
        return a;
    };
    return DumpJson{{"serial", f.serial},
                    {"number", text(f.number)},
                    {"date", text(f.date)},
                    {"author", text(f.author)},
                    {"object", text(f.object)},
                    {"index", f.index == 0 ? std::string() : text(std::string(1, f.index))},
                    {"titles", texts(f.titles)},
                    {"revisionAuthors", texts(f.revisionAuthors)},
                    {"revisionDates", texts(f.revisionDates)},
                    {"revisionObjects", texts(f.revisionObjects)},
                    {"pagesDown", f.pagesDown},
                    {"pagesAcross", f.pagesAcross}};
}

// Symbol instances are dumped with their labels as stored, without the libraries.
class NoSymbolResolver {
public:
    NoSymbolResolver() : previous_(setSymbolResolver(nullptr)) {}
    ~NoSymbolResolver() { setSymbolResolver(previous_); }
    NoSymbolResolver(const NoSymbolResolver&) = delete;
    NoSymbolResolver& operator=(const NoSymbolResolver&) = delete;

private:
    SymbolResolver* previous_;
};

} // namespace

DecodedRecord decodeObjectList(Buffer& record) {
    NoSymbolResolver withoutLibraries;
    DecodedRecord r;
    r.value = DumpJson::array();
    for (;;) {
        std::uint8_t marker = 0;
        if (!record.readByte(marker)) {
            r.damage = format(kListWithoutEnd, position(record));
            break;
        }
        if (marker == 0)
            break;
        Shape shape;
        ShapeReadProgress progress;
        if (!readShape(shape, record, progress)) {
            if (progress.storedKind >= kShapeKindCount) {
                r.value.push_back(DumpJson{{"id", shape.id}, {"kind", progress.storedKind}});
                r.damage = format(kUnknownKindAt, progress.storedKind, position(record) - 1);
            } else {
                if (progress.complete >= ShapeReadProgress::Header)
                    r.value.push_back(shapeJson(shape, progress));
                r.damage = format(kDamagedAt, position(record));
            }
            break;
        }
        r.value.push_back(shapeJson(shape, progress));
        ++r.objectCount;
    }
    return r;
}

DecodedRecord decodeDocumentHeader(Buffer& record) {
    saoDoc doc;
    HeaderReadProgress progress;
    DecodedRecord r;
    if (!doc.readHeaderRecord(record, progress))
        r.damage = format(kDamagedAt, position(record));
    DumpJson& o = r.value = DumpJson::object();
    if (!progress.settings)
        return r;
    o = DumpJson{{"paperSize", doc.paperSize},
                 {"scaleIndex", doc.scaleIndex},
                 {"portrait", doc.portrait},
                 {"horizontalGrid", doc.horizontalGrid},
                 {"verticalGrid", doc.verticalGrid},
                 {"secondaryGrid", doc.secondaryGrid},
                 {"unitIsMm", doc.unitIsMm},
                 {"snapToGrid", doc.snapToGrid},
                 {"viewX", doc.viewX},
                 {"viewY", doc.viewY},
                 {"viewWidth", doc.viewWidth},
                 {"viewHeight", doc.viewHeight},
                 {"showTabs", doc.showTabs},
                 {"showRulers", doc.showRulers},
                 {"keptViewBytes", doc.keptViewBytes},
                 {"showGrid", doc.showGrid},
                 {"showTerminals", doc.showTerminals},
                 {"zoomIndex", doc.zoomIndex},
                 {"titleBlockName", text(doc.titleBlockName)},
                 {"titleBlockCorner", doc.titleBlockCorner},
                 {"titleBlockRotated", doc.titleBlockRotated}};
    DumpJson styles = DumpJson::array();
    const Style* stored[4] = {&doc.objectStyle, &doc.symbolStyle, &doc.wireStyle, &doc.fourthStyle};
    for (int i = 0; i < progress.styles; ++i)
        styles.push_back(styleJson(*stored[i]));
    o["styles"] = std::move(styles);
    if (progress.folioCount < 0)
        return r;
    o["nextSerial"] = doc.nextSerial;
    o["folioCount"] = progress.folioCount;
    DumpJson folios = DumpJson::array();
    for (const auto& folio : doc.folios)
        folios.push_back(folioJson(*folio));
    o["folios"] = std::move(folios);
    return r;
}

DecodedRecord decodeLibraryTree(Buffer& record) {
    DecodedRecord r;
    r.value = DumpJson::object();
    std::uint8_t expanded = 0;
    if (!record.readByte(expanded)) {
        r.damage = format(kDamagedAt, position(record));
        return r;
    }
    r.value["expanded"] = expanded;
    DumpJson nodes = DumpJson::array();
    for (;;) {
        std::uint8_t marker = 0;
        if (!record.readByte(marker)) {
            r.damage = format(kTreeWithoutEnd, position(record));
            break;
        }
        if (marker == 0)
            break;
        std::int32_t parentId = 0;
        std::unique_ptr<LibNode> node = LibNode::readNodeRecord(record, parentId);
        if (!node) {
            r.damage = format(kDamagedAt, position(record));
            break;
        }
        nodes.push_back(DumpJson{{"kind", static_cast<int>(node->kind)},
                                 {"id", node->id},
                                 {"name", text(node->name)},
                                 {"expanded", node->expanded},
                                 {"parent", parentId},
                                 {"symbolType", node->symbolType}});
    }
    r.value["nodes"] = std::move(nodes);
    return r;
}

std::string dumpText(const DumpJson& value) {
    // Texts are UTF-8 already; a file name that is not is shown with replacement
    // characters rather than written out as invalid UTF-8.
    return value.dump(2, ' ', false, DumpJson::error_handler_t::replace) + "\n";
}

} // namespace plexo
