#include "base/objfile.h"

#include "base/buffer.h"
#include "base/privatefile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace plexo {

namespace {

void putInt32(std::uint8_t* p, std::int32_t v) {
    auto u = static_cast<std::uint32_t>(v);
    p[0] = static_cast<std::uint8_t>(u);
    p[1] = static_cast<std::uint8_t>(u >> 8);
    p[2] = static_cast<std::uint8_t>(u >> 16);
    p[3] = static_cast<std::uint8_t>(u >> 24);
}

std::int32_t getInt32(const std::uint8_t* p) {
    return static_cast<std::int32_t>(
        static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
        static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24);
}

} // namespace

ObjFile::ObjFile(const std::string& path, bool loadIndex, char kind, std::int32_t version,
                 bool createIfMissing) {
    open(path, loadIndex, kind, version, createIfMissing);
}

ObjFile::~ObjFile() {
    close();
}

bool ObjFile::open(const std::string& path, bool withIndex, char kind, std::int32_t version,
                   bool createIfMissing) {
    close();
    path_ = path;
    fd_ = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd_ >= 0) {
        std::uint8_t header[kObjFileHeaderSize];
        if (readBytes(header, kObjFileHeaderSize) &&
            static_cast<std::uint32_t>(getInt32(header)) == kObjFileMagic) {
            kind_ = static_cast<char>(header[4]);
            version_ = getInt32(header + 5);
        }
    } else if (createIfMissing) {
        if (!create(path, kind, version))
            return false;
    } else {
        return false;
    }
    if (withIndex)
        loadIndex();
    return true;
}

bool ObjFile::openReadOnly(const std::string& path, bool withIndex) {
    close();
    path_ = path;
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0)
        return false;
    readOnly_ = true;
    std::uint8_t header[kObjFileHeaderSize];
    if (readBytes(header, kObjFileHeaderSize) &&
        static_cast<std::uint32_t>(getInt32(header)) == kObjFileMagic) {
        kind_ = static_cast<char>(header[4]);
        version_ = getInt32(header + 5);
    }
    if (withIndex)
        loadIndex();
    return true;
}

bool ObjFile::create(const std::string& path, char kind, std::int32_t version, int mode) {
    close();
    path_ = path;
    fd_ = createExclusiveFile(path, mode);
    if (fd_ < 0)
        return false;
    std::uint8_t header[kObjFileHeaderSize];
    putInt32(header, static_cast<std::int32_t>(kObjFileMagic));
    header[4] = static_cast<std::uint8_t>(kind);
    putInt32(header + 5, version);
    if (writeBytes(header, kObjFileHeaderSize)) {
        kind_ = kind;
        version_ = version;
    }
    indexed_ = true; // an empty container: its index is complete
    return true;
}

void ObjFile::close() {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    kind_ = 0;
    version_ = 0;
    index_.clear();
    readOnly_ = false;
    indexed_ = false;
    unreachableTail_ = false;
}

std::pair<char, std::int32_t> ObjFile::kindAndVersion() const {
    if (!isOpen())
        return {0, 0};
    return {kind_, version_};
}

std::int64_t ObjFile::reachableEnd() const {
    if (index_.empty())
        return kObjFileHeaderSize;
    const Handler& last = index_.back();
    return std::int64_t{last.offset} + kRecordHeaderSize + last.size;
}

bool ObjFile::cutUnreachableTail() {
    if (!isOpen() || readOnly_ || !indexed_)
        return false;
    if (fileSize() > reachableEnd() && !truncate(reachableEnd()))
        return false;
    unreachableTail_ = false;
    return true;
}

std::int64_t ObjFile::fileSize() const {
    struct stat st {};
    if (fd_ < 0 || ::fstat(fd_, &st) != 0)
        return 0;
    return static_cast<std::int64_t>(st.st_size);
}

bool ObjFile::seek(std::int64_t offset) {
    return fd_ >= 0 && offset >= 0 && ::lseek(fd_, static_cast<off_t>(offset), SEEK_SET) == offset;
}

bool ObjFile::seekToEnd() {
    return fd_ >= 0 && ::lseek(fd_, 0, SEEK_END) >= 0;
}

bool ObjFile::readBytes(void* destination, std::int64_t n) {
    if (fd_ < 0 || n < 0)
        return false;
    auto* out = static_cast<std::uint8_t*>(destination);
    while (n > 0) {
        ssize_t got = ::read(fd_, out, static_cast<std::size_t>(n));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        out += got;
        n -= got;
    }
    return true;
}

bool ObjFile::writeBytes(const void* bytes, std::int64_t n) {
    if (fd_ < 0 || readOnly_ || n < 0)
        return false;
    const auto* in = static_cast<const std::uint8_t*>(bytes);
    while (n > 0) {
        ssize_t put = ::write(fd_, in, static_cast<std::size_t>(n));
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return false;
        in += put;
        n -= put;
    }
    return true;
}

bool ObjFile::truncate(std::int64_t size) {
    return fd_ >= 0 && !readOnly_ && ::ftruncate(fd_, static_cast<off_t>(size)) == 0;
}

bool ObjFile::readHeaderAt(std::int32_t offset, Handler& header) {
    std::uint8_t raw[kRecordHeaderSize];
    if (!seek(offset) || !readBytes(raw, kRecordHeaderSize))
        return false;
    header.type = raw[0];
    header.key = getInt32(raw + 1);
    header.size = getInt32(raw + 5);
    header.free = raw[9] != 0;
    header.offset = offset;
    return true;
}

bool ObjFile::writeHeaderAt(std::int32_t offset, std::uint8_t type, std::int32_t key, std::int32_t size,
                            bool free) {
    std::uint8_t raw[kRecordHeaderSize];
    raw[0] = type;
    putInt32(raw + 1, key);
    putInt32(raw + 5, size);
    raw[9] = free ? 1 : 0;
    return seek(offset) && writeBytes(raw, kRecordHeaderSize);
}

void ObjFile::loadIndex() {
    index_.clear();
    const std::int64_t end = fileSize();
    std::int64_t offset = kObjFileHeaderSize;
    // Offsets are 32-bit in the index: the walk also ends where they would overflow.
    while (offset + kRecordHeaderSize <= end && offset <= INT32_MAX) {
        Handler h;
        if (!readHeaderAt(static_cast<std::int32_t>(offset), h))
            break;
        // A damaged header (negative size, or a payload running past the end of the
        // file) ends the walk: what follows it cannot be located.
        if (h.size < 0 || offset + kRecordHeaderSize + h.size > end)
            break;
        index_.push_back(h);
        offset += kRecordHeaderSize + static_cast<std::int64_t>(h.size);
    }
    indexed_ = true;
    unreachableTail_ = end > reachableEnd();
}

void ObjFile::insertHandler(const Handler& handler) {
    auto at = std::upper_bound(index_.begin(), index_.end(), handler.offset,
                               [](std::int32_t offset, const Handler& h) { return offset < h.offset; });
    index_.insert(at, handler);
}

bool ObjFile::writeRecord(std::uint8_t type, std::int32_t key, const Buffer& buffer) {
    if (!writable() || buffer.failed())
        return false;
    const std::int32_t n = buffer.capacity();
    if (n < 0 || !buffer.hasBlock())
        return false;

    auto old = std::find_if(index_.begin(), index_.end(),
                            [&](const Handler& h) { return !h.free && h.type == type && h.key == key; });
    std::int32_t oldOffset = old == index_.end() ? -1 : old->offset;
    auto slot =
        std::find_if(index_.begin(), index_.end(), [&](const Handler& h) { return h.free && h.size >= n; });

    std::int32_t offset;
    if (slot == index_.end()) {
        // Right after the last record a walk reaches, which is the end of the file
        // unless an earlier write failed half-way and could not be cut back.
        const std::int64_t end = indexed_ ? reachableEnd() : fileSize();
        if (end + kRecordHeaderSize + n > INT32_MAX)
            return false;
        offset = static_cast<std::int32_t>(end);
        // The payload goes first so that a failed write never leaves a header that
        // announces bytes the file does not hold.
        if (!seek(offset + kRecordHeaderSize) || !writeBytes(buffer.data(), n) ||
            !writeHeaderAt(offset, type, key, n, false)) {
            truncate(end);
            return false;
        }
        // Leftovers of such a failed write beyond the new record would be read as
        // a record by the next walk.
        const std::int64_t recordEnd = end + kRecordHeaderSize + n;
        if (fileSize() > recordEnd && !truncate(recordEnd)) {
            truncate(end);
            return false;
        }
        insertHandler(Handler{type, key, false, n, offset});
    } else {
        offset = slot->offset;
        std::int32_t slotSize = slot->size;
        if (static_cast<std::int64_t>(slotSize) > static_cast<std::int64_t>(n) + kSlotSlack) {
            const std::int32_t restOffset = offset + n + kRecordHeaderSize;
            const std::int32_t restSize = slotSize - n - kRecordHeaderSize;
            if (!writeHeaderAt(restOffset, 0, 0, restSize, true))
                return false;
            // The slot is still marked free on disk: shrink it so the records keep
            // tiling the file whatever happens next.
            if (!writeHeaderAt(offset, slot->type, slot->key, n, true))
                return false;
            slot->size = n;
            slotSize = n;
            insertHandler(Handler{0, 0, true, restSize, restOffset});
            slot = std::find_if(index_.begin(), index_.end(),
                                [&](const Handler& h) { return h.offset == offset; });
        }
        if (!seek(offset + kRecordHeaderSize) || !writeBytes(buffer.data(), n) ||
            !writeHeaderAt(offset, type, key, slotSize, false))
            return false;
        slot->type = type;
        slot->key = key;
        slot->free = false;
    }

    if (oldOffset >= 0) {
        auto oldEntry = std::find_if(index_.begin(), index_.end(),
                                     [&](const Handler& h) { return h.offset == oldOffset; });
        if (oldEntry != index_.end()) {
            oldEntry->free = true;
            writeHeaderAt(oldEntry->offset, oldEntry->type, oldEntry->key, oldEntry->size, true);
        }
        mergeFreeRecords();
    }
    return true;
}

void ObjFile::mergeFreeRecords() {
    bool merged = true;
    while (merged) {
        merged = false;
        for (std::size_t i = 0; i + 1 < index_.size(); ++i) {
            if (index_[i].free && index_[i + 1].free) {
                Handler& first = index_[i];
                first.size = first.size + index_[i + 1].size + kRecordHeaderSize;
                writeHeaderAt(first.offset, first.type, first.key, first.size, true);
                index_.erase(index_.begin() + static_cast<std::ptrdiff_t>(i) + 1);
                merged = true;
                break;
            }
        }
    }
    while (!index_.empty() && index_.back().free) {
        if (!truncate(index_.back().offset))
            break;
        index_.pop_back();
    }
}

std::unique_ptr<Buffer> ObjFile::readRecord(std::uint8_t type, std::int32_t key) {
    if (!isOpen())
        return nullptr;
    for (const Handler& entry : index_) {
        if (entry.free || entry.type != type || entry.key != key)
            continue;
        Handler onDisk;
        if (!readHeaderAt(entry.offset, onDisk))
            continue;
        if (onDisk.size == 0 || onDisk.type != type || onDisk.key != key || onDisk.free)
            continue;
        // The index size was checked against the file when it was built or written;
        // a header changed behind our back is not trusted beyond it.
        if (onDisk.size < 0 || onDisk.size > entry.size)
            continue;
        return std::make_unique<Buffer>(*this, onDisk.size);
    }
    return nullptr;
}

bool ObjFile::freeRecord(std::uint8_t type, std::int32_t key) {
    if (!isOpen() || readOnly_)
        return false;
    for (Handler& entry : index_) {
        if (!entry.free && entry.type == type && entry.key == key) {
            if (!writeHeaderAt(entry.offset, entry.type, entry.key, entry.size, true))
                return false;
            entry.free = true;
            return true;
        }
    }
    return false;
}

std::int32_t ObjFile::countRecords(std::uint8_t type) const {
    return static_cast<std::int32_t>(std::count_if(
        index_.begin(), index_.end(), [&](const Handler& h) { return !h.free && h.type == type; }));
}

bool ObjFile::copyLiveRecordsTo(ObjFile& destination) {
    if (!destination.isOpen() || !destination.truncate(kObjFileHeaderSize))
        return false;
    destination.index_.clear();
    destination.indexed_ = true;
    destination.unreachableTail_ = false;
    bool ok = true;
    const std::vector<Handler> entries = index_;
    for (const Handler& entry : entries) {
        if (entry.free)
            continue;
        Handler onDisk;
        if (!readHeaderAt(entry.offset, onDisk) || onDisk.size <= 0 || onDisk.size > entry.size)
            continue;
        Buffer payload(*this, onDisk.size);
        if (payload.failed() || !destination.writeRecord(onDisk.type, onDisk.key, payload))
            ok = false;
    }
    return ok;
}

ObjFileStatistics ObjFile::statistics() const {
    ObjFileStatistics s;
    for (const Handler& h : index_) {
        ++s.records;
        s.bytes += h.size;
        if (!h.free) {
            ++s.liveRecords;
            s.liveBytes += h.size;
            s.largestLive = std::max(s.largestLive, h.size);
        }
    }
    return s;
}

bool ObjFile::deleteFile() {
    return !path_.empty() && ::unlink(path_.c_str()) == 0;
}

} // namespace plexo
