#include "base/objfile.h"

#include "base/buffer.h"
#include "support/testenvironment.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <tuple>

namespace plexo {
namespace {

namespace fs = std::filesystem;

Buffer filled(std::int32_t n, std::uint8_t byte) {
    Buffer b(n);
    for (std::int32_t i = 0; i < n; ++i)
        b.writeByte(static_cast<std::uint8_t>(byte + i));
    return b;
}

struct Entry {
    std::int32_t offset;
    std::int32_t size;
    bool free;
};

std::vector<Entry> layout(const ObjFile& f) {
    std::vector<Entry> out;
    for (const Handler& h : f.index())
        out.push_back({h.offset, h.size, h.free});
    return out;
}

bool operator==(const Entry& a, const Entry& b) {
    return a.offset == b.offset && a.size == b.size && a.free == b.free;
}

void PrintTo(const Entry& e, std::ostream* os) {
    *os << "{" << e.offset << ", " << e.size << (e.free ? ", free}" : ", live}");
}

// The index rebuilt from the file must equal the one kept in memory.
void expectIndexMatchesDisk(const ObjFile& f) {
    ObjFile again(f.path(), true, 0, 0, false);
    EXPECT_EQ(layout(again), layout(f));
    std::int64_t end = kObjFileHeaderSize;
    for (const Handler& h : f.index())
        end = h.offset + kRecordHeaderSize + h.size;
    EXPECT_EQ(fs::file_size(f.path()), static_cast<std::uintmax_t>(end));
}

class ObjFileTest : public ::testing::Test {
protected:
    test::TemporaryFolder folder;
    std::string path = (folder / "a.dls").string();
};

TEST_F(ObjFileTest, ReplacingARecordAppendsThenReusesAndCuts) {
    ObjFile f(path, true, kDocumentFileKind, kDocumentFileVersion, true);
    ASSERT_TRUE(f.isOpen());
    EXPECT_EQ(fs::file_size(path), 9u);

    ASSERT_TRUE(f.writeRecord(1, 7, filled(100, 0)));
    EXPECT_EQ(fs::file_size(path), 119u);
    EXPECT_EQ(layout(f), (std::vector<Entry>{{9, 100, false}}));

    ASSERT_TRUE(f.writeRecord(1, 7, filled(100, 1)));
    EXPECT_EQ(fs::file_size(path), 229u);
    EXPECT_EQ(layout(f), (std::vector<Entry>{{9, 100, true}, {119, 100, false}}));

    ASSERT_TRUE(f.writeRecord(1, 7, filled(100, 2)));
    EXPECT_EQ(fs::file_size(path), 119u);
    EXPECT_EQ(layout(f), (std::vector<Entry>{{9, 100, false}}));

    auto back = f.readRecord(1, 7);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->capacity(), 100);
    EXPECT_EQ(back->data()[0], 2);
    EXPECT_EQ(back->data()[99], 101);
    expectIndexMatchesDisk(f);
}

TEST_F(ObjFileTest, SlotSplitRule) {
    // A free slot of `slot` bytes (followed by a live record so nothing is cut)
    // receives `n` bytes.
    struct Case {
        std::int32_t slot;
        std::int32_t n;
        std::vector<Entry> expected; // the slot and what follows it, before the live tail
        std::int32_t readBack;
    };
    const Case cases[] = {
        {150, 120, {{9, 120, false}, {139, 20, true}}, 120}, // 150 > 140: split
        {200, 120, {{9, 120, false}, {139, 70, true}}, 120},
        {140, 120, {{9, 140, false}}, 140}, // 140 is not > 140: whole slot
        {130, 120, {{9, 130, false}}, 130},
        {100, 120, {{9, 100, true}}, 120}, // too small: appended at the end
    };
    for (const Case& c : cases) {
        fs::remove(path);
        ObjFile f(path, true, kDocumentFileKind, kDocumentFileVersion, true);
        ASSERT_TRUE(f.writeRecord(1, 1, filled(c.slot, 0)));
        ASSERT_TRUE(f.writeRecord(1, 2, filled(10, 0)));
        f.freeRecord(1, 1);
        ASSERT_TRUE(f.writeRecord(1, 3, filled(c.n, 5)));
        std::vector<Entry> got = layout(f);
        std::vector<Entry> head(got.begin(), got.begin() + static_cast<std::ptrdiff_t>(c.expected.size()));
        EXPECT_EQ(head, c.expected) << c.slot << " <- " << c.n;
        auto back = f.readRecord(1, 3);
        ASSERT_TRUE(back);
        EXPECT_EQ(back->capacity(), c.readBack) << c.slot << " <- " << c.n;
        EXPECT_EQ(back->data()[0], 5);
        expectIndexMatchesDisk(f);
    }
}

TEST_F(ObjFileTest, FreeRecordKeepsTheFileUntilTheNextReplacement) {
    ObjFile f(path, true, kDocumentFileKind, kDocumentFileVersion, true);
    ASSERT_TRUE(f.writeRecord(1, 1, filled(50, 0)));
    ASSERT_TRUE(f.writeRecord(1, 2, filled(60, 0)));
    f.freeRecord(1, 2);
    EXPECT_EQ(fs::file_size(path), 9u + 60 + 70);
    EXPECT_EQ(f.readRecord(1, 2), nullptr);
    EXPECT_EQ(f.countRecords(1), 1);
    f.freeRecord(9, 9); // nothing of that kind: no change
    EXPECT_EQ(f.countRecords(1), 1);

    // Replacing (1, 1): the free 60-byte slot takes the 50 bytes whole (60 is not
    // > 70); the old record at 9 is freed and, not being last, stays.
    ASSERT_TRUE(f.writeRecord(1, 1, filled(50, 1)));
    EXPECT_EQ(layout(f), (std::vector<Entry>{{9, 50, true}, {69, 60, false}}));
    EXPECT_EQ(fs::file_size(path), 139u);

    // Replacing again: the slot at 9 takes it, 69 is freed, last, and cut off.
    ASSERT_TRUE(f.writeRecord(1, 1, filled(50, 2)));
    EXPECT_EQ(layout(f), (std::vector<Entry>{{9, 50, false}}));
    EXPECT_EQ(fs::file_size(path), 69u);
    expectIndexMatchesDisk(f);
}

TEST_F(ObjFileTest, FreedLastRecordIsCutByTheNextReplacement) {
    ObjFile f(path, true, kDocumentFileKind, kDocumentFileVersion, true);
    ASSERT_TRUE(f.writeRecord(1, 1, filled(10, 0))); // 9
    ASSERT_TRUE(f.writeRecord(1, 2, filled(10, 0))); // 29
    ASSERT_TRUE(f.writeRecord(1, 3, filled(10, 0))); // 49
    f.freeRecord(1, 1);
    f.freeRecord(1, 3);
    EXPECT_EQ(fs::file_size(path), 69u);
    // (1, 2) moves into the slot at 9; its old place merges with the free record at
    // 49 and, being last, is cut off.
    ASSERT_TRUE(f.writeRecord(1, 2, filled(10, 3)));
    EXPECT_EQ(layout(f), (std::vector<Entry>{{9, 10, false}}));
    EXPECT_EQ(fs::file_size(path), 29u);
    expectIndexMatchesDisk(f);
}

TEST_F(ObjFileTest, NeighbouringFreeRecordsMerge) {
    ObjFile f(path, true, kDocumentFileKind, kDocumentFileVersion, true);
    ASSERT_TRUE(f.writeRecord(1, 1, filled(10, 0))); // 9
    ASSERT_TRUE(f.writeRecord(1, 2, filled(10, 0))); // 29
    ASSERT_TRUE(f.writeRecord(1, 3, filled(10, 0))); // 49
    ASSERT_TRUE(f.writeRecord(1, 4, filled(10, 0))); // 69
    f.freeRecord(1, 2);
    ASSERT_TRUE(f.writeRecord(1, 1, filled(30, 0))); // appended at 89; 9 and 29 merge
    EXPECT_EQ(layout(f),
              (std::vector<Entry>{{9, 30, true}, {49, 10, false}, {69, 10, false}, {89, 30, false}}));
    expectIndexMatchesDisk(f);
}

TEST_F(ObjFileTest, CompactCopyHasNoFreeRecords) {
    ObjFile f(path, true, kWorkingCopyKind, kDocumentFileVersion, true);
    ASSERT_TRUE(f.writeRecord(0, 0, filled(40, 0)));
    ASSERT_TRUE(f.writeRecord(1, 1, filled(150, 3)));
    ASSERT_TRUE(f.writeRecord(1, 2, filled(10, 0)));
    f.freeRecord(1, 1);
    ASSERT_TRUE(f.writeRecord(1, 3, filled(120, 7))); // splits the 150 slot: 120 + 20 free

    const std::string copyPath = (folder / "b.dls").string();
    ObjFile copy(copyPath, true, kDocumentFileKind, kDocumentFileVersion, true);
    ASSERT_TRUE(copy.writeRecord(9, 9, filled(5, 0))); // emptied by the copy
    ASSERT_TRUE(f.copyLiveRecordsTo(copy));
    EXPECT_EQ(layout(copy), (std::vector<Entry>{{9, 40, false}, {59, 120, false}, {189, 10, false}}));
    EXPECT_EQ(fs::file_size(copyPath), 209u);
    EXPECT_EQ(copy.kindAndVersion(), std::make_pair(kDocumentFileKind, kDocumentFileVersion));
    auto back = copy.readRecord(1, 3);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->data()[0], 7);
    EXPECT_EQ(copy.readRecord(9, 9), nullptr);

    ObjFileStatistics s = f.statistics();
    EXPECT_EQ(s.records, 4);
    EXPECT_EQ(s.liveRecords, 3);
    EXPECT_EQ(s.bytes, 40 + 120 + 20 + 10);
    EXPECT_EQ(s.liveBytes, 170);
    EXPECT_EQ(s.largestLive, 120);
    expectIndexMatchesDisk(copy);
}

TEST_F(ObjFileTest, HeaderKindAndVersion) {
    {
        ObjFile created(path, true, kLibraryFileKind, kLibraryFileVersion, true);
        EXPECT_EQ(created.kindAndVersion(), std::make_pair('L', 100));
    }
    ObjFile reopened(path, true, 0, 0, false);
    EXPECT_EQ(reopened.kindAndVersion(), std::make_pair('L', 100));
    std::ifstream in(path, std::ios::binary);
    char bytes[9];
    in.read(bytes, 9);
    EXPECT_EQ(std::string(bytes, 9), std::string("\x24\x0F\x50\x00L\x64\x00\x00\x00", 9));

    ObjFile missing((folder / "none.dls").string(), true, '0', 102, false);
    EXPECT_FALSE(missing.isOpen());
    EXPECT_EQ(missing.kindAndVersion(), std::make_pair('\0', 0));
    EXPECT_EQ(missing.readRecord(1, 1), nullptr);
    EXPECT_FALSE(missing.writeRecord(1, 1, filled(4, 0)));

    struct Bad {
        const char* name;
        std::string bytes;
    };
    const Bad bad[] = {
        {"short", std::string("\x24\x0F\x50", 3)},
        {"wrong magic", std::string("\x25\x0F\x50\x00"
                                    "0\x66\x00\x00\x00",
                                    9)},
        {"empty", ""},
    };
    for (const Bad& b : bad) {
        const std::string p = (folder / "bad.dls").string();
        std::ofstream(p, std::ios::binary | std::ios::trunc) << b.bytes;
        ObjFile f(p, true, '0', 102, true);
        EXPECT_TRUE(f.isOpen()) << b.name;
        EXPECT_EQ(f.kindAndVersion(), std::make_pair('\0', 0)) << b.name;
        EXPECT_EQ(fs::file_size(p), b.bytes.size()) << b.name; // not truncated nor rewritten
    }
}

TEST_F(ObjFileTest, DamagedRecordHeadersEndTheIndexWalk) {
    auto record = [](std::uint8_t type, std::int32_t key, std::int32_t size, std::uint8_t free,
                     std::size_t payload) {
        std::string r;
        r.push_back(static_cast<char>(type));
        for (int i = 0; i < 4; ++i)
            r.push_back(static_cast<char>(static_cast<std::uint32_t>(key) >> (8 * i)));
        for (int i = 0; i < 4; ++i)
            r.push_back(static_cast<char>(static_cast<std::uint32_t>(size) >> (8 * i)));
        r.push_back(static_cast<char>(free));
        r.append(payload, 'x');
        return r;
    };
    const std::string header("\x24\x0F\x50\x00"
                             "0\x66\x00\x00\x00",
                             9);
    struct Case {
        const char* name;
        std::string tail;
        std::size_t entries;
    };
    const Case cases[] = {
        {"good then negative size", record(1, 1, 4, 0, 4) + record(1, 2, -20, 0, 30), 1},
        {"size past the end", record(1, 1, 4, 0, 4) + record(1, 2, 1000, 0, 10), 1},
        {"truncated header", record(1, 1, 4, 0, 4) + std::string("\x01\x02\x00", 3), 1},
        {"huge size", record(1, 1, INT32_MAX, 0, 4), 0},
        {"two good", record(1, 1, 4, 0, 4) + record(0, 0, 0, 1, 0), 2},
    };
    for (const Case& c : cases) {
        const std::string p = (folder / "hostile.dls").string();
        std::ofstream(p, std::ios::binary | std::ios::trunc) << header << c.tail;
        ObjFile f(p, true, 0, 0, false);
        EXPECT_EQ(f.index().size(), c.entries) << c.name;
        if (c.entries > 0) {
            auto back = f.readRecord(1, 1);
            ASSERT_TRUE(back) << c.name;
            EXPECT_EQ(back->capacity(), 4) << c.name;
        }
    }
}

TEST_F(ObjFileTest, FailedBufferIsRefused) {
    ObjFile f(path, true, kDocumentFileKind, kDocumentFileVersion, true);
    ASSERT_TRUE(f.writeRecord(1, 7, filled(20, 4)));
    Buffer bad(8);
    bad.write("123456789", 9);
    ASSERT_TRUE(bad.failed());
    EXPECT_FALSE(f.writeRecord(1, 7, bad));
    EXPECT_EQ(fs::file_size(path), 39u);
    auto back = f.readRecord(1, 7);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->data()[0], 4); // the old record stays live

    Buffer measuring; // no block
    measuring.writeInt32(1);
    EXPECT_FALSE(f.writeRecord(1, 8, measuring));
    expectIndexMatchesDisk(f);
}

TEST_F(ObjFileTest, ReadRecordChecksTheHeaderOnDisk) {
    {
        ObjFile f(path, true, kDocumentFileKind, kDocumentFileVersion, true);
        ASSERT_TRUE(f.writeRecord(1, 1, filled(4, 0)));
        ASSERT_TRUE(f.writeRecord(1, 2, filled(4, 0)));
    }
    // Change the key of the first record behind the container's back.
    ObjFile f(path, true, 0, 0, false);
    {
        std::fstream raw(path, std::ios::binary | std::ios::in | std::ios::out);
        raw.seekp(10);
        raw.put(9);
    }
    EXPECT_EQ(f.readRecord(1, 1), nullptr);
    EXPECT_NE(f.readRecord(1, 2), nullptr);
    EXPECT_EQ(f.countRecords(1), 2);
    EXPECT_EQ(f.countRecords(0), 0);
    f.close();
    EXPECT_TRUE(f.deleteFile());
    EXPECT_FALSE(fs::exists(path));
}

TEST_F(ObjFileTest, WriteErrorsAreReported) {
    if (!fs::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    // Every write to this device fails as on a full disk.
    ObjFile full("/dev/full", true, kDocumentFileKind, kDocumentFileVersion, false);
    ASSERT_TRUE(full.isOpen());
    EXPECT_FALSE(full.writeRecord(1, 1, filled(10, 0)));
    EXPECT_TRUE(full.index().empty());

    ObjFile source(path, true, kDocumentFileKind, kDocumentFileVersion, true);
    ASSERT_TRUE(source.writeRecord(1, 1, filled(10, 0)));
    EXPECT_FALSE(source.copyLiveRecordsTo(full));
}

// The bytes a crash during an append leaves: a record header announcing more
// payload than the file holds.
std::string damagedTail() {
    std::string tail("\x01\x09\x00\x00\x00\xE8\x03\x00\x00\x00", 10); // (1, 9), 1000 bytes
    tail.append(40, 'z');
    return tail;
}

std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST_F(ObjFileTest, AnUnreachableTailTakesNoWriteUntilItIsCut) {
    {
        ObjFile f(path, true, kLibraryFileKind, kLibraryFileVersion, true);
        ASSERT_TRUE(f.writeRecord(3, 0, filled(30, 1)));
        ASSERT_TRUE(f.writeRecord(5, 1, filled(12, 2)));
        EXPECT_FALSE(f.hasUnreachableTail());
    }
    std::ofstream(path, std::ios::binary | std::ios::app) << damagedTail();
    const std::string damaged = fileBytes(path);

    ObjFile f(path, true, 0, 0, false);
    ASSERT_EQ(f.index().size(), 2u);
    EXPECT_TRUE(f.hasUnreachableTail());
    EXPECT_EQ(f.reachableEnd(), 9 + 40 + 22);
    // Neither an append (it would land beyond the tail, out of every walk's reach)
    // nor a replacement (its merge would free the reachable copy).
    EXPECT_FALSE(f.writeRecord(5, 2, filled(8, 3)));
    EXPECT_FALSE(f.writeRecord(3, 0, filled(30, 4)));
    EXPECT_EQ(fileBytes(path), damaged);

    ASSERT_TRUE(f.cutUnreachableTail());
    EXPECT_FALSE(f.hasUnreachableTail());
    EXPECT_EQ(fs::file_size(path), 71u);
    ASSERT_TRUE(f.writeRecord(5, 2, filled(8, 3)));
    ASSERT_TRUE(f.writeRecord(3, 0, filled(30, 4)));
    expectIndexMatchesDisk(f);
    ObjFile again(path, true, 0, 0, false);
    EXPECT_FALSE(again.hasUnreachableTail());
    for (auto [type, key, first] : {std::tuple{3, 0, 4}, {5, 1, 2}, {5, 2, 3}}) {
        auto back = again.readRecord(static_cast<std::uint8_t>(type), key);
        ASSERT_TRUE(back) << type << "," << key;
        EXPECT_EQ(back->data()[0], first);
    }
}

TEST_F(ObjFileTest, AReadOnlyContainerReadsAndRefusesEveryWrite) {
    {
        ObjFile f(path, true, kLibraryFileKind, kLibraryFileVersion, true);
        ASSERT_TRUE(f.writeRecord(5, 1, filled(12, 2)));
        ASSERT_TRUE(f.writeRecord(5, 2, filled(12, 3)));
    }
    std::ofstream(path, std::ios::binary | std::ios::app) << damagedTail();
    const std::string before = fileBytes(path);

    ObjFile f;
    ASSERT_TRUE(f.openReadOnly(path, true));
    EXPECT_TRUE(f.isReadOnly());
    EXPECT_EQ(f.kindAndVersion(), std::make_pair('L', 100));
    auto back = f.readRecord(5, 2);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->data()[0], 3);
    EXPECT_FALSE(f.cutUnreachableTail());
    EXPECT_FALSE(f.freeRecord(5, 1));
    EXPECT_FALSE(f.writeRecord(5, 3, filled(4, 0)));
    ObjFile destination;
    ASSERT_TRUE(destination.openReadOnly(path, true));
    EXPECT_FALSE(f.copyLiveRecordsTo(destination));
    EXPECT_EQ(fileBytes(path), before);
    EXPECT_EQ(f.countRecords(5), 2);

    f.close();
    EXPECT_FALSE(f.isReadOnly());
    EXPECT_FALSE(f.openReadOnly((folder / "absent.dly").string(), true));
    EXPECT_FALSE(f.isOpen());
}

TEST_F(ObjFileTest, FreeRecordTellsWhetherItFreedOne) {
    ObjFile f(path, true, kDocumentFileKind, kDocumentFileVersion, true);
    ASSERT_TRUE(f.writeRecord(1, 1, filled(4, 0)));
    EXPECT_FALSE(f.freeRecord(1, 2));
    EXPECT_TRUE(f.freeRecord(1, 1));
    EXPECT_FALSE(f.freeRecord(1, 1));
    EXPECT_EQ(f.countRecords(1), 0);
}

} // namespace
} // namespace plexo
