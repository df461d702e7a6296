// "plexo dump" and "plexo check": a raw reading of a container file and of the
// records it holds, following the stored layouts without the libraries (a symbol
// object keeps its labels as stored), written out as JSON or as a list of problems.
#include "store/storecommands.h"

#include "base/buffer.h"
#include "store/folio.h"
#include "base/objfile.h"
#include "store/saodoc.h"
#include "store/storestrings.h"
#include "base/textcodec.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <set>

namespace plexo {

namespace {

constexpr std::uint8_t kTreeRecord = 3;   // library tree, key 0
constexpr int kMaxShapeKind = 24;

// ---- JSON -------------------------------------------------------------------------

class Json {
public:
    void beginObject() { open('{'); }
    void endObject() { close('}'); }
    void beginArray() { open('['); }
    void endArray() { close(']'); }
    void key(std::string_view name) {
        separate();
        quoted(name);
        text_ += ": ";
        afterKey_ = true;
    }
    void number(std::int64_t v) {
        separate();
        text_ += std::to_string(v);
    }
    void boolean(bool v) {
        separate();
        text_ += v ? "true" : "false";
    }
    void null() {
        separate();
        text_ += "null";
    }
    // A UTF-8 string.
    void string(std::string_view utf8) {
        separate();
        quoted(utf8);
    }
    // A Windows-1252 text of a document.
    void text(std::string_view cp1252) { string(cp1252ToUtf8(cp1252)); }

    template <typename T>
    void field(std::string_view name, T v) {
        key(name);
        number(static_cast<std::int64_t>(v));
    }
    void textField(std::string_view name, std::string_view cp1252) {
        key(name);
        text(cp1252);
    }

    const std::string& str() const { return text_; }

private:
    std::string text_;
    std::vector<bool> first_;
    bool afterKey_ = false;

    void indent() {
        text_ += '\n';
        text_.append(first_.size() * 2, ' ');
    }
    void separate() {
        if (afterKey_) {
            afterKey_ = false;
            return;
        }
        if (!first_.empty()) {
            if (!first_.back())
                text_ += ',';
            first_.back() = false;
            indent();
        }
    }
    void open(char c) {
        separate();
        text_ += c;
        first_.push_back(true);
    }
    void close(char c) {
        bool empty = first_.back();
        first_.pop_back();
        if (!empty)
            indent();
        text_ += c;
    }
    void quoted(std::string_view s) {
        text_ += '"';
        for (unsigned char c : s) {
            switch (c) {
            case '"': text_ += "\\\""; break;
            case '\\': text_ += "\\\\"; break;
            case '\n': text_ += "\\n"; break;
            case '\r': text_ += "\\r"; break;
            case '\t': text_ += "\\t"; break;
            default:
                if (c < 0x20) {
                    char escape[8];
                    std::snprintf(escape, sizeof escape, "\\u%04x", c);
                    text_ += escape;
                } else {
                    text_ += static_cast<char>(c);
                }
            }
        }
        text_ += '"';
    }
};

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

// ---- record decoders ---------------------------------------------------------------
// Each reads one stored structure from the buffer into the JSON writer and returns
// false when the data does not decode (the buffer failed or a value is impossible),
// with the reason in `error`.

struct Decoder {
    Buffer& b;
    Json& j;
    std::string error;
    int shapes = 0;   // objects read by objectList

    bool failed(const char* what = nullptr) {
        if (error.empty())
            error = what ? what : strings::format("données tronquées ou incohérentes (octet %ld)",
                                                  static_cast<long>(b.readPos()));
        return false;
    }
    std::int32_t int32(std::string_view name) {
        std::int32_t v = b.getInt32();
        j.field(name, v);
        return v;
    }
    std::uint8_t byte(std::string_view name) {
        std::uint8_t v = b.getByte();
        j.field(name, v);
        return v;
    }
    void fixedText(std::string_view name, std::int32_t size) {
        std::string t;
        b.readFixedText(t, size);
        j.textField(name, t);
    }

    bool style() {
        j.beginObject();
        std::uint32_t width = 0;
        b.readUInt32(width);
        j.field("lineWidth", width);
        for (const char* name : {"lineType", "colour", "fillColour", "textColour", "shadow", "pattern", "arrow1",
                                 "arrow2"})
            byte(name);
        std::string font;
        b.readShortText(font);
        j.textField("font", font);
        int32("fontSize");
        byte("fontStyle");
        byte("textAlign");
        j.endObject();
        return !b.failed() || failed();
    }

    bool shape() {
        j.beginObject();
        int32("id");
        std::uint8_t kind = byte("kind");
        if (b.failed())
            return failed();
        if (kind > kMaxShapeKind)
            return failed(strings::format("type d'objet inconnu %d", static_cast<int>(kind)).c_str());
        j.key("style");
        if (!style())
            return false;
        int32("angle");
        std::int32_t length = b.getInt32();
        std::string text;
        if (!b.readBytes(text, length))
            return failed();
        j.textField("text", text);
        std::int32_t count = b.getInt32();
        if (!b.checkLength(count, 8))
            return failed();
        j.key("points");
        j.beginArray();
        for (std::int32_t i = 0; i < count; ++i) {
            std::int32_t x = b.getInt32();
            std::int32_t y = b.getInt32();
            j.beginArray();
            j.number(x);
            j.number(y);
            j.endArray();
        }
        j.endArray();
        bool ok = kindPart(kind);
        j.endObject();
        return ok;
    }

    bool kindPart(int kind) {
        switch (kind) {
        case 11: {
            std::int32_t size = b.getInt32();
            std::string block;
            if (!b.readBytes(block, size))
                return failed();
            // The picture's bytes are summed up by their size and an FNV-1a hash.
            std::uint64_t hash = 1469598103934665603ULL;
            for (unsigned char c : block)
                hash = (hash ^ c) * 1099511628211ULL;
            char digest[24];
            std::snprintf(digest, sizeof digest, "%016llx", static_cast<unsigned long long>(hash));
            j.key("dib");
            j.beginObject();
            j.field("blockSize", size);
            j.key("fnv1a");
            j.string(digest);
            j.endObject();
            break;
        }
        case 16: {
            j.key("symbol");
            j.beginObject();
            std::string name;
            if (!b.readText(name))
                return failed();
            j.textField("name", name);
            std::int32_t count = b.getInt32();
            if (!b.checkLength(count, 9))
                return failed();
            j.key("labels");
            j.beginArray();
            for (std::int32_t i = 0; i < count; ++i) {
                std::string text;
                if (!b.readText(text))
                    return failed();
                j.beginObject();
                j.textField("text", text);
                int32("id");
                j.endObject();
            }
            j.endArray();
            std::int32_t blockLength = b.getInt32();
            std::string block;
            if (!b.readBytes(block, blockLength))
                return failed();
            j.key("block");
            j.string(hex(block));
            int32("epx");
            int32("epy");
            j.endObject();
            break;
        }
        case 17:
        case 18:
            int32("amontId");
            int32("avalId");
            break;
        case 20:
        case 21:
            j.key("tuning");
            j.beginArray();
            for (int s = 0; s < 6; ++s)
                j.number(b.getByte());
            j.endArray();
            break;
        case 22: {
            j.key("calendar");
            j.beginObject();
            for (const char* name : {"year", "month", "secondYear", "secondMonth", "day", "monthCount"})
                int32(name);
            std::int32_t count = b.getInt32();
            if (!b.checkLength(count, 21))
                return failed();
            j.key("notes");
            j.beginArray();
            for (std::int32_t i = 0; i < count; ++i) {
                j.beginObject();
                int32("day");
                int32("month");
                int32("year");
                std::string text;
                if (!b.readText(text))
                    return failed();
                j.textField("text", text);
                byte("mark1");
                byte("mark2");
                byte("hatched");
                j.endObject();
            }
            j.endArray();
            j.endObject();
            break;
        }
        case 24: {
            std::int32_t count = b.getInt32();
            if (!b.checkLength(count, 20))
                return failed();
            j.key("events");
            j.beginArray();
            for (std::int32_t i = 0; i < count; ++i) {
                j.beginObject();
                int32("minute");
                int32("second");
                int32("position");
                b.skip(8);   // two reserved words
                j.endObject();
            }
            j.endArray();
            break;
        }
        default:
            break;
        }
        return !b.failed() || failed();
    }

    bool objectList() {
        j.beginArray();
        for (;;) {
            std::uint8_t marker = 0;
            if (!b.readByte(marker)) {
                j.endArray();
                return failed("liste d'objets sans marque de fin");
            }
            if (marker == 0)
                break;
            if (!shape()) {
                j.endArray();
                return false;
            }
            ++shapes;
        }
        j.endArray();
        return true;
    }

    // Opens the folio's JSON object; the caller closes it.
    bool folioHeader(std::int32_t* serial) {
        j.beginObject();
        if (!b.checkLength(kFolioHeaderSize))
            return failed();
        std::int32_t s = int32("serial");
        if (serial)
            *serial = s;
        fixedText("number", kFolioNumberSize);
        fixedText("date", kFolioDateSize);
        fixedText("author", kFolioAuthorSize);
        fixedText("object", kFolioObjectSize);
        std::string index(1, static_cast<char>(b.getByte()));
        if (index[0] == 0)
            index.clear();
        j.textField("index", index);
        auto texts = [&](const char* name, int count, std::int32_t size) {
            j.key(name);
            j.beginArray();
            for (int i = 0; i < count; ++i) {
                std::string t;
                b.readFixedText(t, size);
                j.text(t);
            }
            j.endArray();
        };
        texts("titles", kFolioTitleCount, kFolioTitleSize);
        texts("revisionAuthors", kFolioRevisionCount, kFolioRevisionAuthorSize);
        texts("revisionDates", kFolioRevisionCount, kFolioRevisionDateSize);
        texts("revisionObjects", kFolioRevisionCount, kFolioRevisionObjectSize);
        byte("pagesDown");
        byte("pagesAcross");
        return !b.failed() || failed();
    }

    // The document header; the folio headers are left open (each object without its
    // closing brace) so that the caller can add their objects: see dumpDocument.
    bool documentHeader(std::vector<std::int32_t>& serials, const std::function<void(std::int32_t)>& folioBody) {
        j.beginObject();
        for (const char* name : {"paperSize", "scaleIndex", "portrait"})
            byte(name);
        for (const char* name : {"horizontalGrid", "verticalGrid", "secondaryGrid"})
            int32(name);
        byte("unitIsMm");
        byte("snapToGrid");
        for (const char* name : {"viewX", "viewY", "viewWidth", "viewHeight"})
            int32(name);
        byte("showTabs");
        byte("showRulers");
        j.key("keptViewBytes");
        j.beginArray();
        for (int i = 0; i < 3; ++i)
            j.number(b.getByte());
        j.endArray();
        byte("showGrid");
        byte("showTerminals");
        byte("zoomIndex");
        fixedText("titleBlockName", kTitleBlockNameSize);
        byte("titleBlockCorner");
        byte("titleBlockRotated");
        if (b.failed()) {
            j.endObject();
            return failed();
        }
        j.key("styles");
        j.beginArray();
        bool ok = true;
        for (int i = 0; i < 4 && ok; ++i)
            ok = style();
        j.endArray();
        if (ok) {
            int32("nextSerial");
            std::int32_t count = b.getInt32();
            j.field("folioCount", count);
            if (b.failed() || count < 0 || !b.checkLength(count, kFolioHeaderSize)) {
                ok = failed("nombre de folios incohérent");
            } else {
                j.key("folios");
                j.beginArray();
                for (std::int32_t i = 0; i < count && ok; ++i) {
                    std::int32_t serial = 0;
                    ok = folioHeader(&serial);
                    if (ok) {
                        serials.push_back(serial);
                        if (folioBody)
                            folioBody(serial);
                    }
                    j.endObject();
                }
                j.endArray();
            }
        }
        j.endObject();
        return ok;
    }

    bool tree() {
        j.beginObject();
        byte("expanded");
        if (b.failed()) {
            j.endObject();
            return failed();
        }
        j.key("nodes");
        j.beginArray();
        bool ok = true;
        for (;;) {
            std::uint8_t marker = 0;
            if (!b.readByte(marker)) {
                ok = failed("arbre sans marque de fin");
                break;
            }
            if (marker == 0)
                break;
            j.beginObject();
            byte("kind");
            int32("id");
            std::string name;
            b.readText(name);
            j.textField("name", name);
            byte("expanded");
            int32("parent");
            byte("symbolType");
            j.endObject();
            if (b.failed()) {
                ok = failed();
                break;
            }
        }
        j.endArray();
        j.endObject();
        return ok;
    }
};

// ---- the container -------------------------------------------------------------------

struct RawRecord {
    std::uint8_t type = 0;
    std::int32_t key = 0;
    std::int64_t offset = 0;
    std::int32_t size = 0;
    std::uint8_t freeFlag = 0;
    bool live() const { return freeFlag == 0; }
};

struct RawFile {
    std::vector<std::uint8_t> bytes;
    char kind = 0;
    std::int32_t version = 0;
    std::vector<RawRecord> records;
    std::vector<std::string> problems;   // of the container itself

    std::int32_t get32(std::size_t at) const {
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(bytes[at]) |
                                         static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
                                         static_cast<std::uint32_t>(bytes[at + 2]) << 16 |
                                         static_cast<std::uint32_t>(bytes[at + 3]) << 24);
    }
    // The payload of a record, as a buffer.
    std::unique_ptr<Buffer> payload(const RawRecord& r) const {
        auto begin = bytes.begin() + static_cast<std::ptrdiff_t>(r.offset + kRecordHeaderSize);
        return std::make_unique<Buffer>(Buffer::Block(begin, begin + r.size));
    }
    const RawRecord* find(std::uint8_t type, std::int32_t key) const {
        for (const auto& r : records)
            if (r.live() && r.type == type && r.key == key)
                return &r;
        return nullptr;
    }
};

bool readRawFile(const std::string& path, RawFile& file, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = strings::format("Impossible d'ouvrir '%s'", path.c_str());
        return false;
    }
    file.bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (file.bytes.size() < static_cast<std::size_t>(kObjFileHeaderSize)) {
        error = strings::format("'%s' est trop court pour un fichier Plexo (%ld octets).", path.c_str(),
                                static_cast<long>(file.bytes.size()));
        return false;
    }
    if (static_cast<std::uint32_t>(file.get32(0)) != kObjFileMagic) {
        error = strings::format("'%s' n'est pas un fichier Plexo (signature incorrecte).", path.c_str());
        return false;
    }
    file.kind = static_cast<char>(file.bytes[4]);
    file.version = file.get32(5);
    const std::int64_t end = static_cast<std::int64_t>(file.bytes.size());
    std::int64_t offset = kObjFileHeaderSize;
    while (offset < end) {
        if (offset + kRecordHeaderSize > end) {
            file.problems.push_back(strings::format("Enregistrement à l'offset %ld : en-tête coupé par la fin du fichier.",
                                                    static_cast<long>(offset)));
            break;
        }
        RawRecord r;
        r.offset = offset;
        r.type = file.bytes[static_cast<std::size_t>(offset)];
        r.key = file.get32(static_cast<std::size_t>(offset + 1));
        r.size = file.get32(static_cast<std::size_t>(offset + 5));
        r.freeFlag = file.bytes[static_cast<std::size_t>(offset + 9)];
        if (r.size < 0) {
            file.problems.push_back(strings::format("Enregistrement à l'offset %ld : taille négative (%ld).",
                                                    static_cast<long>(offset), static_cast<long>(r.size)));
            break;
        }
        if (offset + kRecordHeaderSize + r.size > end) {
            file.problems.push_back(strings::format(
                "Enregistrement à l'offset %ld : sa taille (%ld) dépasse la fin du fichier.",
                static_cast<long>(offset), static_cast<long>(r.size)));
            break;
        }
        if (r.freeFlag > 1)
            file.problems.push_back(strings::format("Enregistrement à l'offset %ld : indicateur libre invalide (%d).",
                                                    static_cast<long>(offset), static_cast<int>(r.freeFlag)));
        file.records.push_back(r);
        offset += kRecordHeaderSize + r.size;
    }
    return true;
}

bool isLibrary(const RawFile& f) { return f.kind == kLibraryFileKind; }

void containerJson(const RawFile& f, Json& j) {
    j.key("container");
    j.beginObject();
    j.key("kind");
    j.string(std::string(1, f.kind >= 0x20 && f.kind < 0x7F ? f.kind : '?'));
    j.field("version", f.version);
    j.field("size", static_cast<std::int64_t>(f.bytes.size()));
    j.key("records");
    j.beginArray();
    for (const auto& r : f.records) {
        j.beginObject();
        j.field("type", r.type);
        j.field("key", r.key);
        j.field("offset", r.offset);
        j.field("size", r.size);
        j.key("free");
        j.boolean(!r.live());
        j.endObject();
    }
    j.endArray();
    j.endObject();
}

// The objects of record (type, key), or null when there is none; a damaged list
// ends with what decoded and an "error" beside it.
void objectsJson(const RawFile& f, Json& j, std::uint8_t type, std::int32_t key) {
    const RawRecord* r = f.find(type, key);
    j.key("objects");
    if (!r) {
        j.null();
        return;
    }
    auto b = f.payload(*r);
    Decoder d{*b, j, {}};
    if (!d.objectList()) {
        j.key("error");
        j.string(d.error);
    }
}

void documentJson(const RawFile& f, Json& j) {
    j.key("document");
    const RawRecord* header = f.find(kHeaderRecordType, 0);
    if (!header) {
        j.null();
        return;
    }
    auto b = f.payload(*header);
    Decoder d{*b, j, {}};
    std::vector<std::int32_t> serials;
    bool ok = d.documentHeader(serials, [&](std::int32_t serial) { objectsJson(f, j, kFolioRecordType, serial); });
    if (!ok) {
        j.key("headerError");
        j.string(d.error);
    }
}

void libraryJson(const RawFile& f, Json& j) {
    j.key("library");
    const RawRecord* tree = f.find(kTreeRecord, 0);
    if (tree) {
        auto b = f.payload(*tree);
        Decoder d{*b, j, {}};
        if (!d.tree()) {
            j.key("treeError");
            j.string(d.error);
        }
    } else {
        j.null();
    }
    std::set<std::int32_t> ids;
    for (const auto& r : f.records)
        if (r.live() && (r.type == kSymbolHeaderRecordType || r.type == kSymbolDrawingRecordType))
            ids.insert(r.key);
    j.key("symbols");
    j.beginArray();
    for (std::int32_t id : ids) {
        j.beginObject();
        j.field("id", id);
        j.key("header");
        if (const RawRecord* h = f.find(kSymbolHeaderRecordType, id)) {
            auto b = f.payload(*h);
            Decoder d{*b, j, {}};
            std::vector<std::int32_t> serials;
            if (!d.documentHeader(serials, nullptr)) {
                j.key("headerError");
                j.string(d.error);
            }
        } else {
            j.null();
        }
        objectsJson(f, j, kSymbolDrawingRecordType, id);
        j.endObject();
    }
    j.endArray();
}

// Decodes one live record by its type; false with the reason when it does not
// decode, or leaves more than the slot's slack unread.
bool recordDecodes(const RawFile& f, const RawRecord& r, std::string& reason) {
    auto b = f.payload(r);
    Json sink;
    Decoder d{*b, sink, {}};
    std::vector<std::int32_t> serials;
    bool ok = false;
    switch (r.type) {
    case kHeaderRecordType:
    case kSymbolHeaderRecordType: ok = d.documentHeader(serials, nullptr); break;
    case kFolioRecordType:
    case kSymbolDrawingRecordType: ok = d.objectList(); break;
    case kTreeRecord: ok = d.tree(); break;
    default:
        reason = strings::format("type d'enregistrement inconnu %d", static_cast<int>(r.type));
        return false;
    }
    if (!ok) {
        reason = d.error;
        return false;
    }
    if (b->remaining() > kSlotSlack) {
        reason = strings::format("%ld octets inattendus après la fin des données", static_cast<long>(b->remaining()));
        return false;
    }
    return true;
}

} // namespace

int storedObjectCount(Buffer& objectList) {
    Json sink;
    Decoder d{objectList, sink, {}};
    return d.objectList() ? d.shapes : -1;
}

bool dumpStoreFile(const std::string& path, std::string& json, std::string& error) {
    RawFile f;
    if (!readRawFile(path, f, error))
        return false;
    Json j;
    j.beginObject();
    j.key("file");
    j.string(path);
    containerJson(f, j);
    if (!f.problems.empty()) {
        j.key("containerErrors");
        j.beginArray();
        for (const auto& p : f.problems)
            j.string(p);
        j.endArray();
    }
    if (isLibrary(f))
        libraryJson(f, j);
    else
        documentJson(f, j);
    j.endObject();
    json = j.str() + "\n";
    return true;
}

std::vector<std::string> checkStoreFile(const std::string& path) {
    RawFile f;
    std::string error;
    if (!readRawFile(path, f, error))
        return {error};
    std::vector<std::string> problems = f.problems;
    const bool document = f.kind == kDocumentFileKind || f.kind == kWorkingCopyKind;
    if (document ? f.version > kDocumentFileVersion || f.version <= 0
                 : !(isLibrary(f) && f.version == kLibraryFileVersion))
        problems.push_back(strings::format("Type de fichier inconnu '%c', version %ld.",
                                           f.kind >= 0x20 && f.kind < 0x7F ? f.kind : '?',
                                           static_cast<long>(f.version)));
    std::set<std::pair<int, std::int32_t>> seen;
    for (const auto& r : f.records) {
        if (!r.live())
            continue;
        if (!seen.insert({r.type, r.key}).second)
            problems.push_back(strings::format("Enregistrement (%d, %ld) en double à l'offset %ld.",
                                               static_cast<int>(r.type), static_cast<long>(r.key),
                                               static_cast<long>(r.offset)));
        std::string reason;
        if (!recordDecodes(f, r, reason))
            problems.push_back(strings::format("Enregistrement (%d, %ld) à l'offset %ld : %s.",
                                               static_cast<int>(r.type), static_cast<long>(r.key),
                                               static_cast<long>(r.offset), reason.c_str()));
    }
    if (document && !f.find(kHeaderRecordType, 0))
        problems.push_back("En-tête du document absent (enregistrement (0, 0)).");
    return problems;
}

} // namespace plexo
