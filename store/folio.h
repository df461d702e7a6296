// One page of a schéma document: its identification block (always in memory)
// and its ordered list of drawing objects, loaded from the document's working
// store only while somebody holds the folio (acquire/release). The same class
// holds the single page of a library symbol.
#pragma once

#include "shapes/point.h"
#include "shapes/shapeholder.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace plexo {

class Buffer;
class Shape;
class saoDoc;

// Fixed folio header, inside the document header record and at the start of the
// folio clipboard data.
constexpr std::int32_t kFolioHeaderSize = 1302;
// Field sizes of the header (texts are NUL-terminated inside their field).
constexpr std::int32_t kFolioNumberSize = 20;
constexpr std::int32_t kFolioDateSize = 15;
constexpr std::int32_t kFolioAuthorSize = 30;
constexpr std::int32_t kFolioObjectSize = 30;
constexpr std::int32_t kFolioTitleSize = 150;
constexpr std::int32_t kFolioRevisionAuthorSize = 30;
constexpr std::int32_t kFolioRevisionDateSize = 15;
constexpr std::int32_t kFolioRevisionObjectSize = 30;
constexpr int kFolioTitleCount = 3;
constexpr int kFolioRevisionCount = 10;

// Clipboard format of a whole folio: header, then the object list.
constexpr const char* kFolioFormat = "Plex2100PP";

// A4 portrait in document units: the page of a folio outside a document.
constexpr std::int32_t kDefaultPageWidth = 595276;
constexpr std::int32_t kDefaultPageHeight = 841890;

// The size of one page of a folio's document, in document units.
struct PageSize {
    std::int32_t width = kDefaultPageWidth;
    std::int32_t height = kDefaultPageHeight;
};

enum class WhichObjects { All, Selected };
// Load reports progress; Drawing is the same without progress (library drawings).
enum class ReadMode { Load, Paste, Drawing };

class Folio : public ShapeHolder {
public:
    explicit Folio(saoDoc* document = nullptr);
    ~Folio();
    Folio(const Folio&) = delete;
    Folio& operator=(const Folio&) = delete;

    std::int32_t serial = 0;    // unique in the document, never reused; key of the object-list record
    saoDoc* document = nullptr; // not owned; none for a drawing read outside a document
    // Texts are Windows-1252 bytes, each at most its field size - 1.
    std::string number; // "N°": the folio list is sorted by it
    std::string date;   // "%02d/%02d/%04d"
    std::string author;
    std::string object;
    char index = 'A'; // revision letter
    std::array<std::string, kFolioTitleCount> titles;
    std::array<std::string, kFolioRevisionCount> revisionAuthors;
    std::array<std::string, kFolioRevisionCount> revisionDates;
    std::array<std::string, kFolioRevisionCount> revisionObjects;
    std::uint8_t pagesDown = 1;                  // at least 1
    std::uint8_t pagesAcross = 1;                // at least 1
    std::vector<std::unique_ptr<Shape>> objects; // owned; first drawn first
    std::int32_t useCount = 0;
    // The last write of the objects to the document's store failed: they stay in
    // memory, newer than the stored record, until a write succeeds (acquire does
    // not read the stale record; a release writes them even when asked not to).
    bool objectsUnwritten = false;

    // Today as "%02d/%02d/%04d" (day, month, year).
    static std::string today();

    // One more user; the first one has the document read the object list.
    void acquire();
    // One user less; the last one has the document write the list (saveObjects),
    // close its pending action and then destroys every object of the folio. When
    // the write fails the objects are kept (storeObjects).
    void release(bool saveObjects);
    // Writes the objects to the document's store. On failure a French error line
    // names the folio and the file, and objectsUnwritten keeps the objects in
    // memory; the document's next save writes them again and fails while it cannot.
    bool storeObjects();

    void writeHeader(Buffer& buffer) const;
    // Reads the 1302-byte header; page counts of 0 become 1. False when the buffer failed.
    bool readHeader(Buffer& buffer);

    // The object list (marked list of shape records) of every alive object, or of
    // every alive and selected one. With All the progress gauge is advanced to the
    // buffer's write position at the end.
    void writeObjects(Buffer& buffer, WhichObjects which) const;
    // Reads an object list and appends the accepted objects (symbols that cannot be
    // resolved are dropped with a message). Pasted objects are marked alive, new,
    // changed and selected with their undo copy taken. Reading stops at a record
    // that does not decode (the buffer failed, an unknown kind): the objects read
    // before it are kept, a line is logged and the result is false.
    bool readObjects(Buffer& buffer, ReadMode how);

    // Numbers every object from 1 in list order, a symbol's labels right after the
    // symbol, then stores in each wire its end objects' numbers (0 for a free end).
    void renumberObjects();
    // After a load: turns the wires' end numbers back into links, then the wires
    // whose ends no longer lie on them (a symbol whose terminals moved in its
    // library since) follow them. With first, only the objects from that index are
    // relinked, among themselves (pasted objects join each other, never the
    // objects before them).
    void relinkWires(std::size_t first = 0);
    // The wires from index first whose joined ends lie away from their terminal or
    // wire follow them (shapes/wires.h, followEnds), with the orthogonal elbows of
    // control wires.
    void followDisplacedWireEnds(std::size_t first = 0);

    // Every alive wire and cable attaches its free ends to a terminal or a wire
    // lying under them (shapes/wires.h, connectLooseEnds).
    void connectLooseWireEnds();
    // The same for the wire ends lying inside area only (where something changed:
    // nowhere else can an end have found a terminal or a wire to join).
    void connectLooseWireEnds(const Rect& area);
    // Every object forgets its links to objects that are no longer alive.
    void dropDeadLinks();
    // For a control wire whose segment ending at pointIndex (0-based) moved by
    // (dx, dy): the attached wire ends that lay on the segment go along.
    void followWireSegment(std::int32_t dx, std::int32_t dy, Shape& wire, int pointIndex);

    // False when a symbol's top or bottom edge lies strictly between y1 and y2 and
    // it spans x1..x2 (left <= x1, right >= x2); used by the JCL layout.
    bool isBandFreeOfSymbols(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) const;

    // The folio clipboard data: renumbers, then the header and every alive object.
    std::vector<std::uint8_t> clipboardData();
    // Reads the folio clipboard data: header (serial included) and objects (loaded
    // as a load, not selected). False when the data is damaged; what decoded is kept.
    bool readClipboardData(Buffer& buffer);

    // Appends an object and makes it belong to this folio.
    Shape& append(std::unique_ptr<Shape> shape);
    // Destroys one object (it leaves the list; links to it are dropped first).
    void destroyObject(Shape* shape);
    // Destroys every object.
    void destroyObjects();
    // Destroys the objects that are not alive (the links of the others to them are
    // dropped first); the others lose their changed mark. The undo recording's
    // purge of the objects the last action deleted.
    void destroyDeadObjects();

    std::int32_t pageCount() const override { return std::int32_t{pagesAcross} * pagesDown; }
    // The folio's extent from (0, 0): its pages across and down times the
    // document's page size (an A4 portrait page without a document), each side
    // saturated to 32 bits.
    Rect extent() const;
    // One page of the document (A4 portrait without a document).
    PageSize pageSize() const;

    // What the objects ask of the folio holding them (store/folioshapeholder.cpp).
    GridSettings gridSettings() const override;
    TitleBlockPlacement titleBlockPlacement() const override;
    int pageAt(Point p) const override;
    std::optional<std::string> fieldText(FolioField field) const override;
    const std::vector<std::unique_ptr<Shape>>& heldShapes() const override { return objects; }

    // The order of the document's folio list, by number: see isNumberBefore.
    bool isBefore(const Folio& other) const { return isNumberBefore(number, other.number); }
    // A number splits into prefix (before the first digit), the value of the first
    // digit run and the suffix. Numbers with a prefix come first, prefixes compare by
    // bytes, then values, then suffixes (none first). F2 < F10 < F10a < G1 < 2 < 10.
    // Prefixes and suffixes compare byte by byte: the texts are Windows-1252 bytes,
    // for which the process locale has no collation, and the order must not change
    // between machines.
    static bool isNumberBefore(std::string_view a, std::string_view b);

    // Rebuilds an object's derived data (outline, geometry) from its points after it
    // was read: the geometry code's rebuildGeometry.
    static void rebuildShape(Shape& shape);
};

// The folio holding a shape, or none (a symbol's drawing, a loose shape).
Folio* folioOf(const Shape& shape);

} // namespace plexo
