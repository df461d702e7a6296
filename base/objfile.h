// A small record store in one disk file: a 9-byte header (magic, kind, version)
// followed by records that tile the file, each addressed by a one-byte type and
// a 32-bit key. A record is never overwritten in place: the new copy is written
// first, then the old one is freed; freed space is reused first-fit, neighbours
// merge and free space at the end of the file is cut off.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace plexo {

class Buffer;

constexpr std::uint32_t kObjFileMagic = 0x00500F24; // bytes 24 0F 50 00
constexpr std::int32_t kObjFileHeaderSize = 9;      // magic, kind, version
constexpr std::int32_t kRecordHeaderSize = 10;      // type, key, size, free flag
constexpr std::int32_t kSlotSlack = 20;             // a slot is split only when larger than n + this

// Container kinds and versions.
constexpr char kDocumentFileKind = '0';
constexpr char kWorkingCopyKind = 'T';
constexpr char kLibraryFileKind = 'L';
constexpr std::int32_t kDocumentFileVersion = 102;
constexpr std::int32_t kLibraryFileVersion = 100;

// One record of the file, as the index keeps it.
struct Handler {
    std::uint8_t type = 0;
    std::int32_t key = 0;
    bool free = false;
    std::int32_t size = 0;   // payload (slot) size
    std::int32_t offset = 0; // offset of the record header in the file
};

struct ObjFileStatistics {
    std::int32_t records = 0;
    std::int32_t liveRecords = 0;
    std::int64_t bytes = 0;     // payload bytes of all records
    std::int64_t liveBytes = 0; // payload bytes of live records
    std::int32_t largestLive = 0;
};

class ObjFile {
public:
    ObjFile() = default;
    // See open().
    ObjFile(const std::string& path, bool loadIndex, char kind, std::int32_t version, bool createIfMissing);
    ~ObjFile();
    ObjFile(const ObjFile&) = delete;
    ObjFile& operator=(const ObjFile&) = delete;

    // Opens the file for reading and writing without truncating it and reads its
    // header (kind and version 0 when it is short or the magic differs). A missing
    // file is created with the given kind and version when createIfMissing is set.
    // With loadIndex the records are walked from offset 9; the walk ends at a short
    // header, a negative size or a record running past the end of the file.
    // A missing file is made as create() makes it: a dangling link is not followed.
    // Returns whether the file is open.
    bool open(const std::string& path, bool loadIndex, char kind, std::int32_t version, bool createIfMissing);
    // Makes a new, empty container with the given kind and version, exclusively:
    // false when the name is taken (a file, a folder, a symbolic link, even a
    // dangling one) or the file cannot be made. Nothing existing is opened.
    bool create(const std::string& path, char kind, std::int32_t version, int mode = 0644);
    // Opens an existing file for reading only (a library on a read-only disk or
    // without write permission): records are read, every write is refused.
    bool openReadOnly(const std::string& path, bool loadIndex);
    void close();
    bool isOpen() const { return fd_ >= 0; }
    bool isReadOnly() const { return readOnly_; }
    const std::string& path() const { return path_; }

    // (kind, version) of the header; (0, 0) when closed or unreadable.
    std::pair<char, std::int32_t> kindAndVersion() const;

    // Where the records reached by the index walk end (9 when there is none).
    std::int64_t reachableEnd() const;
    // Whether the walk stopped before the end of the file (a record header running
    // past the end, as after a crash during an append). Such a container takes no
    // write until cutUnreachableTail: a record appended after the tail would be
    // out of reach of every later walk, and the tail may be all that is left of a
    // record, which its owner may want to keep a copy of first.
    bool hasUnreachableTail() const { return unreachableTail_; }
    // Cuts the file at reachableEnd(); false when read-only or on a write error.
    bool cutUnreachableTail();

    // Stores the buffer's whole block (capacity bytes) as record (type, key),
    // replacing the live record with that type and key. A failed buffer, a closed
    // or read-only file, an unreachable tail or a write error is refused with
    // false; the records still tile the file and the old record, if any, stays
    // live. A new record goes right after the last reachable one.
    bool writeRecord(std::uint8_t type, std::int32_t key, const Buffer& buffer);
    // The payload of the first live record (type, key) whose header on disk
    // matches, or nullptr. A buffer that could not be filled comes back failed.
    std::unique_ptr<Buffer> readRecord(std::uint8_t type, std::int32_t key);
    // Marks the first live record (type, key) free on disk; no merge, no truncation.
    // False when there is none, the file is read-only or the header write failed.
    bool freeRecord(std::uint8_t type, std::int32_t key);
    std::int32_t countRecords(std::uint8_t type) const;
    // Makes destination a compact copy: its records are emptied and every live
    // record of this container is appended in offset order. False on a write error.
    bool copyLiveRecordsTo(ObjFile& destination);
    ObjFileStatistics statistics() const;
    // Deletes the file at the stored path (after the container was closed).
    bool deleteFile();

    const std::vector<Handler>& index() const { return index_; }
    std::int64_t fileSize() const;

    // Raw access at the current position, used by Buffer.
    bool seek(std::int64_t offset);
    bool seekToEnd();
    bool readBytes(void* destination, std::int64_t n);
    bool writeBytes(const void* bytes, std::int64_t n);

private:
    int fd_ = -1;
    std::string path_;
    char kind_ = 0;
    std::int32_t version_ = 0;
    std::vector<Handler> index_;
    bool readOnly_ = false;
    bool indexed_ = false;         // index_ lists every record (loaded or built from empty)
    bool unreachableTail_ = false; // see hasUnreachableTail

    void loadIndex();
    bool writable() const { return isOpen() && !readOnly_ && !unreachableTail_; }
    bool writeHeaderAt(std::int32_t offset, std::uint8_t type, std::int32_t key, std::int32_t size,
                       bool free);
    bool readHeaderAt(std::int32_t offset, Handler& header);
    void insertHandler(const Handler& handler);
    void mergeFreeRecords();
    bool truncate(std::int64_t size);
};

} // namespace plexo
