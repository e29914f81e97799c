#include "platform/Graphics.h"
#include "platform/PixelMath.h"
#include "platform/ResourceFork.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
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

QRgb Colour(int x, int y)
{
    return 0xFF000000u | static_cast<QRgb>(0x10 * x + 0x100 * (0x40 * y + 1) + 0x30000);
}

// Row 0 shows its left half whole, hides its third quarter and half-shows
// the rest; row 1 is hidden but for its last pixel.
std::uint8_t Grey(int x, int y)
{
    if (y == 1) {
        return x == kWidth - 1 ? 0 : 255;
    }
    return x < kWidth / 2 ? 0 : x < 3 * kWidth / 4 ? 255 : 100;
}

template <typename T>
void Append(std::vector<unsigned char>& data, const T& value)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(&value);
    data.insert(data.end(), bytes, bytes + sizeof value);
}

// A small block laid out as the art generator lays one out, each entry
// open to damage before the block is written.
class Block {
public:
    struct Item {
        BundleEntry entry;
        std::vector<unsigned char> data;
        std::uint64_t moveBy = 0; // off the entry's boundary
    };

    Block()
    {
        std::vector<unsigned char> colour;
        std::vector<unsigned char> grey;
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                Append(colour, static_cast<std::uint32_t>(Colour(x, y)));
                grey.push_back(Grey(x, y));
            }
        }
        Add("PICT", kColourId, platform::kBundleColourDepth, platform::kBundleRows, colour);
        Add("PICT", kMaskId, platform::kBundleGreyDepth, platform::kBundleRows, grey);
        Add("COMP", kColourId, platform::kBundleColourDepth, platform::kBundleRuns, Runs()).entry.maskId = kMaskId;
        Add("PICT", kTiledId, platform::kBundleColourDepth, platform::kBundleTiles, Tiles());
        Add("TEXT", 1, 0, 0, std::vector<unsigned char>{'o', 'k'});
    }

    Item& operator[](std::size_t i) { return mItems[i]; }
    BundleRun& RunAt(std::size_t i)
    {
        return reinterpret_cast<BundleRun*>(mItems[2].data.data() + platform::BundleRunsOffset(kHeight))[i];
    }
    std::uint32_t& RowRunsAt(std::size_t y)
    {
        return reinterpret_cast<std::uint32_t*>(mItems[2].data.data() + sizeof(platform::BundleRunsHeader))[y];
    }

    // The block written out, each entry's data on the next boundary.
    const unsigned char* Write()
    {
        const std::size_t tableEnd = sizeof(platform::BundleHeader) + mItems.size() * sizeof(BundleEntry);
        std::size_t at = platform::BundleAligned(tableEnd);
        for (Item& item : mItems) {
            item.entry.offset = at + item.moveBy;
            at = platform::BundleAligned(item.entry.offset + item.data.size());
        }
        mStorage.assign(at / sizeof(Line), Line{});
        unsigned char* begin = mStorage.front().bytes;
        const platform::BundleHeader header{{'K', 'R', 'E', 'S'}, static_cast<std::uint32_t>(mItems.size())};
        std::memcpy(begin, &header, sizeof header);
        for (std::size_t i = 0; i < mItems.size(); ++i) {
            const Item& item = mItems[i];
            std::memcpy(begin + sizeof header + i * sizeof(BundleEntry), &item.entry, sizeof item.entry);
            std::memcpy(begin + item.entry.offset, item.data.data(), item.data.size());
        }
        mSize = at;
        return begin;
    }
    platform::ResourceFork Fork()
    {
        const unsigned char* begin = Write();
        return platform::ResourceFork(platform::BundleReader(begin, mSize));
    }

private:
    // The block's own boundary.
    struct alignas(platform::kBundleAlignment) Line {
        unsigned char bytes[platform::kBundleAlignment];
    };

    Item& Add(const char (&type)[5], std::int32_t id, std::uint16_t depth, std::uint16_t encoding,
              std::vector<unsigned char> data)
    {
        BundleEntry entry{};
        std::memcpy(entry.type, type, sizeof entry.type);
        entry.id = id;
        entry.width = depth == 0 ? 0 : kWidth;
        entry.height = depth == 0 ? 0 : kHeight;
        entry.depth = depth;
        entry.encoding = encoding;
        entry.size = data.size();
        return mItems.emplace_back(Item{entry, std::move(data)});
    }

    // The colour seen through the grey as runs, its pixels one after another.
    static std::vector<unsigned char> Runs()
    {
        std::vector<BundleRun> runs;
        std::vector<std::uint32_t> rowRuns{0};
        std::vector<std::uint32_t> pixels;
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                const std::uint32_t opaque = Grey(x, y) == 0 ? 1 : 0;
                if (Grey(x, y) == 255) {
                    continue;
                }
                if (x > 0 && Grey(x - 1, y) != 255 && runs.back().opaque == opaque) {
                    ++runs.back().length;
                } else {
                    runs.push_back(BundleRun{x, 1, opaque, static_cast<std::uint32_t>(pixels.size())});
                }
                pixels.push_back(platform::MaskedPixel(Colour(x, y), Grey(x, y)));
            }
            rowRuns.push_back(static_cast<std::uint32_t>(runs.size()));
        }
        std::vector<unsigned char> data;
        Append(data, platform::BundleRunsHeader{static_cast<std::uint32_t>(runs.size()),
                                                static_cast<std::uint32_t>(pixels.size())});
        for (const std::uint32_t first : rowRuns) {
            Append(data, first);
        }
        data.resize(platform::BundleRunsOffset(kHeight));
        for (const BundleRun& run : runs) {
            Append(data, run);
        }
        for (const std::uint32_t pixel : pixels) {
            Append(data, pixel);
        }
        return data;
    }

    // Tile n of each row is the colour's; the two rows share none.
    static std::vector<unsigned char> Tiles()
    {
        std::vector<unsigned char> data;
        constexpr int kTiles = kWidth / platform::kBundleTileWidth;
        for (std::uint16_t tile = 0; tile < kTiles * kHeight; ++tile) {
            Append(data, tile);
        }
        data.resize(platform::BundleTilesOffset(kWidth, kHeight));
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                Append(data, static_cast<std::uint32_t>(Colour(x, y)));
            }
        }
        return data;
    }

    std::vector<Item> mItems;
    std::vector<Line> mStorage;
    std::size_t mSize = 0;
};

// The masked picture as the catalogue loads it, drawn over a plain ground.
QImage DrawnMasked(platform::ResourceFork& fork)
{
    const platform::PicturePtr picture = fork.GetPicture(kColourId);
    const platform::PicturePtr mask = fork.GetPicture(kMaskId);
    if (!picture || !mask) {
        return {};
    }
    picture->Mask()->Graphics().DrawPicture(mask.get(), 0, 0);
    picture->AdoptComposite(fork.GetComposite(kColourId));
    const platform::PicturePtr ground = platform::Picture::Filled(kWidth, kHeight, kGround);
    ground->Graphics().DrawPicture(picture.get(), 0, 0);
    return ground->Image();
}

QImage Expected()
{
    QImage expected(kWidth, kHeight, QImage::Format_RGB32);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            std::uint32_t pixel = kGround;
            platform::BlendOver(pixel, platform::MaskedPixel(Colour(x, y), Grey(x, y)));
            expected.setPixel(x, y, pixel);
        }
    }
    return expected;
}

} // namespace

TEST(ResourceForkTest, ASoundBlockGivesEveryKindOfEntryAndNothingElse)
{
    Block block;
    platform::ResourceFork fork = block.Fork();
    EXPECT_EQ(DrawnMasked(fork), Expected());
    const platform::PicturePtr tiled = fork.GetPicture(kTiledId);
    ASSERT_TRUE(tiled);
    EXPECT_EQ(tiled->Image(), fork.GetPicture(kColourId)->Image());
    EXPECT_EQ(fork.GetResource(QStringLiteral("TEXT"), 1), QStringLiteral("ok"));

    // Missing entries, and names that are not text types, give nothing.
    EXPECT_EQ(fork.GetPicture(-1), nullptr);
    EXPECT_EQ(fork.GetComposite(kMaskId).data, nullptr);
    EXPECT_TRUE(fork.GetResource(QStringLiteral("TEXT"), 987654).isEmpty());
    EXPECT_TRUE(fork.GetResource(QStringLiteral("PICT"), kColourId).isEmpty());
    EXPECT_TRUE(fork.GetResource(QStringLiteral("../pictures"), 1).isEmpty());
}

// Each damage is refused where the entry is read: the picture goes missing,
// or its composite is set aside and it is drawn from its planes, exactly.
TEST(ResourceForkTest, DamagedEntriesAreRefusedAndNothingIsReadOutsideThem)
{
    struct Damage {
        const char* what;
        std::function<void(Block&)> harm;
        std::int32_t lost; // the picture that goes missing, if any
    };
    const Damage damages[] = {
        {"misaligned picture", [](Block& b) { b[0].moveBy = 4; }, kColourId},
        {"misaligned mask", [](Block& b) { b[1].moveBy = 1; }, kMaskId},
        {"picture past the end", [](Block& b) { b[0].entry.size = std::uint64_t{1} << 40; }, kColourId},
        {"wrong size", [](Block& b) { b[0].data.pop_back(); --b[0].entry.size; }, kColourId},
        {"too large", [](Block& b) { b[0].entry.width = 1U << 20; }, kColourId},
        {"bad tile index", [](Block& b) { b[3].data[1] = 0x7F; }, kTiledId},
        {"tiles cut short", [](Block& b) { b[3].data.resize(b[3].data.size() - 4); b[3].entry.size -= 4; },
         kTiledId},
        {"misaligned composite", [](Block& b) { b[2].moveBy = 4; }, 0},
        {"composite through a colour picture", [](Block& b) { b[2].entry.maskId = kColourId; }, 0},
        {"composite cut short", [](Block& b) { b[2].data.resize(b[2].data.size() - 4); b[2].entry.size -= 4; },
         0},
        {"composite too long", [](Block& b) { b[2].data.resize(b[2].data.size() + 4); b[2].entry.size += 4; },
         0},
        {"run counts wild", [](Block& b) { std::memset(b[2].data.data(), 0xFF, sizeof(platform::BundleRunsHeader)); },
         0},
        {"rows out of order", [](Block& b) { b.RowRunsAt(1) = 0x7FFFFFFF; }, 0},
        {"runs out of order", [](Block& b) { std::swap(b.RunAt(0), b.RunAt(1)); }, 0},
        {"runs overlapping", [](Block& b) { b.RunAt(0).length += kWidth / 4 + 1; }, 0},
        {"run past the row", [](Block& b) { b.RunAt(1).length += kWidth; }, 0},
        {"run's pixels past the end", [](Block& b) { ++b.RunAt(2).pixel; }, 0},
    };
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.what);
        Block block;
        damage.harm(block);
        platform::ResourceFork fork = block.Fork();
        for (const std::int32_t id : {kColourId, kMaskId, kTiledId}) {
            EXPECT_EQ(fork.GetPicture(id) == nullptr, id == damage.lost) << id;
        }
        if (damage.lost == 0) {
            EXPECT_EQ(DrawnMasked(fork), Expected());
        }
    }
}

TEST(ResourceForkTest, ABlockOffItsBoundaryOrOfAnotherKindFindsNothing)
{
    Block block;
    const unsigned char* begin = block.Write();
    for (const platform::BundleReader& reader :
         {platform::BundleReader(begin + 8, 1024), platform::BundleReader(begin, 4),
          platform::BundleReader(nullptr, 0), platform::BundleReader(begin + platform::kBundleAlignment, 1024)}) {
        platform::ResourceFork fork(reader);
        EXPECT_EQ(fork.GetPicture(kColourId), nullptr);
        EXPECT_TRUE(fork.GetResource(QStringLiteral("TEXT"), 1).isEmpty());
    }
}
