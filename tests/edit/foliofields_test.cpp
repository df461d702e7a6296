#include "edit/foliofields.h"

#include <gtest/gtest.h>

namespace plexo {
namespace {

TEST(FolioFields, TextsConvertBothWaysAndAreCutToTheirFields) {
    Folio folio;
    folio.number = "F\xe9"
                   "1"; // "Fé1" in Windows-1252
    folio.index = 'B';
    FolioIdentification id = identificationOf(folio);
    EXPECT_EQ(id.number, "Fé1");
    EXPECT_EQ(id.index, "B");

    id.number = std::string(30, 'n'); // 19 characters fit
    id.author = "Jérôme";
    id.titles[2] = std::string(200, 't'); // 149
    id.revisionDates[9] = "01/02/2026";
    id.index = "";
    applyIdentification(id, folio);
    EXPECT_EQ(folio.number, std::string(19, 'n'));
    EXPECT_EQ(folio.author, "J\xe9r\xf4me");
    EXPECT_EQ(folio.titles[2].size(), 149u);
    EXPECT_EQ(folio.revisionDates[9], "01/02/2026");
    EXPECT_EQ(folio.index, ' ');

    // Accented characters count once against the field's length.
    id.object = std::string(29, 'x') + "é";
    applyIdentification(id, folio);
    EXPECT_EQ(folio.object, std::string(29, 'x'));
    id.object = "é" + std::string(28, 'x');
    applyIdentification(id, folio);
    EXPECT_EQ(folio.object.size(), 29u);
}

} // namespace
} // namespace plexo
