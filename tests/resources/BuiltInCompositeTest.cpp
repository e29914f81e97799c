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
    for (const auto& [name, accessor] : CatalogueAccessors()) {
        const platform::PicturePtr picture = accessor();
        ASSERT_TRUE(picture) << name.toStdString();
        if (!picture->HasMask()) {
            continue;
        }
        ++masked;
        auto rebuilt = std::make_shared<platform::Picture>(picture->Image().copy());
        rebuilt->Mask()->Graphics().DrawPicture(picture->Mask().get(), 0, 0);
        EXPECT_EQ(picture->Composited(), rebuilt->Composited()) << name.toStdString();
        // Drawn over the same ground, both leave the same pixels.
        platform::Picture a(picture->Width(), picture->Height());
        platform::Picture b(picture->Width(), picture->Height());
        a.Graphics().DrawPicture(picture.get(), 0, 0);
        b.Graphics().DrawPicture(rebuilt.get(), 0, 0);
        EXPECT_EQ(a.Image(), b.Image()) << name.toStdString();
    }
    EXPECT_GT(masked, 0);
    ResetPictureCatalogue();
}
