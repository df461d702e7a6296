#include "store/saodoc.h"

#include "support/storefixture.h"
#include "support/testenvironment.h"

#include "base/buffer.h"
#include "base/desktopservices.h"
#include "base/objfile.h"
#include "base/privatefile.h"
#include "shapes/saodib.h"
#include "shapes/shape.h"
#include "store/folio.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <fstream>

namespace plexo {
namespace {

using test::makeShape;
namespace fs = std::filesystem;

struct RecordingObserver : DocumentObserver {
    std::vector<std::pair<int, std::intptr_t>> seen;
    void documentChanged(int code, std::intptr_t detail) override { seen.emplace_back(code, detail); }
};

// A document saved at path with one folio "1" holding a line.
void writeSimpleDocument(const fs::path& path) {
    saoDoc doc;
    ASSERT_TRUE(doc.open({}));
    doc.setPath(path);
    Folio& folio = *doc.folios.front();
    folio.number = "1";
    folio.acquire();
    folio.append(makeShape(kLine, {{0, 0}, {1000, 1000}}));
    doc.setModified();
    ASSERT_TRUE(doc.commit(false));
    folio.release(true);
}

std::vector<std::uint8_t> fileBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void patchVersion(const fs::path& path, std::int32_t version) {
    std::fstream f(path, std::ios::in | std::ios::out | std::ios::binary);
    f.seekp(5);
    for (int i = 0; i < 4; ++i)
        f.put(static_cast<char>((version >> (8 * i)) & 0xFF));
}

saoDib smallPicture() {
    std::vector<std::uint8_t> block(40 + 16, 0);
    auto put32 = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            block[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
    };
    put32(0, 40);
    put32(4, 2);
    put32(8, 2);
    block[12] = 1;
    block[14] = 24;
    put32(20, 16);
    block[40] = 0xFF;
    return saoDib(block);
}

TEST(SaoDocTest, HeaderRecordLaysOutEveryField) {
    saoDoc doc;
    doc.paperSize = 1;
    doc.scaleIndex = 3;
    doc.portrait = 0;
    doc.horizontalGrid = 0x11223344;
    doc.verticalGrid = 5;
    doc.secondaryGrid = 6;
    doc.unitIsMm = 0;
    doc.snapToGrid = 0;
    doc.viewX = 7;
    doc.viewHeight = 10;
    doc.showTabs = 0;
    doc.showRulers = 1;
    doc.keptViewBytes[0] = 0xA1;
    doc.keptViewBytes[2] = 0xA3;
    doc.showGrid = 0;
    doc.showTerminals = 0;
    doc.zoomIndex = 8;
    doc.titleBlockName = "Cartouche A4";
    doc.titleBlockCorner = 3;
    doc.titleBlockRotated = 1;
    doc.nextSerial = 12;
    auto folio = doc.newFolio();
    folio->serial = 12;
    folio->number = "F1";
    doc.insertFolio(std::move(folio));
    Buffer buffer;
    doc.writeHeaderRecord(buffer);
    buffer.allocateMeasured();
    doc.writeHeaderRecord(buffer);
    const std::uint8_t* b = buffer.data();
    EXPECT_EQ(b[0], 1);
    EXPECT_EQ(b[1], 3);
    EXPECT_EQ(b[2], 0);
    EXPECT_EQ(b[3], 0x44);
    EXPECT_EQ(b[6], 0x11);
    EXPECT_EQ(b[7], 5);
    EXPECT_EQ(b[11], 6);
    EXPECT_EQ(b[15], 0);
    EXPECT_EQ(b[16], 0);
    EXPECT_EQ(b[17], 7);
    EXPECT_EQ(b[29], 10);
    EXPECT_EQ(b[33], 0);
    EXPECT_EQ(b[34], 1);
    EXPECT_EQ(b[35], 0xA1);
    EXPECT_EQ(b[37], 0xA3);
    EXPECT_EQ(b[38], 0);
    EXPECT_EQ(b[39], 0);
    EXPECT_EQ(b[40], 8);
    EXPECT_STREQ(reinterpret_cast<const char*>(b + 41), "Cartouche A4");
    EXPECT_EQ(b[91], 3);
    EXPECT_EQ(b[92], 1);
    // Four style records: "Times New Roman" (35 bytes), none (20), "Arial" (25), none (20).
    const int styles = 35 + 20 + 25 + 20;
    EXPECT_EQ(buffer.capacity(), kHeaderFixedPartSize + styles + 4 + 4 + kFolioHeaderSize);
    EXPECT_EQ(b[kHeaderFixedPartSize + styles], 12);
    EXPECT_EQ(b[kHeaderFixedPartSize + styles + 4], 1);
    EXPECT_STREQ(reinterpret_cast<const char*>(b + kHeaderFixedPartSize + styles + 8 + 4), "F1");

    saoDoc back;
    ASSERT_TRUE(back.readHeaderRecord(buffer));
    EXPECT_EQ(back.horizontalGrid, 0x11223344);
    EXPECT_EQ(back.keptViewBytes[2], 0xA3);
    EXPECT_EQ(back.titleBlockName, "Cartouche A4");
    EXPECT_EQ(back.zoomIndex, 8);
    EXPECT_EQ(back.nextSerial, 12);
    ASSERT_EQ(back.folios.size(), 1u);
    EXPECT_EQ(back.folios[0]->number, "F1");
    EXPECT_EQ(back.folios[0]->document, &back);
    EXPECT_EQ(back.objectStyle.fontSize, 9);
    EXPECT_TRUE(back.objectStyle.isUsable(kFont));
    EXPECT_FALSE(back.symbolStyle.isUsable(kLineWidth));
}

TEST(SaoDocTest, DamagedSerialsAreMadeUniqueSoThatFoliosNeverShareARecord) {
    struct Case {
        std::int32_t nextSerial;
        std::vector<std::int32_t> serials;
        std::int32_t newSerial; // given to a folio added afterwards
    } cases[] = {
        {3, {1, 2, 3}, 4},
        {1, {5, 5, 0}, 8}, // nextSerial below the serials in use, a duplicate, a zero
        {-7, {-1, 2}, 4},
        {INT32_MAX, {1, INT32_MAX}, 2}, // used up: the smallest free serial
    };
    for (const auto& c : cases) {
        saoDoc doc;
        doc.nextSerial = c.nextSerial;
        for (std::int32_t serial : c.serials) {
            auto f = doc.newFolio();
            f->serial = serial;
            doc.folios.push_back(std::move(f));
        }
        Buffer buffer;
        doc.writeHeaderRecord(buffer);
        buffer.allocateMeasured();
        doc.writeHeaderRecord(buffer);
        saoDoc back;
        ASSERT_TRUE(back.readHeaderRecord(buffer));
        std::vector<std::int32_t> serials;
        for (const auto& f : back.folios) {
            EXPECT_GT(f->serial, 0);
            EXPECT_EQ(std::count(serials.begin(), serials.end(), f->serial), 0) << f->serial;
            serials.push_back(f->serial);
        }
        EXPECT_EQ(back.takeNextSerial(), c.newSerial) << c.nextSerial;
    }
}

TEST(SaoDocTest, DocumentSizeFollowsPaperScaleAndOrientation) {
    struct Case {
        std::uint8_t paper, scale, portrait;
        std::int32_t width, height;
        bool landscape;
    } cases[] = {
        {1, 3, 0, 2381102, 1683778, true},    // A3 landscape at 50 %
        {0, 6, 1, 595275, 841889, false},     // A4 portrait at 100 %
        {0, 10, 1, 148818, 210472, false},    // A4 at 400 %
        {4, 0, 1, 23839370, 33703930, false}, // A0 at 10 %
    };
    for (const auto& c : cases) {
        saoDoc doc;
        doc.paperSize = c.paper;
        doc.scaleIndex = c.scale;
        doc.portrait = c.portrait;
        doc.computeDocumentSize();
        EXPECT_EQ(doc.documentWidth, c.width) << int(c.paper) << "/" << int(c.scale);
        EXPECT_EQ(doc.documentHeight, c.height) << int(c.paper) << "/" << int(c.scale);
        EXPECT_EQ(doc.printerLandscape, c.landscape);
    }
    saoDoc doc;
    doc.computeDocumentSize();
    doc.paperSize = 9; // unknown: the previous size is kept
    doc.computeDocumentSize();
    EXPECT_EQ(doc.documentWidth, 595275);
}

TEST(SaoDocTest, NewDocumentHasOneFolioAndAnUntitledWorkingCopy) {
    saoDoc doc;
    ASSERT_TRUE(doc.open({}));
    ASSERT_EQ(doc.folios.size(), 1u);
    EXPECT_EQ(doc.folios[0]->serial, 1);
    EXPECT_EQ(doc.nextSerial, 1);
    EXPECT_EQ(doc.headerLoaded, 0);
    ASSERT_NE(doc.workingCopy(), nullptr);
    fs::path copy = doc.workingCopy()->path();
    // Untitled working copies live in the per-user private folder.
    EXPECT_EQ(copy.parent_path(), privateFolder());
    EXPECT_TRUE(isPrivateFolder(copy.parent_path()));
    EXPECT_EQ(copy.filename().string().rfind("Plexo.", 0), 0u);
    EXPECT_EQ(doc.workingCopy()->kindAndVersion(), (std::pair<char, std::int32_t>{'T', 102}));
    EXPECT_EQ(doc.title(), "Sans titre : Schéma ");
    EXPECT_FALSE(doc.commit(true)); // no path: "S&auver sous..." gives one first
    doc.close();
    EXPECT_FALSE(fs::exists(copy));
}

TEST(SaoDocTest, UntitledDocumentsMadeInTheSameSecondGetTheirOwnWorkingCopy) {
    saoDoc first, second, third;
    ASSERT_TRUE(first.open({}));
    ASSERT_TRUE(second.open({}));
    ASSERT_TRUE(third.open({}));
    EXPECT_NE(first.workingCopy()->path(), second.workingCopy()->path());
    EXPECT_NE(second.workingCopy()->path(), third.workingCopy()->path());
    EXPECT_NE(first.workingCopy()->path(), third.workingCopy()->path());
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char expected[64];
    std::snprintf(expected, sizeof expected, "Plexo.%02d%02d%04d%02d%02d%02d.tmp", local.tm_mday,
                  local.tm_mon + 1, local.tm_year + 1900, local.tm_hour, local.tm_min, local.tm_sec);
    fs::path name = saoDoc::untitledWorkingCopyPath(now);
    if (!fs::exists(fs::temp_directory_path() / expected)) {
        EXPECT_EQ(name.filename().string(), expected);
    }
}

TEST(SaoDocTest, SavesReopensAndKeepsFoliosObjectsAndSettings) {
    test::TemporaryFolder folder;
    const fs::path path = folder / "plan.dls";
    test::RecordingLog log;
    {
        saoDoc doc;
        ASSERT_TRUE(doc.open({}));
        doc.setPath(path);
        doc.paperSize = 1;
        doc.titleBlockCorner = 2;
        Folio& first = *doc.folios.front();
        first.number = "2";
        first.acquire();
        first.append(makeShape(kRectangle, {{0, 0}, {5000, 5000}}, "boîte"));
        auto second = doc.newFolio();
        second->serial = ++doc.nextSerial;
        second->number = "F1";
        doc.insertFolio(std::move(second));
        doc.setModified();
        ASSERT_TRUE(doc.commit(false));
        EXPECT_FALSE(doc.isModified());
        EXPECT_TRUE(log.contains("Sauvegarde de '" + path.string() + "'"));
        first.release(true);
        EXPECT_TRUE(first.objects.empty());
    }
    ASSERT_TRUE(fs::exists(path));
    EXPECT_FALSE(fs::exists(path.string() + ".tmp")); // the working copy went with the document
    EXPECT_FALSE(fs::exists(path.string() + ".new"));
    ObjFile file;
    ASSERT_TRUE(file.open(path.string(), true, 0, 0, false));
    EXPECT_EQ(file.kindAndVersion(), (std::pair<char, std::int32_t>{'0', 102}));
    EXPECT_EQ(file.statistics().records, file.statistics().liveRecords);
    file.close();

    saoDoc doc;
    ASSERT_TRUE(doc.open(path));
    EXPECT_TRUE(log.contains("Chargement de '" + path.string() + "' [102]"));
    EXPECT_EQ(doc.title(), "plan.dls (Schéma)");
    EXPECT_EQ(doc.headerLoaded, 1);
    EXPECT_EQ(doc.paperSize, 1);
    EXPECT_EQ(doc.titleBlockCorner, 2);
    ASSERT_EQ(doc.folios.size(), 2u);
    EXPECT_EQ(doc.folios[0]->number, "F1");
    EXPECT_EQ(doc.folios[1]->number, "2");
    Folio& folio = *doc.folios[1];
    test::ScriptedUserInterface ui;
    folio.acquire();
    ASSERT_EQ(folio.objects.size(), 1u);
    EXPECT_EQ(folio.objects[0]->data, "boîte");
    EXPECT_EQ(folio.objects[0]->points[1], (Point{5000, 5000}));
    ASSERT_EQ(ui.progressStarts.size(), 1u);
    EXPECT_EQ(ui.progressStarts[0].second, "Lecture du folio 'plan.dls (Schéma)'...");
    EXPECT_EQ(ui.progressResets, 1);
    ASSERT_FALSE(ui.progressPositions.empty());
    EXPECT_EQ(ui.progressPositions.back(), ui.progressStarts[0].first);
    folio.release(false);
}

TEST(SaoDocTest, VersionsUpTo102OpenAndLaterOnesAreRefused) {
    test::TemporaryFolder folder;
    struct Case {
        std::int32_t version;
        bool opens;
    } cases[] = {{101, true}, {102, true}, {103, false}};
    for (const auto& c : cases) {
        const fs::path path = folder / ("v" + std::to_string(c.version) + ".dls");
        writeSimpleDocument(path);
        patchVersion(path, c.version);
        test::RecordingLog log;
        saoDoc doc;
        EXPECT_EQ(doc.open(path), c.opens) << c.version;
        const std::string line =
            "Impossible d'ouvrir '" + path.string() + "' [" + std::to_string(c.version) + "]";
        EXPECT_EQ(log.contains(line), !c.opens) << c.version;
        EXPECT_TRUE(
            log.contains("Chargement de '" + path.string() + "' [" + std::to_string(c.version) + "]"));
        if (!c.opens) {
            EXPECT_FALSE(fs::exists(path.string() + ".tmp"));
        }
    }
}

TEST(SaoDocTest, DamagedAndHostileFilesAreRefusedWithAMessage) {
    test::TemporaryFolder folder;
    const fs::path good = folder / "bon.dls";
    writeSimpleDocument(good);
    const auto bytes = fileBytes(good);
    auto write = [&](const std::string& name, std::vector<std::uint8_t> content) {
        fs::path p = folder / name;
        std::ofstream(p, std::ios::binary)
            .write(reinterpret_cast<const char*>(content.data()),
                   static_cast<std::streamsize>(content.size()));
        return p;
    };
    // The folio count of the header record (0, 0) sits after 93 fixed bytes, four
    // styles (35 + 20 + 25 + 20) and nextSerial.
    std::size_t headerAt = 0;
    {
        ObjFile file;
        ASSERT_TRUE(file.open(good.string(), true, 0, 0, false));
        for (const Handler& h : file.index())
            if (h.type == 0 && !h.free)
                headerAt = static_cast<std::size_t>(h.offset) + 10;
    }
    ASSERT_NE(headerAt, 0u);
    auto hugeCount = bytes;
    const std::size_t countAt = headerAt + 93 + 100 + 4;
    hugeCount[countAt + 3] = 0x7F;
    auto negativeCount = bytes;
    negativeCount[countAt + 3] = 0xFF;
    struct Case {
        const char* name;
        std::vector<std::uint8_t> content;
        bool opens;
        const char* box;  // the message box shown, or none
        std::string line; // a line logged
    } cases[] = {
        {"missing.dls", {}, false, "Impossible d'ouvrir le fichier", {}},
        {"empty.dls",
         {},
         false,
         nullptr,
         "Impossible d'ouvrir '" + (folder / "empty.dls").string() + "' [0]"},
        {"magic.dls",
         {1, 2, 3, 4, '0', 102, 0, 0, 0},
         false,
         nullptr,
         "Impossible d'ouvrir '" + (folder / "magic.dls").string() + "' [0]"},
        // The header record is cut: the file opens with the defaults, saying so.
        {"cut.dls", std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 40), true, nullptr,
         "Attention, le fichier '" + (folder / "cut.dls").string() +
             "' est endommagé : seuls ses 9 premiers octets sont lus ; l'original est gardé dans '" +
             (folder / "cut.dls.endommage").string() + "'."},
        {"huge-count.dls", hugeCount, false, "Impossible d'ouvrir le fichier", {}},
        {"negative-count.dls", negativeCount, false, "Impossible d'ouvrir le fichier", {}},
    };
    for (const auto& c : cases) {
        fs::path p = folder / c.name;
        if (std::string(c.name) != "missing.dls")
            p = write(c.name, c.content);
        test::ScriptedUserInterface ui;
        test::RecordingLog log;
        saoDoc doc;
        EXPECT_EQ(doc.open(p), c.opens) << c.name;
        if (c.box) {
            ASSERT_EQ(ui.boxes.size(), 1u) << c.name;
            EXPECT_EQ(ui.boxes[0].text, c.box);
            EXPECT_EQ(ui.boxes[0].caption, p.string());
        } else {
            EXPECT_TRUE(ui.boxes.empty()) << c.name;
        }
        if (!c.line.empty()) {
            EXPECT_TRUE(log.contains(c.line)) << c.name;
        }
        EXPECT_EQ(ui.busyDepth, 0);
        if (!c.opens) {
            EXPECT_FALSE(fs::exists(p.string() + ".tmp")) << c.name;
        } else {
            EXPECT_EQ(doc.folios.size(), 1u);
        }
    }
}

TEST(SaoDocTest, AFailedSaveKeepsThePreviousFile) {
    test::TemporaryFolder folder;
    const fs::path path = folder / "plan.dls";
    writeSimpleDocument(path);
    const auto before = fileBytes(path);
    saoDoc doc;
    ASSERT_TRUE(doc.open(path));
    doc.folios.front()->number = "changé";
    doc.setModified();
    // The new file cannot be made beside the old one.
    fs::create_directories(path.string() + ".new/occupé");
    test::ScriptedUserInterface ui;
    EXPECT_FALSE(doc.commit(false));
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "Impossible d'enregistrer le fichier");
    EXPECT_EQ(ui.boxes[0].caption, path.string());
    EXPECT_EQ(ui.boxes[0].icon, MessageIcon::Error);
    EXPECT_TRUE(doc.isModified());
    EXPECT_EQ(fileBytes(path), before);
    fs::remove_all(path.string() + ".new");
    EXPECT_TRUE(doc.commit(false));
    EXPECT_NE(fileBytes(path), before);
}

TEST(SaoDocTest, WorkingCopyGoesToTheTemporaryFolderWhenItCannotSitBesideTheDocument) {
    test::TemporaryFolder folder;
    const fs::path path = folder / "plan.dls";
    writeSimpleDocument(path);
    fs::create_directories(path.string() + ".tmp"); // the name is taken
    saoDoc doc;
    ASSERT_TRUE(doc.open(path));
    EXPECT_EQ(doc.workingCopy()->path().rfind(fs::temp_directory_path().string(), 0), 0u);
    EXPECT_TRUE(fs::is_directory(path.string() + ".tmp"));
    ASSERT_EQ(doc.folios.size(), 1u);
    doc.setModified();
    EXPECT_TRUE(doc.commit(false));
}

TEST(SaoDocTest, FolioListChangesNotifyTheViews) {
    saoDoc doc;
    ASSERT_TRUE(doc.open({}));
    RecordingObserver views;
    doc.addObserver(&views);
    doc.folios.front()->number = "5";
    auto added = doc.newFolio();
    added->number = "9";
    added->serial = ++doc.nextSerial;
    Folio& folio = doc.insertFolio(std::move(added));
    doc.changeFolioList(&folio, kFolioAdded);
    EXPECT_TRUE(doc.isModified());
    folio.number = "1";
    doc.changeFolioList(&folio, kFolioResorted);
    EXPECT_EQ(doc.folios.front().get(), &folio);
    doc.setModified(false);
    doc.changeFolioList(&folio, kFolioPagesChanged);
    EXPECT_TRUE(doc.isModified()); // page counts are saved with the header
    doc.changeFolioList(&folio, kFolioDeleted);
    EXPECT_EQ(doc.folios.size(), 1u);
    // Deleting also reports the selection (the folio's objects are deleted first).
    std::erase_if(views.seen, [](const auto& n) { return n.first != kNotifyFolioListChanged; });
    EXPECT_EQ(views.seen,
              (std::vector<std::pair<int, std::intptr_t>>{{102, 0}, {102, 1}, {102, 2}, {102, 3}, {102, 4}}));
    doc.removeObserver(&views);
}

TEST(SaoDocTest, DeletingAFolioAsksAndTheOnlyFolioIsKept) {
    saoDoc doc;
    ASSERT_TRUE(doc.open({}));
    test::ScriptedUserInterface ui;
    EXPECT_FALSE(doc.deleteFolio(*doc.folios.front()));
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "Vous ne pouvez pas supprimer ce folio,\nil doit y en avoir au moins un.");
    EXPECT_EQ(ui.boxes[0].caption, "Suppression de folio");
    EXPECT_EQ(ui.boxes[0].icon, MessageIcon::Warning);

    Folio* second = doc.addFolio([](Folio& f, FolioDialogKind kind) {
        f.number = "F2";
        return kind == FolioDialogKind::NewFolio;
    });
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->serial, 2);
    for (MessageAnswer answer : {MessageAnswer::No, MessageAnswer::Cancel, MessageAnswer::Yes}) {
        ui.boxes.clear();
        ui.answers.push_back(answer);
        EXPECT_EQ(doc.deleteFolio(*second), answer == MessageAnswer::Yes);
        ASSERT_EQ(ui.boxes.size(), 1u);
        EXPECT_EQ(ui.boxes[0].text, "Souhaitez-vous supprimer le folio 'F2' ?");
        EXPECT_EQ(ui.boxes[0].buttons, MessageButtons::YesNoCancel);
        EXPECT_EQ(ui.boxes[0].icon, MessageIcon::Question);
    }
    EXPECT_EQ(doc.folios.size(), 1u);
}

TEST(SaoDocTest, FolioDialogsDecideAndCancelChangesNothing) {
    saoDoc doc;
    ASSERT_TRUE(doc.open({}));
    EXPECT_EQ(doc.addFolio([](Folio&, FolioDialogKind) { return false; }), nullptr);
    EXPECT_EQ(doc.folios.size(), 1u);
    EXPECT_EQ(doc.nextSerial, 1);
    Folio& folio = *doc.folios.front();
    folio.number = "B";
    EXPECT_FALSE(doc.editFolioInformation(folio, [](Folio& f, FolioDialogKind kind) {
        EXPECT_EQ(kind, FolioDialogKind::Information);
        f.number = "Z";
        return false;
    }));
    EXPECT_EQ(folio.number, "B");
    EXPECT_TRUE(doc.editFolioInformation(folio, [](Folio& f, FolioDialogKind) {
        f.author = "Moi";
        return true;
    }));
    EXPECT_EQ(folio.author, "Moi");
}

TEST(SaoDocTest, CopiesAFolioUnderAnotherNameAndThroughTheClipboard) {
    test::ScriptedUserInterface ui;
    saoDoc doc;
    ASSERT_TRUE(doc.open({}));
    Folio& source = *doc.folios.front();
    source.number = "1";
    source.author = "Durand";
    source.titles[1] = "Puissance";
    source.date = "01/01/2000";
    source.pagesAcross = 2;
    source.acquire();
    Shape& a = source.append(makeShape(kWire, {{0, 0}, {100, 0}}));
    Shape& b = source.append(makeShape(kWire, {{50, 0}, {50, 100}}));
    b.infoFil->amont = &a;
    source.append(makeShape(kLine, {{0, 0}, {1, 1}})).alive = false;

    Folio* copy = doc.copyFolioUnderAnotherName(source, [](Folio& f, FolioDialogKind) {
        f.number = "2";
        return true;
    });
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->author, "Durand");
    EXPECT_EQ(copy->titles[1], "Puissance");
    EXPECT_EQ(copy->pagesAcross, 2);
    EXPECT_EQ(copy->date, Folio::today());
    EXPECT_EQ(copy->serial, 2);
    EXPECT_TRUE(copy->objects.empty()); // written to the store, not held
    copy->acquire();
    ASSERT_EQ(copy->objects.size(), 2u);
    EXPECT_EQ(copy->objects[1]->infoFil->amont, copy->objects[0].get());
    copy->release(false);
    // Releasing the copy closed the pending action: the dead object of the source went.
    EXPECT_EQ(source.objects.size(), 2u);

    ASSERT_TRUE(doc.copyFolioToClipboard(source));
    Folio* pasted = doc.pasteFolioFromClipboard();
    ASSERT_NE(pasted, nullptr);
    EXPECT_EQ(pasted->serial, 3);
    EXPECT_EQ(pasted->number, "1");
    pasted->acquire();
    EXPECT_EQ(pasted->objects.size(), 2u);
    pasted->release(false);
    EXPECT_EQ(doc.folios.size(), 3u);
    source.release(false);

    ui.setClipboardData("Plexo100PP", {1, 2, 3});
    ui.boxes.clear();
    EXPECT_EQ(doc.pasteFolioFromClipboard(), nullptr);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "Il n'y a pas assez de mémoire pour coller.");
    EXPECT_EQ(ui.boxes[0].caption, "Coller");
}

TEST(SaoDocTest, ReleasingWithoutSavingDropsTheObjectsUnwritten) {
    test::TemporaryFolder folder;
    const fs::path path = folder / "plan.dls";
    writeSimpleDocument(path);
    saoDoc doc;
    ASSERT_TRUE(doc.open(path));
    Folio& folio = *doc.folios.front();
    folio.acquire();
    folio.acquire();
    folio.append(makeShape(kOval, {{0, 0}, {10, 10}}));
    folio.release(true);
    EXPECT_EQ(folio.objects.size(), 2u); // still held once
    folio.release(false);
    EXPECT_TRUE(folio.objects.empty());
    folio.acquire();
    EXPECT_EQ(folio.objects.size(), 1u); // the oval was never written
    folio.objects[0]->alive = false;
    folio.release(true);
    folio.acquire();
    EXPECT_TRUE(folio.objects.empty());
    folio.release(true);
}

TEST(SaoDocTest, FindsTheFolioNamedByASelectedObject) {
    saoDoc doc;
    ASSERT_TRUE(doc.open({}));
    doc.folios.front()->number = "A1";
    for (const char* number : {"F10a", "B2"}) {
        auto f = doc.newFolio();
        f->number = number;
        doc.insertFolio(std::move(f));
    }
    Folio& folio = *doc.folios.front();
    folio.append(makeShape(kText, {{0, 0}, {1, 1}}, "zz"));
    Shape& named = folio.append(makeShape(kText, {{0, 0}, {1, 1}}, "f10"));
    EXPECT_EQ(doc.findFolioForSelection(folio), nullptr);
    named.selected = true;
    ASSERT_NE(doc.findFolioForSelection(folio), nullptr);
    EXPECT_EQ(doc.findFolioForSelection(folio)->number, "F10a");
    named.data = "F10ab";
    EXPECT_EQ(doc.findFolioForSelection(folio), nullptr);
}

TEST(SaoDocTest, ArrowKeysFindTheNearestNeighbourAndZOrderMovesTheSelection) {
    saoDoc doc;
    ASSERT_TRUE(doc.open({}));
    Folio& folio = *doc.folios.front();
    auto box = [](std::int32_t l, std::int32_t t) {
        auto s = makeShape(kRectangle, {{l, t}, {l + 10, t + 10}});
        s->outline = Rect{l, t, l + 10, t + 10};
        return s;
    };
    Shape& centre = folio.append(box(100, 100));
    Shape& left1 = folio.append(box(50, 100));
    Shape& left2 = folio.append(box(80, 105));
    Shape& right = folio.append(box(200, 100));
    Shape& up = folio.append(box(100, 20));
    Shape& far = folio.append(box(500, 500));
    (void)far;
    EXPECT_EQ(doc.selectNeighbour(folio, ArrowKey::Left), nullptr); // nothing selected
    centre.selected = true;
    EXPECT_EQ(doc.selectNeighbour(folio, ArrowKey::Left), &left2);
    EXPECT_EQ(doc.selectNeighbour(folio, ArrowKey::Right), &right);
    EXPECT_EQ(doc.selectNeighbour(folio, ArrowKey::Up), &up);
    EXPECT_EQ(doc.selectNeighbour(folio, ArrowKey::Down), nullptr);
    left2.alive = false;
    EXPECT_EQ(doc.selectNeighbour(folio, ArrowKey::Left), &left1);

    EXPECT_TRUE(doc.changeZOrder(folio, ZOrder::BringForward)); // closes the action: left2 goes
    EXPECT_EQ(folio.objects.size(), 5u);
    EXPECT_EQ(folio.objects[1].get(), &centre);
    EXPECT_TRUE(doc.changeZOrder(folio, ZOrder::BringToFront));
    EXPECT_EQ(folio.objects.back().get(), &centre);
    EXPECT_FALSE(doc.changeZOrder(folio, ZOrder::BringForward));
    EXPECT_TRUE(doc.changeZOrder(folio, ZOrder::SendBackward));
    EXPECT_EQ(folio.objects[3].get(), &centre);
    EXPECT_TRUE(doc.changeZOrder(folio, ZOrder::SendToBack));
    EXPECT_EQ(folio.objects.front().get(), &centre);
    EXPECT_TRUE(doc.isModified());

    centre.style.colour = 9;
    EXPECT_TRUE(doc.takeStyleAsModel(folio));
    EXPECT_EQ(doc.objectStyle.colour, 9);
    EXPECT_EQ(doc.wireStyle.colour, 4);
}

// Desktop services that record what they are asked and fail on request.
struct FakeDesktop : DesktopServices {
    FakeDesktop() { setDesktopServices(this); }
    ~FakeDesktop() override { setDesktopServices(nullptr); }
    MediaResult openMidi(const fs::path& file) override {
        opened.push_back(file);
        return openResult;
    }
    MediaResult playMidi() override { return playResult; }
    void stopMidi() override { ++stops; }
    fs::path shortcutFolder() override { return folder; }
    bool openUrlFile(const fs::path& file) override {
        urlFiles.push_back(file);
        return true;
    }
    bool hasMailService() override { return true; }
    bool mailFile(const fs::path& file) override {
        mailed.push_back(file);
        return true;
    }
    bool saveDocument(Document& document) override { return saveSucceeds && document.commit(false); }

    std::vector<fs::path> opened, urlFiles, mailed;
    MediaResult openResult{true, {}};
    MediaResult playResult{true, {}};
    int stops = 0;
    fs::path folder;
    bool saveSucceeds = true;
};

TEST(SaoDocTest, MidiShortcutsPlayTheFileTheyNameBesideTheDocument) {
    test::TemporaryFolder folder;
    saoDoc doc;
    ASSERT_TRUE(doc.open({}));
    doc.setPath("/docs/plan.dls");
    EXPECT_EQ(doc.midiShortcutPath("chant.mid"), fs::path("/docs/chant.mid"));
    EXPECT_EQ(doc.midiShortcutPath("C:\\Musique\\chant.mid"), fs::path("C:/Musique/chant.mid"));
    EXPECT_EQ(doc.midiShortcutPath("/srv/m\xE9lodie.mid"), fs::path("/srv/mélodie.mid"));

    Folio& folio = *doc.folios.front();
    folio.append(makeShape(kMidiShortcut, {{0, 0}, {1, 1}})); // no text: skipped
    folio.append(makeShape(kMidiShortcut, {{0, 0}, {1, 1}}, "chant.mid"));
    FakeDesktop desktop;
    test::ScriptedUserInterface ui;
    EXPECT_TRUE(doc.playMidiShortcut(folio));
    ASSERT_EQ(desktop.opened.size(), 1u);
    EXPECT_EQ(desktop.opened[0], fs::path("/docs/chant.mid"));
    EXPECT_EQ(desktop.stops, 1);
    EXPECT_TRUE(ui.boxes.empty());

    struct Case {
        MediaResult open, play;
        const char* text;
        const char* caption;
    } cases[] = {
        {{false, {}}, {true, {}}, "Impossible d'exécuter le fichier Midi (1)", "Midi"},
        {{true, {}}, {false, {}}, "Impossible d'exécuter le fichier Midi (2)", "Midi"},
        {{false, "Périphérique occupé"},
         {true, {}},
         "Périphérique occupé",
         "open \"sequencer!/docs/chant.mid\" alias sequence"},
        {{true, {}}, {false, "Fichier illisible"}, "Fichier illisible", "play sequence"},
    };
    for (const auto& c : cases) {
        desktop.openResult = c.open;
        desktop.playResult = c.play;
        ui.boxes.clear();
        EXPECT_FALSE(doc.playMidiShortcut(folio));
        ASSERT_EQ(ui.boxes.size(), 1u);
        EXPECT_EQ(ui.boxes[0].text, c.text);
        EXPECT_EQ(ui.boxes[0].caption, c.caption);
        EXPECT_EQ(ui.boxes[0].icon, MessageIcon::Warning);
    }

    // The default services have no sequencer.
    setDesktopServices(nullptr);
    ui.boxes.clear();
    EXPECT_FALSE(doc.playMidiShortcut(folio));
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "Impossible d'exécuter le fichier Midi (1)");
    setDesktopServices(&desktop);
}

TEST(SaoDocTest, InternetShortcutsAreWrittenWholeAndHandedToTheDesktop) {
    test::TemporaryFolder folder;
    FakeDesktop desktop;
    desktop.folder = folder.path();
    saoDoc doc;
    ASSERT_TRUE(doc.open({}));
    Folio& folio = *doc.folios.front();
    Shape& link = folio.append(makeShape(kText, {{0, 0}, {1, 1}}, "http://exemple.org/un/tres/long/chemin"));
    EXPECT_FALSE(doc.openInternetShortcut(folio)); // nothing selected
    link.selected = true;
    EXPECT_TRUE(doc.openInternetShortcut(folio));
    link.data = "http://a.fr";
    EXPECT_TRUE(doc.openInternetShortcut(folio));
    ASSERT_EQ(desktop.urlFiles.size(), 2u);
    EXPECT_EQ(desktop.urlFiles[1], folder / "plexo.url");
    auto bytes = fileBytes(folder / "plexo.url");
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "[InternetShortcut]\r\nURL=http://a.fr\r\n");
}

TEST(SaoDocTest, MailingAskToSaveAModifiedDocumentFirst) {
    test::TemporaryFolder folder;
    FakeDesktop desktop;
    test::ScriptedUserInterface ui;
    const fs::path path = folder / "plan.dls";
    writeSimpleDocument(path);
    saoDoc doc;
    ASSERT_TRUE(doc.open(path));
    doc.setModified();
    ui.answers.push_back(MessageAnswer::Cancel);
    EXPECT_FALSE(doc.sendByMail());
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "Vous devez enregistrer le document pour l'envoyer.");
    EXPECT_EQ(ui.boxes[0].caption, "Envoi du document");
    EXPECT_EQ(ui.boxes[0].buttons, MessageButtons::OkCancel);
    EXPECT_TRUE(desktop.mailed.empty());
    ui.answers.push_back(MessageAnswer::Ok);
    EXPECT_TRUE(doc.sendByMail());
    EXPECT_FALSE(doc.isModified());
    EXPECT_EQ(desktop.mailed, std::vector<fs::path>{path});
}

TEST(SaoDocTest, ANewSymbolMadeFromAPictureStartsWithThePicture) {
    test::TemporaryFolder folder;
    test::LibraryFixture fixture(folder.path());
    saoDoc doc(fixture.vide);
    doc.imageForNewSymbol = std::make_unique<saoDib>(smallPicture());
    ASSERT_TRUE(doc.open({}));
    ASSERT_EQ(doc.folios.size(), 1u);
    ASSERT_EQ(doc.folios[0]->objects.size(), 1u);
    const Shape& picture = *doc.folios[0]->objects[0];
    EXPECT_EQ(picture.kind, kDibPicture);
    EXPECT_EQ(picture.points[1], (Point{12000, 12000}));
    EXPECT_TRUE(picture.selected && picture.isNew && picture.alive);
    EXPECT_TRUE(doc.isModified());
    EXPECT_EQ(undoLabelFor(doc, doc.folios[0].get()).text, "&Annuler coller\tCtrl+Z");
    EXPECT_TRUE(doc.commit(false));
    EXPECT_NE(fixture.lib.location->children[0]->file->readRecord(kSymbolDrawingRecordType, fixture.vide->id),
              nullptr);
}

} // namespace
} // namespace plexo
