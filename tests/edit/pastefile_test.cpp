// "Coller à partir de": a ".bmp" becomes a picture, a ".mid" a MIDI shortcut,
// placed as pasted objects; other files do nothing; unreadable ones say so.
#include "edit/pastefile.h"

#include "bench/render_scene.h"
#include "store/undo.h"
#include "support/drawingfixture.h"
#include "support/testenvironment.h"

#include <gtest/gtest.h>

#include <fstream>

namespace plexo {
namespace {

void writeBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

TEST(PasteFile, PicturesAndMidiShortcutsByTheirNamesEnding) {
    test::ScriptedUserInterface ui;
    test::TemporaryFolder folder;
    test::DrawingFixture f;
    f.document.snapToGrid = 0;
    const saoDib sample = scene::samplePicture();
    writeBytes(folder / "image.BMP", sample.toBmpFile());
    writeBytes(folder / "air.mid", {'M', 'T', 'h', 'd'});
    writeBytes(folder / "notes.txt", {'x'});
    writeBytes(folder / "abîmé.bmp", {'B', 'M', 1, 2, 3});

    ASSERT_TRUE(pasteFromFile(f.document, *f.folio, folder / "image.BMP", {50000, 60000}));
    ASSERT_EQ(f.folio->objects.size(), 1u);
    const Shape& picture = *f.folio->objects.back();
    EXPECT_EQ(picture.kind, kDibPicture);
    EXPECT_TRUE(picture.selected);
    EXPECT_EQ(picture.outline.left, 50000);
    EXPECT_EQ(picture.outline.top, 60000);
    EXPECT_EQ(undoLabelFor(f.document, f.folio).text, "&Annuler coller\tCtrl+Z");

    ASSERT_TRUE(pasteFromFile(f.document, *f.folio, folder / "air.mid", {50000, 60000}));
    const Shape& shortcut = *f.folio->objects.back();
    EXPECT_EQ(shortcut.kind, kMidiShortcut);
    EXPECT_EQ(shortcut.data, (folder / "air.mid").string());
    EXPECT_FALSE(picture.selected);

    // Other endings and short names do nothing and say nothing.
    EXPECT_FALSE(pasteFromFile(f.document, *f.folio, folder / "notes.txt", {0, 0}));
    EXPECT_FALSE(pasteFromFile(f.document, *f.folio, folder / "bmp", {0, 0}));
    EXPECT_TRUE(ui.boxes.empty());
    // A damaged bitmap or a missing file is reported with the file's name.
    EXPECT_FALSE(pasteFromFile(f.document, *f.folio, folder / "abîmé.bmp", {0, 0}));
    EXPECT_FALSE(pasteFromFile(f.document, *f.folio, folder / "absent.mid", {0, 0}));
    ASSERT_EQ(ui.boxes.size(), 2u);
    EXPECT_EQ(ui.boxes[0].text, "Impossible d'ouvrir le fichier.");
    EXPECT_EQ(ui.boxes[0].caption, "abîmé.bmp");
    EXPECT_EQ(ui.boxes[1].caption, "absent.mid");
    EXPECT_EQ(f.folio->objects.size(), 2u);
}

} // namespace
} // namespace plexo
