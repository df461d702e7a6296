// The schéma document: the folios of one ".dls" file, the document settings, the
// default styles and a working copy of the file. Editing reads and writes the
// working copy; the ".dls" file is read once when the document opens and rebuilt
// as a compact copy of the working copy when it is saved. A document bound to a
// library symbol edits that symbol's single page instead, in records (4, id) and
// (5, id) of the library's container.
#pragma once

#include "base/document.h"
#include "shapes/point.h"
#include "shapes/style.h"
#include "store/schemaobserver.h"
#include "store/selection.h"
#include "store/undo.h"
#include "store/workingcopylock.h"

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace plexo {

class Buffer;
class Folio;
class EditedSymbol;
class ObjFile;
class Shape;
class saoDib;
struct RecoveryCandidate;

// Record types of the document containers.
constexpr std::uint8_t kHeaderRecordType = 0;        // key 0
constexpr std::uint8_t kFolioRecordType = 1;         // key = folio serial
constexpr std::uint8_t kSymbolHeaderRecordType = 4;  // key = symbol id, in a library
constexpr std::uint8_t kSymbolDrawingRecordType = 5; // key = symbol id, in a library

// Bytes of the document header record before the four style records.
constexpr std::int32_t kHeaderFixedPartSize = 93;
constexpr std::int32_t kTitleBlockNameSize = 50;

// The folio dialog ("DlogFolio") edits the folio it is given and answers OK (true) or cancel.
enum class FolioDialogKind { NewFolio = 1061, Information = 1060 };
using FolioDialog = std::function<bool(Folio& folio, FolioDialogKind kind)>;

// Z-order operations 0..3 (commands 1648..1651).
enum class ZOrder { BringToFront = 0, BringForward = 1, SendBackward = 2, SendToBack = 3 };
enum class ArrowKey { Left, Right, Up, Down };

// How far readHeaderRecord got, for a reader that reports damage ("plexo dump").
struct HeaderReadProgress {
    bool settings = false;        // the fixed part before the styles
    int styles = 0;               // default styles read whole, of four
    std::int32_t folioCount = -1; // as stored; -1 when it was not read or is impossible
};

struct PresentationTime {
    int hours = 0;
    int minutes = 0;
    int seconds = 0;
    bool isZero() const { return hours == 0 && minutes == 0 && seconds == 0; }
};

class saoDoc : public Document {
public:
    // symbolNode: the library symbol this document edits, or none.
    explicit saoDoc(EditedSymbol* symbolNode = nullptr);
    ~saoDoc() override;

    // Document
    bool open(const std::filesystem::path& path) override;
    bool commit(bool force) override;
    void close() override;
    bool canSaveAs() const override { return symbolNode == nullptr; }
    std::string title() const override;
    std::string typeName() const override { return "Schéma"; }

    // Settings (stored in the header record).
    std::uint8_t paperSize = 0;          // 0 A4, 1 A3, 2 A2, 3 A1, 4 A0
    std::uint8_t scaleIndex = 6;         // 10, 25, 33, 50, 66, 75, 100, 125, 150, 200, 400 %
    std::uint8_t portrait = 1;           // 0 landscape
    std::int32_t horizontalGrid = 28346; // 10 mm in units
    std::int32_t verticalGrid = 28346;
    std::int32_t secondaryGrid = 2834; // 1 mm
    std::uint8_t unitIsMm = 1;
    std::uint8_t snapToGrid = 1;
    std::uint8_t showTerminals = 1;
    std::int32_t viewX = 0, viewY = 0, viewWidth = 0, viewHeight = 0;
    std::uint8_t showTabs = 1, showRulers = 1;
    std::uint8_t keptViewBytes[3] = {0, 0, 0}; // three bytes kept as read
    std::uint8_t showGrid = 1;
    std::uint8_t zoomIndex = 5;        // 0..8, 10 % .. 200 %
    std::string titleBlockName;        // Windows-1252, at most 49 bytes; empty for none
    std::uint8_t titleBlockCorner = 0; // 0 top-left, 1 top-right, 2 bottom-left, 3 bottom-right
    std::uint8_t titleBlockRotated = 0;
    Style objectStyle;           // new drawing objects
    Style symbolStyle;           // new symbol objects
    Style wireStyle;             // new wires and cables
    Style fourthStyle;           // the rubber band's; kept and stored
    std::int32_t nextSerial = 0; // the serial last given to a folio
    std::uint8_t headerLoaded = 0;

    // Computed.
    std::int32_t documentWidth = 0;
    std::int32_t documentHeight = 0;
    bool printerLandscape = false; // the printer settings' orientation

    EditedSymbol* symbolNode = nullptr;         // not owned
    std::vector<std::unique_ptr<Folio>> folios; // owned, sorted by number
    std::unique_ptr<Shape> titleBlock;          // owned; none when unusable
    PresentationTime presentationTime;
    // A picture that becomes the first object of a new symbol (set before open).
    std::unique_ptr<saoDib> imageForNewSymbol;

    // The selection summary and the undo state are kept by the selection and undo
    // code (store/selection.h, store/undo.h).
    SelectionSummary selection;
    UndoState undoState;
    SearchRecord search;

    // The container that holds this document's records: the working copy, or the
    // library's container for a symbol document (nullptr when none is open).
    ObjFile* store() const;
    const ObjFile* workingCopy() const { return workingCopy_.get(); }
    bool isSymbolDocument() const { return symbolNode != nullptr; }

    // A new folio of this document with the defaults (no serial yet).
    std::unique_ptr<Folio> newFolio();
    // Inserts in number order, after equal numbers.
    Folio& insertFolio(std::unique_ptr<Folio> folio);
    std::unique_ptr<Folio> takeFolio(Folio* folio);
    int indexOf(const Folio* folio) const;
    // The serial for a new folio: nextSerial + 1 (nextSerial advances).
    std::int32_t takeNextSerial();
    Folio* folioAt(int index) const;

    // Header record: the views store their state (103), the folios in memory write
    // their objects, then record (0, 0) — (4, id) for a symbol — is written.
    bool writeHeader();
    // Reads the header record and builds the folios; a missing record keeps defaults.
    bool readHeader();
    // The header record's payload, to and from a buffer.
    void writeHeaderRecord(Buffer& buffer) const;
    bool readHeaderRecord(Buffer& buffer);
    // The same, telling how far it got; when the record is damaged, the folios whose
    // headers were read whole are filed (the editor drops them all).
    bool readHeaderRecord(Buffer& buffer, HeaderReadProgress& progress);

    // The object-list record of one folio, with progress (called by Folio).
    bool writeFolioObjects(Folio& folio);
    bool readFolioObjects(Folio& folio);

    // documentWidth/Height from the paper size, scale and orientation.
    void computeDocumentSize();
    // Builds titleBlock from titleBlockName through the symbol libraries.
    void loadTitleBlock();
    // kind 0 add, 1 re-sort, 2 page count changed, 3 delete (the folio is destroyed).
    void changeFolioList(Folio* folio, int kind);

    // Notifications to the views (store/schemaobserver.h): a view that is a
    // SchemaObserver gets the typed call, any other observer its number.
    void notifyAreaChanged(Folio& folio, const Rect& area);            // 100
    void notifyWholeDocumentChanged();                                 // 100, whole
    void notifySelectionChanged();                                     // 101
    void notifyFolioListChanged(Folio* folio, FolioListChange change); // 102
    void notifySaveViewState();                                        // 103
    void notifyReleaseFolio();                                         // 104

    // Closes the pending undoable action (commitAction): every object of every
    // folio that is no longer alive is destroyed, the others lose their changed
    // mark and take their undo copy; nothing is left to undo.
    void closePendingAction();

    // Folio commands. The dialog edits the folio and answers OK or cancel.
    Folio* addFolio(const FolioDialog& dialog);                                // 706
    bool editFolioInformation(Folio& folio, const FolioDialog& dialog);        // 707
    bool deleteFolio(Folio& folio);                                            // 708, asks first
    Folio* copyFolioUnderAnotherName(Folio& folio, const FolioDialog& dialog); // 728
    bool copyFolioToClipboard(Folio& folio);                                   // 790
    Folio* pasteFolioFromClipboard();                                          // 791

    // 784: the first folio whose number starts (ignoring case) with the text of a
    // selected object of folio; nullptr when none.
    Folio* findFolioForSelection(Folio& folio) const;
    // The alive object nearest to the single selected object of folio in the arrow's
    // direction, or nullptr.
    Shape* selectNeighbour(Folio& folio, ArrowKey key) const;
    // 1648..1651 on the single selected object of folio (not undoable).
    bool changeZOrder(Folio& folio, ZOrder operation);
    // 732: the single selected object's style becomes wireStyle (wires, cables) or objectStyle.
    bool takeStyleAsModel(Folio& folio);

    // Desktop operations (through desktopServices()).
    bool openInternetShortcut(Folio& folio); // 785
    bool playMidiShortcut(Folio& folio);     // 787
    void stopMidi();                         // 788
    bool sendByMail();                       // 786
    // The file a MIDI shortcut's text names: an absolute path (or a Windows one,
    // its backslashes made slashes) as it is; a relative one in the document's
    // folder. Empty when the path is relative and the document has no folder.
    std::filesystem::path midiShortcutPath(const std::string& text) const;

    // The working copy of a document without a path: the per-user private folder
    // and "Plexo.%02d%02d%04d%02d%02d%02d.tmp" (day, month, year, hour, minute,
    // second), with "-2", "-3"... before ".tmp" for the later attempts, taken when
    // the earlier names are.
    static std::filesystem::path untitledWorkingCopyPath(std::time_t now, int attempt = 1);

    // Flushes a written file (or a folder, after a rename in it) to the disk; false
    // when it cannot. Saving calls it on the new file before it replaces the old
    // one. Replaceable so that a test can watch it or make it fail.
    static bool (*flushFile)(const std::filesystem::path& file);

    // Crash recovery (store/saodocrecovery.cpp). While the document is modified,
    // brings its working copy up to date: the folios in memory and the header
    // record are written and the file is flushed to the disk; the ".dls" file and
    // the modified flag are left alone. The copy of an unmodified document is
    // marked as holding nothing newer than its file. False on a write error.
    bool checkpoint();
    // Opens, instead of open(), the content of a working copy left behind: the
    // copy (and its lock) becomes this document's working copy and the document
    // is modified. On failure the copy stays on the disk as it was.
    bool openRecovered(const std::filesystem::path& documentPath, RecoveryCandidate&& candidate);

private:
    std::unique_ptr<ObjFile> workingCopy_;
    std::filesystem::path workingCopyPath_;
    // Held while the working copy is in use, so that no other editor takes it.
    std::unique_ptr<WorkingCopyLock> workingCopyLock_;
    bool closed_ = false;
    bool editCountRaised_ = false;
    // A symbol document's two records as last saved (nullopt: there was none).
    // Views write the page into the library as they let go of it; closing
    // without saving puts these back, so the library stays as it was.
    std::optional<std::string> savedSymbolHeader_;
    std::optional<std::string> savedSymbolPage_;
    void keepSavedSymbol();
    void restoreSavedSymbol();

    bool readHeaderRecord(Buffer& buffer, HeaderReadProgress& progress, bool keepReadFolios);
    bool openWorkingCopy();
    // Writes a compact copy of the working copy beside target, flushes it and
    // renames it over target (keeping target's permissions). False on any failure,
    // target then untouched.
    bool saveCompactCopy(const std::filesystem::path& target);
    // Gives the working copy the ".dls" file's modification time: nothing to recover.
    void markWorkingCopyUnchanged();
    void ensureFirstFolio();
    void addImageObject(Folio& folio);
    // Reads objects into a new folio from bytes written by another folio.
    bool fillCopy(Folio& target, Buffer& buffer, bool withHeader);
    // Gives the folio the next serial, files it, and writes its objects to the store.
    Folio* adoptFolio(std::unique_ptr<Folio> folio);
    Shape* singleSelected(Folio& folio) const;
    std::uint8_t headerRecordType() const;
    std::int32_t headerRecordKey() const;
    template <typename Call> void tellViews(Call call);
};

} // namespace plexo
