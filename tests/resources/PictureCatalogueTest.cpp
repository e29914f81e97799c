#include "CatalogueEntries.h"

#include "platform/ResourceFork.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

// A resource file that counts what it is asked for and can lose entries.
// Masks are half black (left), half white; other pictures are plain white.
class CountingFork : public platform::ResourceFork {
public:
    platform::PicturePtr GetPicture(std::int32_t id) override
    {
        ++pictureCalls[id];
        if (missing.count(id) != 0) {
            return nullptr;
        }
        auto picture = std::make_shared<platform::Picture>(kSide, kSide);
        if (maskIds.count(id) != 0) {
            picture->ImageForWriting().fill(Qt::white);
            for (int y = 0; y < kSide; ++y) {
                for (int x = 0; x < kSide / 2; ++x) {
                    picture->ImageForWriting().setPixel(x, y, qRgb(0, 0, 0));
                }
            }
            picture->Changed();
        }
        return picture;
    }
    QString GetResource(const QString& type, std::int32_t id) override
    {
        ++textCalls;
        lastType = type;
        lastId = id;
        return text;
    }

    static constexpr int kSide = 4;
    std::map<std::int32_t, int> pictureCalls;
    std::set<std::int32_t> missing;
    std::set<std::int32_t> maskIds = {207, 235, 319, 321};
    int textCalls = 0;
    QString text;
    QString lastType;
    std::int32_t lastId = 0;
};

constexpr std::int32_t kTableBackground = 170;
constexpr std::int32_t kLargeTriangle1 = 177;
constexpr std::int32_t kLargeTriangle1Mask = 207;
constexpr std::int32_t kWinNoteMask = 319;
constexpr std::int32_t kAbout = 168;

QRgb MaskPixel(const platform::PicturePtr& picture, int x, int y)
{
    return picture->Mask()->Image().pixel(x, y) & 0xFFFFFFu;
}

class PictureCatalogueTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetPictureCatalogue();
        fork = std::make_shared<CountingFork>();
        platform::SetAppResourceFork(fork);
    }
    void TearDown() override
    {
        platform::SetAppResourceFork(nullptr);
        ResetPictureCatalogue();
    }
    std::shared_ptr<CountingFork> fork;
};

TEST_F(PictureCatalogueTest, LoadedPicturesAreSharedAndNotReadAgain)
{
    const auto first = tablebackground();
    ASSERT_TRUE(first);
    EXPECT_EQ(first, tablebackground());
    EXPECT_EQ(fork->pictureCalls[kTableBackground], 1);

    // A masked picture too: its mask partner is consulted on the loading call only.
    const auto piece = largetriangle1();
    ASSERT_TRUE(piece);
    EXPECT_EQ(piece, largetriangle1());
    EXPECT_EQ(fork->pictureCalls[kLargeTriangle1], 1);
    EXPECT_EQ(fork->pictureCalls[kLargeTriangle1Mask], 1);
    // The mask partner stays cached on its own.
    ASSERT_TRUE(largetriangle1mask());
    EXPECT_EQ(fork->pictureCalls[kLargeTriangle1Mask], 1);
}

TEST_F(PictureCatalogueTest, MaskPartnerBecomesThePicturesMask)
{
    const auto piece = largetriangle1();
    ASSERT_TRUE(piece && piece->HasMask());
    EXPECT_EQ(MaskPixel(piece, 0, 0), 0x000000u);
    EXPECT_EQ(MaskPixel(piece, CountingFork::kSide - 1, 0), 0xFFFFFFu);
}

TEST_F(PictureCatalogueTest, FetchingAMaskAloneLeavesItsPictureAlone)
{
    ASSERT_TRUE(largetriangle1mask());
    EXPECT_EQ(fork->pictureCalls[kLargeTriangle1], 0);
    const auto piece = largetriangle1();
    ASSERT_TRUE(piece);
    EXPECT_EQ(fork->pictureCalls[kLargeTriangle1Mask], 1);
    EXPECT_EQ(MaskPixel(piece, CountingFork::kSide - 1, 0), 0xFFFFFFu);
}

TEST_F(PictureCatalogueTest, MissingPictureGivesNothingAndIsAskedForAgain)
{
    fork->missing = {kTableBackground, kLargeTriangle1};
    EXPECT_FALSE(tablebackground());
    EXPECT_FALSE(tablebackground());
    EXPECT_EQ(fork->pictureCalls[kTableBackground], 2);

    // A missing masked picture gives nothing as well instead of failing on
    // the mask step, and comes with its mask once it is there.
    EXPECT_NO_THROW(EXPECT_FALSE(largetriangle1()));
    EXPECT_FALSE(largetriangle1());
    EXPECT_EQ(fork->pictureCalls[kLargeTriangle1], 2);

    fork->missing.clear();
    ASSERT_TRUE(tablebackground());
    const auto piece = largetriangle1();
    ASSERT_TRUE(piece);
    EXPECT_EQ(MaskPixel(piece, CountingFork::kSide - 1, 0), 0xFFFFFFu);
}

TEST_F(PictureCatalogueTest, MaskMissingAtLoadLeavesThePictureUnmaskedForTheRun)
{
    fork->missing = {kLargeTriangle1Mask};
    const auto piece = largetriangle1();
    ASSERT_TRUE(piece);
    EXPECT_FALSE(piece->HasMask());

    fork->missing.clear();
    ASSERT_TRUE(largetriangle1mask());
    EXPECT_EQ(largetriangle1(), piece);
    EXPECT_FALSE(piece->HasMask());
}

TEST_F(PictureCatalogueTest, BothWinNotesShareOneMaskLoadedOnce)
{
    const auto complete = completenote();
    const auto win = winnote();
    ASSERT_TRUE(complete && win);
    EXPECT_NE(complete, win);
    EXPECT_EQ(fork->pictureCalls[kWinNoteMask], 1);
    EXPECT_EQ(complete->Mask()->Image(), win->Mask()->Image());
}

TEST_F(PictureCatalogueTest, LicenceTextIsFetchedOnceEvenWhenEmpty)
{
    EXPECT_TRUE(kolmira_license().isEmpty());
    EXPECT_TRUE(kolmira_license().isEmpty());
    EXPECT_EQ(fork->textCalls, 1);
    EXPECT_EQ(fork->lastType, QStringLiteral("TEXT"));
    EXPECT_EQ(fork->lastId, 168);

    // The picture with the same number is another resource.
    ASSERT_TRUE(about());
    EXPECT_EQ(fork->pictureCalls[kAbout], 1);
    EXPECT_EQ(fork->textCalls, 1);
}

TEST_F(PictureCatalogueTest, EveryAccessorHasItsOwnPictureAndId)
{
    std::set<platform::Picture*> pictures;
    std::set<std::int32_t> ids;
    for (const CatalogueEntry& entry : CatalogueEntries()) {
        const auto picture = entry.accessor();
        ASSERT_TRUE(picture) << entry.name;
        pictures.insert(picture.get());
        ids.insert(entry.id);
        EXPECT_GE(fork->pictureCalls[entry.id], 1) << entry.name;
    }
    EXPECT_EQ(CatalogueEntries().size(), 151u);
    EXPECT_EQ(pictures.size(), 151u);
    EXPECT_EQ(ids.size(), 151u);
}

} // namespace
