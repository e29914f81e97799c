#include "CatalogueEntries.h"

#include "platform/Graphics.h"
#include "platform/ResourceFork.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <functional>
#include <vector>

namespace {

// A ground of many colours, so that a blend that used the wrong pixel shows.
platform::PicturePtr Ground(int width, int height)
{
    auto ground = std::make_shared<platform::Picture>(width, height);
    QImage& plane = ground->ImageForWriting();
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            plane.setPixel(x, y, qRgb((x * 7) & 0xFF, (y * 5) & 0xFF, ((x + y) * 3) & 0xFF));
        }
    }
    ground->Changed();
    return ground;
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

// The built-in resources, with every composite made ahead damaged by `harm`
// in a copy of its own.
class DamagingFork : public platform::ResourceFork {
public:
    explicit DamagingFork(std::function<void(QByteArray&)> harm)
        : mHarm(std::move(harm))
    {
    }
    platform::PackedComposite GetComposite(std::int32_t id) override
    {
        platform::PackedComposite composite = ResourceFork::GetComposite(id);
        if (composite.data == nullptr) {
            return composite;
        }
        QByteArray& copy = mCopies.emplace_back(reinterpret_cast<const char*>(composite.data),
                                                static_cast<qsizetype>(composite.size));
        mHarm(copy);
        composite.data = reinterpret_cast<const unsigned char*>(copy.constData());
        composite.size = static_cast<std::uint64_t>(copy.size());
        return composite;
    }

private:
    std::function<void(QByteArray&)> mHarm;
    std::vector<QByteArray> mCopies;
};

std::vector<QString> MaskedNames()
{
    std::vector<QString> names;
    ResetPictureCatalogue();
    for (const auto& [name, accessor] : CatalogueAccessors()) {
        if (accessor()->HasMask()) {
            names.push_back(name);
        }
    }
    ResetPictureCatalogue();
    return names;
}

} // namespace

// Masked pictures are drawn through the composite the art generator made
// ahead, which holds only the stretches that show; drawn anywhere, cut by
// any edge, it must leave exactly what the picture's own planes would.
TEST(BuiltInCompositeTest, EveryMaskedPictureDrawsExactlyAsItsPlanesWould)
{
    const std::vector<QString> masked = MaskedNames();
    ASSERT_EQ(masked.size(), 33U); // the thirty piece pictures and the three notes
    for (const QString& name : masked) {
        const platform::PicturePtr picture = PictureNamed(name);
        const platform::PicturePtr rebuilt = FromPlanes(picture);
        EXPECT_EQ(DrawnAround(*picture), DrawnAround(*rebuilt)) << name.toStdString();
        // Asked for afterwards, the composite image is the planes' own.
        EXPECT_EQ(picture->Composited(), rebuilt->Composited()) << name.toStdString();
    }
    ResetPictureCatalogue();
}

// A composite found damaged when first drawn is set aside: the picture is
// drawn from its planes, and nothing is read outside the data.
TEST(BuiltInCompositeTest, ADamagedCompositeIsSetAsideForThePlanes)
{
    constexpr std::size_t kRowRunsAt = sizeof(platform::BundleRunsHeader);
    const std::function<void(QByteArray&)> harms[] = {
        [](QByteArray& data) { data.chop(4); },                                  // cut short
        [](QByteArray& data) { data.append(4, '\0'); },                          // too long
        [](QByteArray& data) { data.fill('\xFF', static_cast<qsizetype>(kRowRunsAt)); }, // counts wild
        [](QByteArray& data) {                                                   // rows out of order
            const std::uint32_t huge = 0x7FFFFFFF;
            std::memcpy(data.data() + kRowRunsAt + sizeof huge, &huge, sizeof huge);
        },
        [](QByteArray& data) {                                                   // pixels past the end
            platform::BundleRunsHeader header{};
            std::memcpy(&header, data.constData(), sizeof header);
            const auto height = static_cast<std::size_t>(PictureNamed(QStringLiteral("square1"))->Height());
            const std::uint32_t last = header.pixelCount - 1;
            std::memcpy(data.data() + platform::BundleRunsOffset(height) + offsetof(platform::BundleRun, pixel),
                        &last, sizeof last);
        },
    };
    const QString name = QStringLiteral("square1");
    ResetPictureCatalogue();
    const std::vector<QImage> expected = DrawnAround(*FromPlanes(PictureNamed(name)));
    for (const auto& harm : harms) {
        ResetPictureCatalogue();
        platform::SetAppResourceFork(std::make_shared<DamagingFork>(harm));
        const platform::PicturePtr picture = PictureNamed(name);
        EXPECT_EQ(DrawnAround(*picture), expected);
        platform::SetAppResourceFork(nullptr);
    }
    ResetPictureCatalogue();
}

// A composite made ahead is drawn only for the very planes it was made from:
// marked, it shows its mark on the built-in picture, but never on a picture of
// the same size and pixels that a substituted fork serves from elsewhere.
TEST(BuiltInCompositeTest, ACompositeIsDrawnOnlyForThePlanesItWasMadeFrom)
{
    constexpr std::uint32_t kMark = 0xFF0000FF;
    const QString name = QStringLiteral("square1");
    ResetPictureCatalogue();
    const auto height = static_cast<std::size_t>(PictureNamed(name)->Height());
    ResetPictureCatalogue();
    // The first pixel of the first run, on the first row that shows.
    QPoint marked;
    const auto mark = [&](QByteArray& data) {
        platform::BundleRunsHeader header{};
        std::memcpy(&header, data.constData(), sizeof header);
        std::vector<std::uint32_t> rowRuns(height + 1);
        std::memcpy(rowRuns.data(), data.constData() + sizeof header, rowRuns.size() * sizeof(std::uint32_t));
        const auto row = std::upper_bound(rowRuns.begin(), rowRuns.end(), 0U) - rowRuns.begin() - 1;
        platform::BundleRun first{};
        std::memcpy(&first, data.constData() + platform::BundleRunsOffset(height), sizeof first);
        marked = QPoint(first.start, static_cast<int>(row));
        const std::size_t pixelsAt = platform::BundleRunsOffset(height) + header.runCount * sizeof first
            + first.pixel * sizeof kMark;
        std::memcpy(data.data() + pixelsAt, &kMark, sizeof kMark);
    };

    // Served by a fork over the built-in block: drawn from the composite.
    auto marking = std::make_shared<DamagingFork>(mark);
    platform::SetAppResourceFork(marking);
    const platform::PicturePtr builtIn = PictureNamed(name);
    const platform::PicturePtr ground = Ground(builtIn->Width(), builtIn->Height());
    ground->Graphics().DrawPicture(builtIn.get(), 0, 0);
    EXPECT_EQ(ground->Image().pixel(marked), kMark);

    // Served from elsewhere with the same size and pixels: drawn from its planes.
    class ElsewhereFork : public DamagingFork {
    public:
        using DamagingFork::DamagingFork;
        platform::PicturePtr GetPicture(std::int32_t id) override
        {
            const platform::PicturePtr picture = ResourceFork::GetPicture(id);
            return picture ? std::make_shared<platform::Picture>(picture->Image().copy()) : picture;
        }
    };
    ResetPictureCatalogue();
    platform::SetAppResourceFork(std::make_shared<ElsewhereFork>(mark));
    const platform::PicturePtr elsewhere = PictureNamed(name);
    EXPECT_EQ(DrawnAround(*elsewhere), DrawnAround(*FromPlanes(builtIn)));
    platform::SetAppResourceFork(nullptr);
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
