// What a folio tells the objects it holds: its document's grid and title-block
// settings, the page under a point and the texts of the title-block fields,
// with the defaults of a folio outside any document.
#include "store/folio.h"

#include "base/textcodec.h"
#include "store/saodoc.h"

#include <gtest/gtest.h>

namespace plexo {
namespace {

TEST(FolioHolder, DocumentSettingsAndDefaultsWithoutADocument) {
    Folio loose;
    const GridSettings defaults = loose.gridSettings();
    EXPECT_EQ(defaults.horizontal, 28346);
    EXPECT_EQ(defaults.secondary, 2834);
    EXPECT_TRUE(defaults.snapToGrid);
    const TitleBlockPlacement none = loose.titleBlockPlacement();
    EXPECT_EQ(none.corner, 0);
    EXPECT_FALSE(none.rotated);
    EXPECT_EQ(none.pageWidth, 0);

    saoDoc document;
    document.horizontalGrid = 14173;
    document.secondaryGrid = 1417;
    document.unitIsMm = 0;
    document.snapToGrid = 0;
    document.titleBlockCorner = 3;
    document.titleBlockRotated = 1;
    document.documentWidth = 100000;
    document.documentHeight = 50000;
    Folio folio(&document);
    const GridSettings grid = folio.gridSettings();
    EXPECT_EQ(grid.horizontal, 14173);
    EXPECT_EQ(grid.secondary, 1417);
    EXPECT_FALSE(grid.unitIsMm);
    EXPECT_FALSE(grid.snapToGrid);
    const TitleBlockPlacement place = folio.titleBlockPlacement();
    EXPECT_EQ(place.corner, 3);
    EXPECT_TRUE(place.rotated);
    EXPECT_EQ(place.pageWidth, 100000);
    EXPECT_EQ(place.pageHeight, 50000);
}

TEST(FolioHolder, PagesAreCountedAcrossThenDownAndClampedToTheFolio) {
    saoDoc document;
    document.documentWidth = 100000;
    document.documentHeight = 50000;
    Folio folio(&document);
    folio.pagesAcross = 3;
    folio.pagesDown = 2;
    EXPECT_EQ(folio.pageCount(), 6);
    const struct {
        Point at;
        int page;
    } cases[] = {
        {{0, 0}, 1},      {{150000, 10000}, 2}, {{250000, 60000}, 6},
        {{900000, 0}, 3}, {{-5000, 70000}, 4},  {{10000, 900000}, 4},
    };
    for (const auto& c : cases)
        EXPECT_EQ(folio.pageAt(c.at), c.page) << c.at.x << "," << c.at.y;
    Folio loose;
    loose.pagesAcross = 2;
    EXPECT_EQ(loose.pageAt({500000, 500000}), 1) << "no page size: the first page";
}

TEST(FolioHolder, FieldTextsComeFromTheFolioAndItsDocument) {
    Folio loose;
    loose.number = "F12";
    loose.titles[2] = "Armoire";
    EXPECT_EQ(loose.fieldText(FolioField::Number), "F12");
    EXPECT_EQ(loose.fieldText(FolioField::Title3), "Armoire");
    EXPECT_EQ(loose.fieldText(FolioField::Author), "");
    EXPECT_EQ(loose.fieldText(FolioField::DocumentTitle), std::nullopt);
    EXPECT_EQ(loose.fieldText(FolioField::DocumentPath), std::nullopt);

    saoDoc document;
    Folio folio(&document);
    const std::string untitled = utf8ToCp1252(document.title());
    EXPECT_EQ(folio.fieldText(FolioField::DocumentTitle), untitled);
    EXPECT_EQ(folio.fieldText(FolioField::DocumentPath), untitled) << "an unsaved document shows its title";
    document.setPath("/tmp/plans/élec.dls");
    EXPECT_EQ(folio.fieldText(FolioField::DocumentPath), utf8ToCp1252("/tmp/plans/élec.dls"));
    EXPECT_EQ(folio.fieldText(FolioField::DocumentTitle), utf8ToCp1252("élec.dls (Schéma)"));
}

} // namespace
} // namespace plexo
