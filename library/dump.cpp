// "plexo dump" and "plexo check": a reading of a container file and of every live
// record it holds, with the editor's own record readers (without the libraries: a
// symbol object keeps its labels as stored), given out as one JSON value and as the
// list of problems found. Both come from the same reading, so a file is damaged
// for one exactly when it is for the other.
#include "library/storecommands.h"

#include "base/buffer.h"
#include "base/format.h"
#include "base/objfile.h"
#include "library/dumpstrings.h"
#include "library/libnode.h"
#include "library/recordjson.h"
#include "store/saodoc.h"

#include <fstream>
#include <iterator>
#include <memory>
#include <set>

namespace plexo {

namespace {

using namespace dumpstrings;

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
    std::vector<std::string> problems; // of the container itself
    bool opened = false;               // the file could be read at all

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
        error = format(kCannotOpen, path);
        return false;
    }
    file.opened = true;
    file.bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (file.bytes.size() < static_cast<std::size_t>(kObjFileHeaderSize)) {
        error = format(kTooShort, path, static_cast<long>(file.bytes.size()));
        return false;
    }
    if (static_cast<std::uint32_t>(file.get32(0)) != kObjFileMagic) {
        error = format(kNotPlexo, path);
        return false;
    }
    file.kind = static_cast<char>(file.bytes[4]);
    file.version = file.get32(5);
    const std::int64_t end = static_cast<std::int64_t>(file.bytes.size());
    std::int64_t offset = kObjFileHeaderSize;
    while (offset < end) {
        if (offset + kRecordHeaderSize > end) {
            file.problems.push_back(format(kHeaderCut, static_cast<long>(offset)));
            break;
        }
        RawRecord r;
        r.offset = offset;
        r.type = file.bytes[static_cast<std::size_t>(offset)];
        r.key = file.get32(static_cast<std::size_t>(offset + 1));
        r.size = file.get32(static_cast<std::size_t>(offset + 5));
        r.freeFlag = file.bytes[static_cast<std::size_t>(offset + 9)];
        if (r.size < 0) {
            file.problems.push_back(
                format(kNegativeSize, static_cast<long>(offset), static_cast<long>(r.size)));
            break;
        }
        if (offset + kRecordHeaderSize + r.size > end) {
            file.problems.push_back(format(kPastEnd, static_cast<long>(offset), static_cast<long>(r.size)));
            break;
        }
        if (r.freeFlag > 1)
            file.problems.push_back(
                format(kBadFreeFlag, static_cast<long>(offset), static_cast<int>(r.freeFlag)));
        file.records.push_back(r);
        offset += kRecordHeaderSize + r.size;
    }
    return true;
}

bool isLibrary(const RawFile& f) {
    return f.kind == kLibraryFileKind;
}

char printableKind(char kind) {
    return kind >= 0x20 && kind < 0x7F ? kind : '?';
}

// Every live record decoded once, by its type; the dump and the list of problems
// are both built from these.
struct Inspection {
    const RawFile& file;
    std::vector<DecodedRecord> decoded; // parallel to file.records (empty for free ones)
    std::vector<std::string> problems;

    explicit Inspection(const RawFile& f) : file(f), decoded(f.records.size()) {}

    const DecodedRecord* find(std::uint8_t type, std::int32_t key) const {
        for (std::size_t i = 0; i < file.records.size(); ++i) {
            const RawRecord& r = file.records[i];
            if (r.live() && r.type == type && r.key == key)
                return &decoded[i];
        }
        return nullptr;
    }
};

void decodeRecord(const RawFile& f, const RawRecord& r, DecodedRecord& out) {
    auto b = f.payload(r);
    switch (r.type) {
    case kHeaderRecordType:
    case kSymbolHeaderRecordType:
        out = decodeDocumentHeader(*b);
        break;
    case kFolioRecordType:
    case kSymbolDrawingRecordType:
        out = decodeObjectList(*b);
        break;
    case kTreeRecordType:
        out = decodeLibraryTree(*b);
        break;
    default:
        out.damage = format(kUnknownRecordType, static_cast<int>(r.type));
        return;
    }
    if (out.damage.empty() && b->remaining() > kSlotSlack)
        out.damage = format(kLeftOver, static_cast<long>(b->remaining()));
}

void inspectRecords(Inspection& in) {
    const RawFile& f = in.file;
    in.problems = f.problems;
    const bool document = f.kind == kDocumentFileKind || f.kind == kWorkingCopyKind;
    if (document ? f.version > kDocumentFileVersion || f.version <= 0
                 : !(isLibrary(f) && f.version == kLibraryFileVersion))
        in.problems.push_back(format(kUnknownFileKind, printableKind(f.kind), static_cast<long>(f.version)));
    std::set<std::pair<int, std::int32_t>> seen;
    for (std::size_t i = 0; i < f.records.size(); ++i) {
        const RawRecord& r = f.records[i];
        if (!r.live())
            continue;
        if (!seen.insert({r.type, r.key}).second)
            in.problems.push_back(format(kDuplicate, static_cast<int>(r.type), static_cast<long>(r.key),
                                         static_cast<long>(r.offset)));
        DecodedRecord& d = in.decoded[i];
        decodeRecord(f, r, d);
        if (!d.damage.empty()) {
            // The record's problem, as "check" prints it and the dump shows it.
            d.damage = format(kRecordDamaged, static_cast<int>(r.type), static_cast<long>(r.key),
                              static_cast<long>(r.offset), d.damage);
            in.problems.push_back(d.damage);
        }
    }
    if (document && !f.find(kHeaderRecordType, 0))
        in.problems.push_back(kNoHeader);
}

DumpJson containerJson(const RawFile& f) {
    DumpJson records = DumpJson::array();
    for (const auto& r : f.records)
        records.push_back(DumpJson{
            {"type", r.type}, {"key", r.key}, {"offset", r.offset}, {"size", r.size}, {"free", !r.live()}});
    return DumpJson{{"kind", std::string(1, printableKind(f.kind))},
                    {"version", f.version},
                    {"size", f.bytes.size()},
                    {"records", std::move(records)}};
}

// Adds the objects of record (type, key) to o, null when there is none; a damaged
// list ends with what decoded and an "error" beside it.
void addObjects(const Inspection& in, DumpJson& o, std::uint8_t type, std::int32_t key) {
    const DecodedRecord* list = in.find(type, key);
    o["objects"] = list ? list->value : DumpJson();
    if (list && !list->damage.empty())
        o["error"] = list->damage;
}

void addDocument(const Inspection& in, DumpJson& out) {
    const DecodedRecord* header = in.find(kHeaderRecordType, 0);
    if (!header) {
        out["document"] = nullptr;
        return;
    }
    DumpJson document = header->value;
    if (document.contains("folios"))
        for (DumpJson& folio : document["folios"])
            addObjects(in, folio, kFolioRecordType, folio["serial"].get<std::int32_t>());
    out["document"] = std::move(document);
    if (!header->damage.empty())
        out["headerError"] = header->damage;
}

void addLibrary(const Inspection& in, DumpJson& out) {
    const DecodedRecord* tree = in.find(kTreeRecordType, 0);
    out["library"] = tree ? tree->value : DumpJson();
    if (tree && !tree->damage.empty())
        out["treeError"] = tree->damage;
    std::set<std::int32_t> ids;
    for (const auto& r : in.file.records)
        if (r.live() && (r.type == kSymbolHeaderRecordType || r.type == kSymbolDrawingRecordType))
            ids.insert(r.key);
    DumpJson symbols = DumpJson::array();
    for (std::int32_t id : ids) {
        DumpJson symbol{{"id", id}};
        const DecodedRecord* header = in.find(kSymbolHeaderRecordType, id);
        symbol["header"] = header ? header->value : DumpJson();
        if (header && !header->damage.empty())
            symbol["headerError"] = header->damage;
        addObjects(in, symbol, kSymbolDrawingRecordType, id);
        symbols.push_back(std::move(symbol));
    }
    out["symbols"] = std::move(symbols);
}

} // namespace

StoreFileReport inspectStoreFile(const std::string& path) {
    StoreFileReport report;
    DumpJson out{{"file", path}};
    RawFile f;
    std::string error;
    if (!readRawFile(path, f, error)) {
        if (!f.opened) {
            report.problems = {error};
            return report;
        }
        // Not a container: still a JSON document, naming the reason.
        report.readable = true;
        report.problems = {error};
        out["containerErrors"] = report.problems;
        out["problems"] = report.problems;
        report.json = dumpText(out);
        return report;
    }
    report.readable = true;
    Inspection in(f);
    inspectRecords(in);
    out["container"] = containerJson(f);
    if (!f.problems.empty())
        out["containerErrors"] = f.problems;
    if (isLibrary(f))
        addLibrary(in, out);
    else
        addDocument(in, out);
    report.problems = std::move(in.problems);
    if (!report.problems.empty())
        out["problems"] = report.problems;
    report.json = dumpText(out);
    return report;
}

bool dumpStoreFile(const std::string& path, std::string& json, std::string& error) {
    StoreFileReport report = inspectStoreFile(path);
    if (!report.readable) {
        error = report.problems.front();
        return false;
    }
    json = std::move(report.json);
    return true;
}

std::vector<std::string> checkStoreFile(const std::string& path) {
    return inspectStoreFile(path).problems;
}

int storedObjectCount(Buffer& objectList) {
    DecodedRecord list = decodeObjectList(objectList);
    return list.damage.empty() ? list.objectCount : -1;
}

} // namespace plexo
