#include "jcl/jobflowchart.h"

#include "base/log.h"
#include "base/textcodec.h"
#include "base/userinterface.h"
#include "jcl/jclclassify.h"
#include "jcl/jclstrings.h"
#include "shapes/geometry.h"
#include "shapes/shape.h"
#include "shapes/symbolnode.h"
#include "shapes/symbolresolver.h"
#include "shapes/wires.h"
#include "store/folio.h"
#include "store/folioholder.h"
#include "store/saodoc.h"

#include <algorithm>
#include <chrono>
#include <memory>
#include <set>
#include <string>
#include <unordered_set>

namespace plexo {
namespace {

namespace text = jcltext;

// A segment moved sideways this many times without finding room gives up: the
// wire stays where it is rather than the drawing never ending.
constexpr int kMaxShifts = 4096;

class PhaseTimer {
public:
    explicit PhaseTimer(std::array<double, kPhaseCount>& seconds) : seconds_(seconds) {}
    ~PhaseTimer() { stop(); }
    void start(int phase) {
        stop();
        phase_ = phase;
        begin_ = std::chrono::steady_clock::now();
    }
    void stop() {
        if (phase_ < 0)
            return;
        seconds_[static_cast<std::size_t>(phase_)] +=
            std::chrono::duration<double>(std::chrono::steady_clock::now() - begin_).count();
        phase_ = -1;
    }

private:
    std::array<double, kPhaseCount>& seconds_;
    int phase_ = -1;
    std::chrono::steady_clock::time_point begin_;
};

Point centreOfNode(const SymbolNode& node) {
    const Rect bounds = node.drawingBounds();
    return {(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2};
}

// A symbol object of the named library symbol with both points at `at`; nullptr
// (after the two error lines) when the libraries do not hold a usable drawing.
std::unique_ptr<Shape> newSymbol(Folio& folio, const std::string& name, Point at, std::string_view shown,
                                 const Style& style) {
    auto shape = std::make_unique<Shape>(kSymbol, &folio);
    shape->points = {at, at};
    shape->style = style;
    shape->createKindRecord();
    shape->infoSymbole->name = name;
    shape->setText(shown);
    SymbolNode* node = resolveSymbolInstance(*shape);
    if (!node || !shape->infoSymbole->drawingAcquired || !node->drawingObjects() ||
        node->drawingObjects()->empty()) {
        logError(cp1252ToUtf8(name));
        logError(text::kCannotLoadSymbol);
        return nullptr;
    }
    Folio::rebuildShape(*shape);
    return shape;
}

bool isVertical(Point a, Point b) {
    return a.x == b.x && a.y != b.y;
}
bool isHorizontal(Point a, Point b) {
    return a.y == b.y && a.x != b.x;
}
bool spansOverlap(std::int32_t a1, std::int32_t a2, std::int32_t b1, std::int32_t b2) {
    return std::max(std::min(a1, a2), std::min(b1, b2)) <= std::min(std::max(a1, a2), std::max(b1, b2));
}
std::int64_t distance(std::int32_t a, std::int32_t b) {
    return std::llabs(static_cast<std::int64_t>(a) - b);
}

// The layout of one drawing: the document's grid steps and the running y.
class Layout {
public:
    Layout(saoDoc& document, Folio& folio)
        : doc(document), folio(folio), h(document.horizontalGrid), v(document.verticalGrid) {}

    saoDoc& doc;
    Folio& folio;
    const std::int32_t h;
    const std::int32_t v;
    std::int32_t y = 0;

    std::vector<Shape*> wires() const {
        std::vector<Shape*> list;
        for (const auto& object : folio.objects)
            if (object->alive && object->kind == kWire && object->infoFil)
                list.push_back(object.get());
        return list;
    }

    // Moves points i and i + 1 (0-based) of the wire right by dx, taking along
    // the ends of the wires that lie on that segment.
    void shiftSegment(Shape& wire, std::size_t i, std::int32_t dx) {
        wire.points[i].x += dx;
        wire.points[i + 1].x += dx;
        folio.followWireSegment(dx, 0, wire, static_cast<int>(i + 1));
    }

    // What may block a vertical segment spanning low..high as it moves right: the
    // horizontal extents of the symbols with an edge strictly inside the span, and
    // the x of the other wires' vertical segments whose spans meet it. Gathered
    // once per segment, so that trying each place costs little even on a folio
    // of hundreds of wires.
    struct Blockers {
        std::vector<std::pair<std::int32_t, std::int32_t>> symbols; // left, right
        std::vector<std::int32_t> verticals;                        // sorted x
    };

    Blockers blockersOf(const Shape& wire, std::int32_t low, std::int32_t high,
                        const std::vector<Shape*>& all) const {
        Blockers b;
        for (const auto& object : folio.objects) {
            if (object->kind != kSymbol)
                continue;
            const Rect& r = object->outline;
            if ((r.top > low && r.top < high) || (r.bottom > low && r.bottom < high))
                b.symbols.emplace_back(r.left, r.right);
        }
        for (const Shape* other : all) {
            if (other == &wire)
                continue;
            for (std::size_t k = 1; k < other->points.size(); ++k) {
                const Point a = other->points[k - 1], c = other->points[k];
                if (isVertical(a, c) && spansOverlap(a.y, c.y, low, high))
                    b.verticals.push_back(a.x);
            }
        }
        std::sort(b.verticals.begin(), b.verticals.end());
        return b;
    }

    bool crossesSymbol(const Blockers& b, std::int32_t x) const {
        for (const auto& [left, right] : b.symbols)
            if (left <= x && right >= x)
                return true;
        return false;
    }

    bool nearVertical(const Blockers& b, std::int32_t x) const {
        const std::int64_t reach = v / 8;
        auto it = std::lower_bound(b.verticals.begin(), b.verticals.end(),
                                   static_cast<std::int32_t>(std::max<std::int64_t>(INT32_MIN, x - reach)));
        return it != b.verticals.end() && *it <= x + reach;
    }

    // First step of an optimisation pass: moves segment 3-4 right until it crosses no symbol edge and runs
    // clear of every other wire's vertical segments.
    void freeVerticalChannel(Shape& wire, const std::vector<Shape*>& all, std::unordered_set<Shape*>& moved) {
        const bool endOnWire = wire.infoFil->aval && wire.infoFil->aval->isWire();
        if (!(wire.points.size() == 6 || (wire.points.size() > 3 && endOnWire)))
            return;
        const Point p0 = wire.points[2], q0 = wire.points[3];
        // A segment that is not vertical (on a six-point wire, the zero-length
        // turn of a file below its program) has no channel to look for.
        if (!isVertical(p0, q0))
            return;
        const Blockers blockers = blockersOf(wire, std::min(p0.y, q0.y), std::max(p0.y, q0.y), all);
        for (int shifts = 0; shifts < kMaxShifts; ++shifts) {
            const Point q = wire.points[3];
            if (!crossesSymbol(blockers, q.x) && !nearVertical(blockers, q.x))
                return;
            // Segment 3-4 of a four-point wire ends on the other wire: it may only
            // slide along that wire, never leave it.
            if (wire.points.size() == 4 && endOnWire &&
                findSegment(*wire.infoFil->aval, q.x + h / 4, q.y) == 0)
                return;
            shiftSegment(wire, 2, h / 4);
            moved.insert(&wire);
        }
    }

    // Second and third steps: when another wire's horizontal segment runs within V/8
    // of the wire's segment i..i+1, everything at or below it goes down by V/4
    // while the segment stays, so that the two part.
    void separateHorizontal(Shape& wire, std::size_t i, const std::vector<Shape*>& all,
                            std::unordered_set<Shape*>& moved) {
        for (const Shape* other : all) {
            if (other == &wire)
                continue;
            for (std::size_t k = 1; k < other->points.size(); ++k) {
                const Point p = wire.points[i], q = wire.points[i + 1];
                if (!isHorizontal(p, q))
                    return;
                const Point a = other->points[k - 1], b = other->points[k];
                if (!isHorizontal(a, b) || distance(a.y, p.y) > v / 8 || !spansOverlap(a.x, b.x, p.x, q.x))
                    continue;
                pushDown(p.y, v / 4, moved);
                wire.points[i].y -= v / 4;
                wire.points[i + 1].y -= v / 4;
                y += v / 4;
            }
        }
    }

    // Every object lying entirely at or below `from` moves down by dy; of a wire,
    // the points at or below it.
    void pushDown(std::int32_t from, std::int32_t dy, std::unordered_set<Shape*>& moved) {
        for (const auto& object : folio.objects) {
            Shape& s = *object;
            if (!s.alive)
                continue;
            if (s.isWire()) {
                bool any = false;
                for (Point& point : s.points)
                    if (point.y >= from) {
                        point.y += dy;
                        any = true;
                    }
                if (any) {
                    computeOutline(s);
                    moved.insert(&s);
                }
            } else if (s.outline.top >= from) {
                move(s, 0, dy);
                moved.insert(&s);
            }
        }
    }

    // After the passes: the push-downs stretch vertical runs and move symbols, so a
    // run between two bends may now cross a symbol's edge. Such a run moves right
    // until it is clear, as the vertical channel does.
    void clearVerticalRuns() {
        for (Shape* wire : wires()) {
            bool changed = false;
            for (std::size_t i = 1; i + 2 < wire->points.size(); ++i) {
                for (int shifts = 0; shifts < kMaxShifts; ++shifts) {
                    const Point p = wire->points[i], q = wire->points[i + 1];
                    if (!isVertical(p, q) || segmentIsFree(folio, p, q))
                        break;
                    shiftSegment(*wire, i, h / 4);
                    changed = true;
                }
            }
            if (changed)
                rebuildGeometry(*wire);
        }
    }

    // The end of each optimisation pass: the wires attached to a moved object,
    // and the wires moved, follow their ends again.
    void rerouteMoved(const std::unordered_set<Shape*>& moved) {
        auto endMoved = [&](const Shape* end) {
            if (!end)
                return false;
            if (moved.count(const_cast<Shape*>(end)))
                return true;
            return end->infoBorne && end->infoBorne->owner && moved.count(end->infoBorne->owner) > 0;
        };
        for (Shape* wire : wires())
            if (moved.count(wire) || endMoved(wire->infoFil->amont) || endMoved(wire->infoFil->aval))
                followEnds(*wire);
    }
};

// Groups the files by step, in file-list order.
std::vector<std::vector<JclFile*>> filesByStep(const JclReader& reader) {
    std::vector<std::vector<JclFile*>> groups(reader.steps().size());
    for (const auto& file : reader.files()) {
        if (!file->step)
            continue;
        for (std::size_t s = 0; s < reader.steps().size(); ++s)
            if (reader.steps()[s].get() == file->step) {
                groups[s].push_back(file.get());
                break;
            }
    }
    return groups;
}

// The texts the labels of a symbol object have in its library drawing (a label
// shape's own text is replaced by what it shows each time it is measured).
std::vector<const std::string*> libraryLabelTexts(const Shape& instance) {
    std::vector<const std::string*> texts;
    const SymbolNode* node = instance.infoSymbole->node;
    if (const auto* objects = node ? node->drawingObjects() : nullptr)
        for (const auto& object : *objects)
            if (object->kind == kTerminal || object->kind == kTextZone)
                texts.push_back(&object->data);
    return texts;
}

// The label of a program symbol whose library text begins with tag.
Etiquette* labelForTag(Shape& program, const std::vector<const std::string*>& texts, const std::string& tag) {
    auto& labels = program.infoSymbole->labels;
    for (std::size_t i = 0; i < labels.size() && i < texts.size(); ++i) {
        const std::string& library = *texts[i];
        if (library.size() >= tag.size() && library.compare(0, tag.size(), tag) == 0)
            return &labels[i];
    }
    return nullptr;
}

// A terminal of a file symbol: its first label (upper point) or its second (lower).
Shape* fileTerminal(Shape& symbol, bool lower) {
    if (!symbol.infoSymbole)
        return nullptr;
    const std::size_t index = lower ? 1 : 0;
    auto& labels = symbol.infoSymbole->labels;
    if (labels.size() <= index || !labels[index].shape)
        return nullptr;
    return labels[index].shape.get();
}

} // namespace

bool segmentIsFree(const Folio& folio, Point p, Point q) {
    if (p.y == q.y)
        return true;
    return folio.isBandFreeOfSymbols(p.x, p.y, q.x, q.y);
}

JobFlowchart::JobFlowchart(saoDoc& document, JobFlowchartTarget* target)
    : document_(document), target_(target) {}

bool JobFlowchart::drawJobChunk(JclReader& reader, const std::filesystem::path& path) {
    PhaseTimer timer(seconds_);
    UserInterface& ui = userInterface();

    // 1. The folio and its fields.
    timer.start(kPhaseDocument);
    logInfo(text::kCreatingDocument);
    if (reader.stepCount() == 0) {
        logError(text::kUnknownFile);
        return false;
    }
    const std::string number = reader.takeFolioNumber();
    Folio* added = document_.addFolio([&](Folio& folio, FolioDialogKind) {
        folio.number = number;
        folio.author = text::kAuthor;
        folio.titles[0] = utf8ToCp1252(text::kTitle).substr(0, kFolioTitleSize - 1);
        return true;
    });
    if (!added)
        return false;
    Folio& folio = *added;
    folios_.push_back(&folio);
    document_.showTerminals = 0;
    // The objects go to the document's store when the drawing lets go of the folio.
    FolioHolder hold(folio, FolioHolder::OnRelease::Save);

    // 2. Which files are read, written, and drawn with a symbol of their own.
    timer.start(kPhasePlacing);
    logInfo(text::kPlacing);
    classifyJclFiles(reader.files());

    // 3. Program symbols, their files' labels and symbols, the step labels.
    timer.start(kPhaseObjects);
    logInfo(text::kCreatingObjects);
    Layout layout(document_, folio);
    const std::int32_t h = layout.h, v = layout.v;
    const std::int32_t x0 = 12 * h;
    layout.y = 4 * v;
    int position = 0;
    ui.startProgress(reader.stepCount() + reader.fileCount(), text::kCreatingObjects);
    const auto groups = filesByStep(reader);
    auto stop = [&] {
        ui.resetProgress();
        ++stopped_;
        return false;
    };
    for (std::size_t s = 0; s < reader.steps().size(); ++s) {
        JclStep& step = *reader.steps()[s];
        if (hasTooManyFiles(step)) {
            logError(cp1252ToUtf8(step.programName));
            logError(text::kTooManyFiles);
            return stop();
        }
        const std::string symbolName = programSymbolName(step);
        if (step.ownInputCount == 0)
            layout.y -= 3 * v;
        std::unique_ptr<Shape> program =
            newSymbol(folio, symbolName, {x0, layout.y}, step.programName, document_.symbolStyle);
        if (!program)
            return stop();
        step.programSymbol = program.get();
        ui.advanceProgress(++position);
        const SymbolNode& programNode = *program->infoSymbole->node;
        const Point cp = centreOfNode(programNode);

        const std::vector<const std::string*> labelTexts = libraryLabelTexts(*program);
        int inputs = 1, outputs = 1;
        for (JclFile* file : groups[s]) {
            const bool input = file->direction == FileDirection::Input;
            const std::string tag =
                input ? "in" + std::to_string(inputs++) : "out" + std::to_string(outputs++);
            Etiquette* label = labelForTag(*program, labelTexts, tag);
            if (!label)
                continue;
            label->text = file->ddName;
            file->programTerminal = label->shape.get();
            ui.advanceProgress(++position);
            if (!file->ownSymbol)
                continue;
            const Point t = label->shape->points.empty() ? Point{} : label->shape->points.front();
            const std::int32_t offset = 2 * v + v / 2;
            const Point at{x0 + t.x - cp.x, input ? layout.y - offset : layout.y + offset};
            std::unique_ptr<Shape> symbol = newSymbol(folio, std::string(fileSymbolName(*file)), at,
                                                      fileSymbolText(file->fileId), document_.symbolStyle);
            if (!symbol) {
                // The program goes with its labels: no file may keep one of them.
                step.programSymbol = nullptr;
                for (JclFile* other : groups[s])
                    other->programTerminal = nullptr;
                return stop();
            }
            symbol->infoSymbole->block = file->fileId;
            file->fileSymbol = &folio.append(std::move(symbol));
        }
        // Its outline covers the DD names now written at its terminals.
        Folio::rebuildShape(*program);
        folio.append(std::move(program));

        if (!step.label.empty()) {
            const std::int32_t half =
                (programNode.drawingBounds().right - programNode.drawingBounds().left) >> 1;
            std::unique_ptr<Shape> tag =
                newSymbol(folio, text::kLabelSymbol, {x0 - half - 2 * h, layout.y - v - v / 4}, step.label,
                          document_.symbolStyle);
            if (!tag)
                return stop();
            folio.append(std::move(tag));
        }
        layout.y += 8 * v;
        if (step.outputCount == 0)
            layout.y -= 3 * v;
    }
    ui.resetProgress();

    // 4. The readers of a data set share its writer's symbol.
    timer.start(kPhaseLinks);
    logInfo(text::kCreatingLinks);
    linkFileSymbols(reader.files());

    // 5. One six-point wire per file with a symbol, from the program terminal.
    timer.start(kPhaseWires);
    logInfo(text::kCreatingWires);
    ui.startProgress(reader.fileCount(), text::kCreatingWires);
    position = 0;
    int wiresMade = 0;
    const std::uint8_t head = document_.wireStyle.arrow2 ? document_.wireStyle.arrow2 : 1;
    for (auto it = reader.files().rbegin(); it != reader.files().rend(); ++it) {
        JclFile& file = **it;
        if (!file.fileSymbol || !file.programTerminal || !file.step || !file.step->programSymbol)
            continue;
        const bool input = file.direction == FileDirection::Input;
        Shape* end = fileTerminal(*file.fileSymbol, input);
        if (!end)
            continue;
        const Point a = placedPoint(*file.programTerminal, *file.step->programSymbol);
        const Point b = placedPoint(*end, *file.fileSymbol);
        std::vector<Point> p;
        if (a.y < b.y)
            p = {a, {a.x, a.y + v / 2}, {b.x, a.y + v / 2}, {b.x, a.y + v / 2}, {b.x, b.y - v / 2}, b};
        else
            p = {a, {a.x, a.y - v / 2}, {a.x, a.y - v / 2}, {a.x, b.y + v / 2}, {b.x, b.y + v / 2}, b};
        for (int shifts = 0; shifts < kMaxShifts && !segmentIsFree(folio, p[2], p[3]); ++shifts) {
            p[2].x += h / 4;
            p[3].x += h / 4;
        }
        auto wire = std::make_unique<Shape>(kWire, &folio);
        wire->points = std::move(p);
        wire->style = document_.wireStyle;
        const bool arrows = !file.isVsam && file.direction != FileDirection::Undetermined;
        wire->style.set(kArrow1, arrows && a.y >= b.y ? head : 0);
        wire->style.set(kArrow2, arrows && a.y < b.y ? head : 0);
        wire->createKindRecord();
        Folio::rebuildShape(*wire);
        Shape& placed = folio.append(std::move(wire));
        if (file.programTerminal->infoBorne && !file.programTerminal->infoBorne->wire)
            linkEnd(placed, true, file.programTerminal);
        // The objects under the wire's ends: the two terminals; for a data set read
        // by several steps, the wire drawn first to the file's terminal takes it and
        // the others end on that wire, at the terminal.
        if (end->infoBorne && !end->infoBorne->wire)
            linkEnd(placed, false, end);
        else if (end->infoBorne && end->infoBorne->wire)
            linkEnd(placed, false, end->infoBorne->wire);
        ++wiresMade;
        ui.advanceProgress(++position);
    }
    ui.resetProgress();

    // 6. Two passes that move wires apart.
    timer.start(kPhaseOptimise);
    logInfo(text::kOptimising);
    ui.startProgress(2 * wiresMade, text::kOptimising);
    position = 0;
    for (int pass = 0; pass < 2; ++pass) {
        std::unordered_set<Shape*> moved;
        const std::vector<Shape*> all = layout.wires();
        for (Shape* wire : all) {
            layout.freeVerticalChannel(*wire, all, moved);
            if (wire->points.size() > 2 && wire->points[1].y == wire->points[2].y)
                layout.separateHorizontal(*wire, 1, all, moved);
            if (wire->points.size() == 6 && wire->points[3].y == wire->points[4].y)
                layout.separateHorizontal(*wire, 3, all, moved);
            rebuildGeometry(*wire);
            ui.advanceProgress(++position);
        }
        layout.rerouteMoved(moved);
    }
    layout.clearVerticalRuns();
    ui.resetProgress();

    // 7. The page count and the view.
    timer.start(kPhaseFinish);
    if (document_.documentHeight <= 0)
        document_.computeDocumentSize();
    const std::int32_t pageHeight = document_.documentHeight > 0 ? document_.documentHeight : 1;
    const std::int64_t pages = std::max<std::int64_t>(1, layout.y / pageHeight + 1);
    folio.pagesDown = static_cast<std::uint8_t>(std::min<std::int64_t>(pages, 255));
    document_.changeFolioList(&folio, kFolioPagesChanged);
    document_.setModified(true);
    if (target_)
        target_->showFolio(document_, folio);
    logInfo(text::kImported);
    return true;
}

JclImportSummary importJclFile(saoDoc& document, const std::filesystem::path& path,
                               JobFlowchartTarget* target) {
    JobFlowchart drawing(document, target);
    JclReader reader(&drawing);
    reader.importJclFile(path);
    return reader.summary();
}

JclImportSummary importJclFolder(saoDoc& document, const std::filesystem::path& folder,
                                 JobFlowchartTarget* target) {
    JobFlowchart drawing(document, target);
    JclReader reader(&drawing);
    return reader.importJclFolder(folder);
}

} // namespace plexo
