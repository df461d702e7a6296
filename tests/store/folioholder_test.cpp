#include "store/folioholder.h"

#include "shapes/shape.h"
#include "store/saodoc.h"
#include "support/storefixture.h"

#include <gtest/gtest.h>

namespace plexo {
namespace {

using test::makeShape;

// The objects stay loaded while a holder lives, go to the store only when the
// last holder that asks for it lets go, and are read back by the next holder.
TEST(FolioHolderTest, HoldsTheObjectsWhileItLives) {
    saoDoc doc;
    ASSERT_TRUE(doc.open({}));
    Folio& folio = *doc.folios.front();
    {
        FolioHolder outer(folio, FolioHolder::OnRelease::Save);
        folio.append(makeShape(kLine, {{0, 0}, {1000, 1000}}));
        {
            FolioHolder inner(folio);
            EXPECT_EQ(folio.useCount, 2);
        }
        EXPECT_EQ(folio.objects.size(), 1u) << "still held by the outer holder";
    }
    EXPECT_EQ(folio.useCount, 0);
    EXPECT_TRUE(folio.objects.empty());
    {
        FolioHolder again(folio);
        EXPECT_EQ(folio.objects.size(), 1u) << "saved when the last holder let go";
        folio.append(makeShape(kOval, {{0, 0}, {1000, 1000}}));
    }
    FolioHolder last(folio);
    EXPECT_EQ(last.folio().objects.size(), 1u) << "a holder that discards does not save";
}

} // namespace
} // namespace plexo
