// A document holding every kind of object on several folios saves, reopens and
// writes back the same bytes; the title block resolves through the library.
#include "store/saodoc.h"

#include "support/storefixture.h"
#include "support/testenvironment.h"

#include "base/objfile.h"
#include "shapes/fontlist.h"
#include "shapes/shape.h"
#include "store/folio.h"

#include <gtest/gtest.h>

namespace plexo {
namespace {

namespace fs = std::filesystem;

TEST(RoundTripTest, EveryKindOfObjectSurvivesSaveAndReopen) {
    test::TemporaryFolder folder;
    test::LibraryFixture fixture(folder / "lib");
    const fs::path path = folder / "complet.dls";
    std::vector<std::vector<std::uint8_t>> saved;
    {
        saoDoc doc;
        ASSERT_TRUE(doc.open({}));
        doc.setPath(path);
        doc.titleBlockName = "Cartouche A4";
        doc.objectStyle.set(kColour, 3);
        for (int i = 0; i < 2; ++i) {
            Folio* folio = i == 0 ? doc.folios.front().get() : doc.addFolio([](Folio& f, FolioDialogKind) {
                f.number = "F2";
                return true;
            });
            ASSERT_NE(folio, nullptr);
            folio->acquire();
            test::appendEveryKind(*folio);
            ASSERT_EQ(folio->objects.size(), static_cast<std::size_t>(kShapeKindCount));
        }
        doc.setModified();
        ASSERT_TRUE(doc.commit(false));
        for (auto& folio : doc.folios) {
            saved.push_back(test::objectListBytes(*folio)); // renumbered by the save
            folio->release(true);
        }
    }
    test::RecordingLog log;
    saoDoc doc;
    ASSERT_TRUE(doc.open(path));
    EXPECT_EQ(doc.objectStyle.colour, 3);
    ASSERT_NE(doc.titleBlock, nullptr);
    EXPECT_EQ(doc.titleBlock->infoSymbole->labels.size(), 1u);
    ASSERT_EQ(doc.folios.size(), 2u);
    for (std::size_t i = 0; i < doc.folios.size(); ++i) {
        Folio& folio = *doc.folios[i];
        folio.acquire();
        ASSERT_EQ(folio.objects.size(), static_cast<std::size_t>(kShapeKindCount));
        EXPECT_EQ(test::objectListBytes(folio), saved[i]) << "folio " << i;
        const Shape& symbol = *folio.objects[kSymbol];
        ASSERT_EQ(symbol.infoSymbole->labels.size(), 3u);
        EXPECT_EQ(symbol.infoSymbole->labels[2].text, "L2");
        EXPECT_EQ(symbol.infoSymbole->block, std::string("\x01\x02\x00\x03", 4));
        const Shape& wire = *folio.objects[kWire];
        EXPECT_EQ(wire.infoFil->amont, symbol.infoSymbole->labels[0].shape.get());
        EXPECT_EQ(symbol.infoSymbole->labels[1].shape->infoBorne->wire, &wire);
        EXPECT_EQ(folio.objects[kCable]->infoFil->amont, &wire);
        EXPECT_EQ(folio.objects[kCalendar]->infoCalendrier->notes[0].text, "F\xEAte");
        EXPECT_EQ(folio.objects[kSequence]->infoSequence->events.size(), 2u);
        EXPECT_EQ(folio.objects[kDibPicture]->dib->block(), test::smallDibBlock());
        EXPECT_EQ(folio.objects[kChordGrid]->style.tuning[5], 65);
    }
    EXPECT_EQ(fixture.moteur->useCount, 2);
    for (auto& folio : doc.folios)
        folio->release(false);
    EXPECT_EQ(fixture.moteur->useCount, 0);
    EXPECT_TRUE(log.messages.size() == 1 && log.contains("Chargement de")) << log.messages.size();
}

TEST(RoundTripTest, AnUninstalledFaceKeepsItsNameThroughASave) {
    test::TemporaryFolder folder;
    const fs::path path = folder / "police.dls";
    {
        saoDoc doc;
        ASSERT_TRUE(doc.open({}));
        doc.setPath(path);
        Folio& folio = *doc.folios.front();
        folio.acquire();
        auto text = test::makeShape(kText, {{0, 0}, {100, 100}}, "x");
        text->style.set(kFont, fontList().addFace("Police Lointaine"));
        folio.append(std::move(text));
        doc.setModified();
        ASSERT_TRUE(doc.commit(false));
        folio.release(true);
    }
    // Another session: the face is not installed.
    fontList().setInstalledFonts({"Arial"});
    {
        saoDoc doc;
        ASSERT_TRUE(doc.open(path));
        Folio& folio = *doc.folios.front();
        folio.acquire();
        ASSERT_EQ(folio.objects.size(), 1u);
        EXPECT_EQ(fontList().faceName(folio.objects[0]->style.font), "Police Lointaine");
        doc.setModified();
        ASSERT_TRUE(doc.commit(false));
        folio.release(true);
    }
    fontList().setInstalledFonts({});
    saoDoc doc;
    ASSERT_TRUE(doc.open(path));
    Folio& folio = *doc.folios.front();
    folio.acquire();
    EXPECT_EQ(fontList().faceName(folio.objects[0]->style.font), "Police Lointaine");
    folio.release(false);
}

TEST(RoundTripTest, AnUnresolvableTitleBlockIsLoggedAndTheDocumentOpens) {
    test::TemporaryFolder folder;
    test::LibraryFixture fixture(folder / "lib");
    const fs::path path = folder / "cartouche.dls";
    for (const char* name : {"Absent", "Vide"}) {
        {
            saoDoc doc;
            ASSERT_TRUE(doc.open({}));
            doc.setPath(path);
            doc.titleBlockName = name;
            ASSERT_TRUE(doc.commit(true));
        }
        test::RecordingLog log;
        saoDoc doc;
        ASSERT_TRUE(doc.open(path));
        EXPECT_EQ(doc.titleBlock, nullptr);
        const char* expected = std::string(name) == "Absent" ? "*** Impossible de charger le cartouche !"
                                                             : "*** Cartouche inutilisable !";
        EXPECT_TRUE(log.contains(expected)) << name;
    }
}

} // namespace
} // namespace plexo
