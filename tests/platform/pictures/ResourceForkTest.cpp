#include "platform/pictures/BundleCheck.h"
#include "platform/pictures/Graphics.h"
#include "platform/pictures/PixelMath.h"
#include "platform/pictures/ResourceFork.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using platform::BundleEntry;
using platform::BundleRun;

namespace {

constexpr std::int32_t kColourId = 10;
constexpr std::int32_t kMaskId = 11;
constexpr std::int32_t kTiledId = 12;
constexpr int kWidth = 16;
constexpr int kHeight = 2;
constexpr QRgb kGround = 0xFF204060;
constexpr std::uint8_t kBlendGrey = 100;
constexpr std::size_t kRoom = 2048; // more than the block needs

// The composite's runs, row by row: row 0 shows its left half whole, hides
// its third quarter and half-shows the rest; row 1 shows only its last pixel.
const BundleRun kRuns[] = {{0, 8, 1, 0}, {12, 4, 0, 8}, {15, 1, 1, 12}};
const std::uint32_t kRowRuns[kHeight + 1] = {0, 2, 3};

QRgb Colour(int x, int y)
{
    return 0xFF000000u | static_cast<QRgb>(0x10 * x + 0x100 * (0x40 * y + 1) + 0x30000);
}

// The mask the runs are seen through: black where they copy, grey where
// they blend, white where nothing shows.
std::uint8_t Grey(int x, int y)
{
    for (std::uint32_t r = kRowRuns[y]; r < kRowRuns[y + 1]; ++r) {
        if (x >= kRuns[r].start && x < kRuns[r].start + kRuns[r].length) {
            return kRuns[r].opaque != 0 ? 0 : kBlendGrey;
        }
    }
    return 255;
}

template <typename T>
void Append(std::vector<unsigned char>& data, const T& value)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(&value);
    data.insert(data.end(), bytes, bytes + sizeof value);
}

// A small block laid out as the art generator lays one out, open to damage
// once written: a colour picture as rows, its grey mask, their composite as
// runs, the colour again as tiles (tile n of each row the colour's own, the
// two rows sharing none) and a text.
class Block {
public:
    Block()
    {
        std::vector<unsigned char> colour, grey, shown, runs, tiles, text{'o', 'k'};
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                Append(colour, static_cast<std::uint32_t>(Colour(x, y)));
                grey.push_back(Grey(x, y));
                if (Grey(x, y) != 255) {
                    Append(shown, platform::MaskedPixel(Colour(x, y), Grey(x, y)));
                }
            }
        }
        Append(runs, platform::BundleRunsHeader{static_cast<std::uint32_t>(std::size(kRuns)),
                                                static_cast<std::uint32_t>(shown.size() / sizeof(QRgb))});
        Append(runs, kRowRuns);
        runs.resize(platform::BundleRunsOffset(kHeight));
        Append(runs, kRuns);
        runs.insert(runs.end(), shown.begin(), shown.end());
        const std::uint16_t tileOfCell[kWidth / platform::kBundleTileWidth * kHeight] = {0, 1, 2, 3};
        Append(tiles, tileOfCell);
        tiles.resize(platform::BundleTilesOffset(kWidth, kHeight));
        tiles.insert(tiles.end(), colour.begin(), colour.end());

        struct Item {
            const char* type;
            std::int32_t id;
            std::uint16_t depth, encoding;
            std::int32_t maskId;
            const std::vector<unsigned char>& data;
        };
        const Item items[] = {
            {"PICT", kColourId, platform::kBundleColourDepth, platform::kBundleRows, 0, colour},
            {"PICT", kMaskId, platform::kBundleGreyDepth, platform::kBundleRows, 0, grey},
            {"COMP", kColourId, platform::kBundleColourDepth, platform::kBundleRuns, kMaskId, runs},
            {"PICT", kTiledId, platform::kBundleColourDepth, platform::kBundleTiles, 0, tiles},
            {"TEXT", 1, 0, 0, 0, text},
        };
        const platform::BundleHeader header{{'K', 'R', 'E', 'S'}, static_cast<std::uint32_t>(std::size(items))};
        std::memcpy(Begin(), &header, sizeof header);
        mSize = platform::BundleAligned(sizeof header + sizeof(BundleEntry) * std::size(items));
        for (std::size_t i = 0; i < std::size(items); ++i) {
            const Item& item = items[i];
            BundleEntry& entry = Entry(i);
            entry = {{}, item.id, item.depth == 0 ? 0U : kWidth, item.depth == 0 ? 0U : kHeight, item.depth,
                     item.encoding, item.maskId, mSize, item.data.size()};
            std::memcpy(entry.type, item.type, sizeof entry.type);
            std::memcpy(Data(i), item.data.data(), item.data.size());
            mSize = platform::BundleAligned(mSize + item.data.size());
        }
    }

    unsigned char* Begin() { return mStorage; }
    BundleEntry& Entry(std::size_t i)
    {
        return reinterpret_cast<BundleEntry*>(Begin() + sizeof(platform::BundleHeader))[i];
    }
    unsigned char* Data(std::size_t i) { return Begin() + Entry(i).offset; }
    BundleRun& RunAt(std::size_t i)
    {
        return reinterpret_cast<BundleRun*>(Data(2) + platform::BundleRunsOffset(kHeight))[i];
    }
    std::uint32_t& RowRunsAt(std::size_t y)
    {
        return reinterpret_cast<std::uint32_t*>(Data(2) + sizeof(platform::BundleRunsHeader))[y];
    }
    platform::ResourceFork Fork() { return platform::ResourceFork(platform::BundleReader(Begin(), mSize)); }
    QByteArray Bytes() { return QByteArray(reinterpret_cast<const char*>(Begin()), static_cast<qsizetype>(mSize)); }

private:
    alignas(platform::kBundleAlignment) unsigned char mStorage[kRoom] = {};
    std::size_t mSize = 0;
};

// The picture drawn over a plain ground.
QImage Drawn(const platform::PicturePtr& picture)
{
    const platform::PicturePtr ground = platform::Picture::Filled(kWidth, kHeight, kGround);
    ground->Graphics().DrawPicture(picture.get(), 0, 0);
    return ground->Image();
}

// The masked picture over the ground: where (x, y) is shown whole, the
// colour; hidden, the ground; half shown, the two mixed by the mask's grey.
QImage Expected(QRgb (*colour)(int, int) = Colour)
{
    QImage expected(kWidth, kHeight, QImage::Format_RGB32);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            std::uint32_t pixel = kGround;
            platform::BlendOver(pixel, platform::MaskedPixel(colour(x, y), Grey(x, y)));
            expected.setPixel(x, y, pixel);
        }
    }
    return expected;
}

} // namespace

TEST(ResourceForkTest, ASoundBlockGivesEveryKindOfEntryAndNothingElse)
{
    Block block;
    EXPECT_EQ(platform::BundleFault(block.Bytes()), QString());
    platform::ResourceFork fork = block.Fork();
    EXPECT_EQ(Drawn(fork.GetMaskedPicture(kColourId, kMaskId)), Expected());
    const platform::PicturePtr tiled = fork.GetPicture(kTiledId);
    ASSERT_TRUE(tiled);
    EXPECT_EQ(tiled->Image(), fork.GetPicture(kColourId)->Image());
    EXPECT_EQ(fork.GetResource(QStringLiteral("TEXT"), 1), QStringLiteral("ok"));

    // Missing entries, a picture through another mask than its composite
    // was made through, and names that are not text types, give nothing.
    EXPECT_EQ(fork.GetPicture(-1), nullptr);
    EXPECT_EQ(fork.GetMaskedPicture(kMaskId, kColourId), nullptr);
    EXPECT_EQ(fork.GetMaskedPicture(kColourId, kTiledId), nullptr);
    EXPECT_TRUE(fork.GetResource(QStringLiteral("TEXT"), 987654).isEmpty());
    EXPECT_TRUE(fork.GetResource(QStringLiteral("PICT"), kColourId).isEmpty());
    EXPECT_TRUE(fork.GetResource(QStringLiteral("../pictures"), 1).isEmpty());
}

// A masked picture is drawn through the composite it came with, not from
// its planes, until either plane is written: then from the planes.
TEST(ResourceForkTest, AMaskedPictureDrawsThroughItsCompositeUntilEitherPlaneChanges)
{
    constexpr QRgb kMark = 0xFF0000FF;
    for (const bool maskChanges : {false, true}) {
        Block block;
        const auto pixels = reinterpret_cast<const platform::BundleRunsHeader*>(block.Data(2))->pixelCount;
        std::fill_n(reinterpret_cast<std::uint32_t*>(block.Data(2) + block.Entry(2).size) - pixels, pixels, kMark);
        const platform::PicturePtr picture = block.Fork().GetMaskedPicture(kColourId, kMaskId);
        ASSERT_TRUE(picture);
        EXPECT_EQ(Drawn(picture).pixel(0, 0), kMark);
        (maskChanges ? *picture->Mask() : *picture).Changed();
        EXPECT_EQ(Drawn(picture), Expected()) << "mask changed: " << maskChanges;
    }
}

// The art generator reads every block back and refuses it for any damage
// below. At run time the game checks only what could make it read outside
// an entry or off its alignment: that entry is not found (a masked picture
// goes with its colour, its mask or its composite), and everything else is
// drawn exactly.
TEST(ResourceForkTest, DamagedBlocksAreRefusedWhenWrittenAndDamagedBoundsWhenRead)
{
    enum Lost : unsigned { kBuildOnly = 0, kColour = 1, kMask = 2, kTiled = 4, kMasked = 8 };
    struct Damage {
        const char* what;
        void (*harm)(Block&);
        unsigned lost; // what the game no longer finds; kBuildOnly: it trusts the build
    };
    const Damage damages[] = {
        {"misaligned picture", [](Block& b) { b.Entry(0).offset += 4; }, kColour | kMasked},
        {"misaligned mask", [](Block& b) { ++b.Entry(1).offset; }, kMask | kMasked},
        {"picture past the end", [](Block& b) { b.Entry(0).size = std::uint64_t{1} << 40; }, kColour | kMasked},
        {"wrong size", [](Block& b) { --b.Entry(0).size; }, kColour | kMasked},
        {"too large", [](Block& b) { b.Entry(0).width = 1U << 20; }, kColour | kMasked},
        {"tiles' cells past the end", [](Block& b) { b.Entry(3).size = 2; }, kTiled},
        {"misaligned composite", [](Block& b) { b.Entry(2).offset += 4; }, kMasked},
        {"composite through a colour picture", [](Block& b) { b.Entry(2).maskId = kColourId; }, kMasked},
        {"composite's rows past the end", [](Block& b) { b.Entry(2).size = sizeof(platform::BundleRunsHeader); },
         kMasked},
        {"a cell naming the tile past the last", [](Block& b) { reinterpret_cast<std::uint16_t*>(b.Data(3))[3] = 4; },
         kBuildOnly},
        {"tiles cut short", [](Block& b) { b.Entry(3).size -= 4; }, kBuildOnly},
        {"composite cut short", [](Block& b) { b.Entry(2).size -= 4; }, kBuildOnly},
        {"composite too long", [](Block& b) { b.Entry(2).size += 4; }, kBuildOnly},
        {"run counts wild", [](Block& b) { std::memset(b.Data(2), 0xFF, sizeof(platform::BundleRunsHeader)); },
         kBuildOnly},
        {"rows out of order", [](Block& b) { b.RowRunsAt(1) = 0x7FFFFFFF; }, kBuildOnly},
        {"runs out of order", [](Block& b) { std::swap(b.RunAt(0), b.RunAt(1)); }, kBuildOnly},
        {"runs overlapping", [](Block& b) { b.RunAt(0).length += kWidth / 4 + 1; }, kBuildOnly},
        {"run past the row", [](Block& b) { ++b.RunAt(1).length; }, kBuildOnly},
        {"run's pixels past the end", [](Block& b) { ++b.RunAt(2).pixel; }, kBuildOnly},
        {"a shown pixel left out", [](Block& b) { --b.RunAt(0).length; }, kBuildOnly},
        {"a half-shown run copied", [](Block& b) { b.RunAt(1).opaque = 1; }, kBuildOnly},
        {"a pixel not its colour through its mask",
         [](Block& b) { ++*reinterpret_cast<std::uint32_t*>(b.Data(2) + b.Entry(2).size - sizeof(QRgb)); },
         kBuildOnly},
    };
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.what);
        Block block;
        damage.harm(block);
        EXPECT_FALSE(platform::BundleFault(block.Bytes()).isEmpty());
        if (damage.lost == kBuildOnly) {
            continue; // drawn as it stands, it could read anywhere
        }
        platform::ResourceFork fork = block.Fork();
        for (const auto& [id, lost] : {std::pair{kColourId, kColour}, {kMaskId, kMask}, {kTiledId, kTiled}}) {
            EXPECT_EQ(fork.GetPicture(id) == nullptr, (damage.lost & lost) != 0) << id;
        }
        const platform::PicturePtr masked = fork.GetMaskedPicture(kColourId, kMaskId);
        EXPECT_EQ(masked == nullptr, (damage.lost & kMasked) != 0);
        if (masked) {
            EXPECT_EQ(Drawn(masked), Expected());
        }
    }
}

TEST(ResourceForkTest, ABlockOffItsBoundaryOrOfAnotherKindFindsNothing)
{
    Block block;
    const unsigned char* begin = block.Begin();
    for (const platform::BundleReader& reader :
         {platform::BundleReader(begin + 8, 1024), platform::BundleReader(begin, 4),
          platform::BundleReader(nullptr, 0), platform::BundleReader(begin + platform::kBundleAlignment, 1024)}) {
        platform::ResourceFork fork(reader);
        EXPECT_EQ(fork.GetPicture(kColourId), nullptr);
        EXPECT_TRUE(fork.GetResource(QStringLiteral("TEXT"), 1).isEmpty());
    }
}
