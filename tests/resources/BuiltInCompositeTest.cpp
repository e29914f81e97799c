#include "CatalogueEntries.h"

#include "platform/Graphics.h"

#include <gtest/gtest.h>

// Masked pictures are drawn through the composite the art generator made
// ahead; it must be, pixel for pixel and run for run, the one the picture
// would build from its own colour and mask.
TEST(BuiltInCompositeTest, EveryMaskedPictureDrawsExactlyAsItsPlanesWould)
{
    ResetPictureCatalogue();
    int masked = 0;
    for (const CatalogueEntry& entry : CatalogueEntries()) {
        const platform::PicturePtr picture = entry.accessor();
        ASSERT_TRUE(picture) << entry.name;
        if (!picture->HasMask()) {
            continue;
        }
        ++masked;
        auto rebuilt = std::make_shared<platform::Picture>(picture->Image().copy());
        rebuilt->Mask()->Graphics().DrawPicture(picture->Mask().get(), 0, 0);
        EXPECT_EQ(picture->Composited(), rebuilt->Composited()) << entry.name;
        // Drawn over the same ground, both leave the same pixels.
        platform::Picture a(picture->Width(), picture->Height());
        platform::Picture b(picture->Width(), picture->Height());
        a.Graphics().DrawPicture(picture.get(), 0, 0);
        b.Graphics().DrawPicture(rebuilt.get(), 0, 0);
        EXPECT_EQ(a.Image(), b.Image()) << entry.name;
    }
    EXPECT_GT(masked, 0);
    ResetPictureCatalogue();
}
