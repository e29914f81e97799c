#include "CatalogueEntries.h"

#include "platform/pictures/Graphics.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A ground of many colours, so that a blend that used the wrong pixel shows.
platform::PicturePtr Ground(int width, int height)
{
    QImage plane(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            plane.setPixel(x, y, qRgb((x * 7) & 0xFF, (y * 5) & 0xFF, ((x + y) * 3) & 0xFF));
        }
    }
    return std::make_shared<platform::Picture>(plane);
}

// The picture drawn over a ground a little smaller than itself, whole and
// cut by every edge, and a part of it from a source rectangle.
std::vector<QImage> DrawnAround(const platform::Picture& picture)
{
    const int w = picture.Width();
    const int h = picture.Height();
    std::vector<QImage> drawn;
    for (const QPoint& at : {QPoint(0, 0), QPoint(-w / 3, 5), QPoint(w / 2, -h / 4), QPoint(3, h / 2),
                             QPoint(-7, -9)}) {
        const platform::PicturePtr ground = Ground(w - 4, h - 2);
        ground->Graphics().DrawPicture(&picture, at.x(), at.y());
        drawn.push_back(ground->Image());
    }
    const platform::PicturePtr part = Ground(51, 37);
    part->Graphics().DrawPicture(&picture, 2, 3, 45, 30, 13, 21, 45, 30);
    drawn.push_back(part->Image());
    return drawn;
}

// The same picture with a composite of its own planes, none made ahead.
platform::PicturePtr FromPlanes(const platform::PicturePtr& picture)
{
    auto rebuilt = std::make_shared<platform::Picture>(picture->Image().copy());
    rebuilt->Mask()->Graphics().DrawPicture(picture->Mask().get(), 0, 0);
    return rebuilt;
}

} // namespace

// Masked pictures are drawn through the composite the art generator made
// ahead, which holds only the stretches that show; drawn anywhere, cut by
// any edge, it must leave exactly what the picture's own planes would.
TEST(BuiltInCompositeTest, EveryMaskedPictureDrawsExactlyAsItsPlanesWould)
{
    ResetPictureCatalogue();
    int masked = 0;
    for (const auto& [name, accessor] : CatalogueAccessors()) {
        const platform::PicturePtr picture = accessor();
        if (!picture->HasMask()) {
            continue;
        }
        ++masked;
        const platform::PicturePtr rebuilt = FromPlanes(picture);
        EXPECT_EQ(DrawnAround(*picture), DrawnAround(*rebuilt)) << name.toStdString();
        // Asked for afterwards, the composite image is the planes' own.
        EXPECT_EQ(picture->Composited(), rebuilt->Composited()) << name.toStdString();
    }
    EXPECT_EQ(masked, 33); // the thirty piece pictures and the three notes
    ResetPictureCatalogue();
}

// The table's and the card's backgrounds are kept as tiles: drawn straight
// from them, cut anywhere, they leave what their plane, made from them, shows.
TEST(BuiltInCompositeTest, TiledArtDrawsAsItsPlane)
{
    ResetPictureCatalogue();
    for (const QString& name : {QStringLiteral("tablebackground"), QStringLiteral("puzzlecard")}) {
        const platform::PicturePtr tiled = PictureNamed(name);
        const std::vector<QImage> fromTiles = DrawnAround(*tiled);
        const platform::Picture plane(tiled->Image().copy());
        EXPECT_EQ(fromTiles, DrawnAround(plane)) << name.toStdString();
    }
    ResetPictureCatalogue();
}
