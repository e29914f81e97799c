#include "CatalogueEntries.h"

#include "platform/ResourceFork.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

// A resource file that counts what it is asked for and can lose entries.
// Masks are black on the left half, white on the right; other pictures plain.
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
            QImage& image = picture->ImageForWriting();
            for (int y = 0; y < kSide; ++y) {
                for (int x = 0; x < kSide; ++x) {
                    image.setPixel(x, y, x < kSide / 2 ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
                }
            }
            picture->Changed();
        }
        return picture;
    }
    QString GetResource(const QString& type, std::int32_t id) override
    {
        ++textCalls;
        asked = type + QString::number(id);
        return {};
    }

    static constexpr int kSide = 4;
    std::map<std::int32_t, int> pictureCalls;
    std::set<std::int32_t> missing;
    std::set<std::int32_t> maskIds = {207, 235, 319, 321};
    int textCalls = 0;
    QString asked;
};

constexpr std::int32_t kTableBackground = 170;
constexpr std::int32_t kLargeTriangle1 = 177;
constexpr std::int32_t kLargeTriangle1Mask = 207;
constexpr std::int32_t kLargeTriangle2Mask = 208;
constexpr std::int32_t kWinNoteMask = 319;
constexpr std::int32_t kOverlapNoteMask = 321;
constexpr std::int32_t kAbout = 168;

// Whether the picture is masked, and shown on the left, hidden on the right.
bool MaskedByPartner(const platform::PicturePtr& picture)
{
    if (!picture || !picture->HasMask()) {
        return false;
    }
    const QImage& mask = picture->Mask()->Image();
    return (mask.pixel(0, 0) & 0xFFFFFFu) == 0 && (mask.pixel(CountingFork::kSide - 1, 0) & 0xFFFFFFu) == 0xFFFFFFu;
}

class PictureCatalogueTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetPictureCatalogue();
        platform::SetAppResourceFork(fork);
    }
    void TearDown() override
    {
        platform::SetAppResourceFork(nullptr);
        ResetPictureCatalogue();
    }
    std::shared_ptr<CountingFork> fork = std::make_shared<CountingFork>();
};

TEST_F(PictureCatalogueTest, AMaskFetchedAloneLeavesItsPictureUnreadAndBothNotesShareOneMask)
{
    ASSERT_TRUE(largetriangle1mask());
    EXPECT_EQ(fork->pictureCalls[kLargeTriangle1], 0);
    // The picture then takes that mask without reading it again.
    ASSERT_TRUE(MaskedByPartner(largetriangle1()));
    EXPECT_EQ(fork->pictureCalls[kLargeTriangle1Mask], 1);

    const auto complete = completenote();
    const auto win = winnote();
    ASSERT_TRUE(complete && win);
    EXPECT_EQ(fork->pictureCalls[kWinNoteMask], 1);
    EXPECT_EQ(complete->Mask()->Image(), win->Mask()->Image());
}

TEST_F(PictureCatalogueTest, MissingPicturesAreAskedForAgainButAMaskMissingAtLoadIsNot)
{
    fork->missing = {kTableBackground, kLargeTriangle1, kLargeTriangle2Mask};
    EXPECT_FALSE(tablebackground());
    EXPECT_FALSE(tablebackground());
    EXPECT_EQ(fork->pictureCalls[kTableBackground], 2);
    // A missing masked picture gives nothing too, rather than failing on the mask step.
    EXPECT_NO_THROW(EXPECT_FALSE(largetriangle1()));
    EXPECT_FALSE(largetriangle1());
    EXPECT_EQ(fork->pictureCalls[kLargeTriangle1], 2);

    // A picture whose mask is missing loads unmasked, and stays so for the run.
    const auto unmasked = largetriangle2();
    ASSERT_TRUE(unmasked);
    EXPECT_FALSE(unmasked->HasMask());

    fork->missing.clear();
    ASSERT_TRUE(tablebackground());
    const auto piece = largetriangle1();
    ASSERT_TRUE(piece);
    EXPECT_TRUE(MaskedByPartner(piece));
    ASSERT_TRUE(largetriangle2mask());
    EXPECT_EQ(largetriangle2(), unmasked);
    EXPECT_FALSE(unmasked->HasMask());
}

TEST_F(PictureCatalogueTest, LicenceTextIsFetchedOnceEvenWhenEmptyApartFromItsPicture)
{
    EXPECT_TRUE(kolmira_license().isEmpty());
    EXPECT_TRUE(kolmira_license().isEmpty());
    EXPECT_EQ(fork->textCalls, 1);
    EXPECT_EQ(fork->asked, QStringLiteral("TEXT168"));
    ASSERT_TRUE(about()); // the picture with the same number
    EXPECT_EQ(fork->pictureCalls[kAbout], 1);
    EXPECT_EQ(fork->textCalls, 1);
}

// The resource table, written out on its own: runs of consecutive ids, a
// "stem*N*end" name standing for stem1end to stemNend.
const std::pair<std::int32_t, const char*> kResourceRuns[] = {
    {168, "about"},
    {170, "tablebackground sidebartopbackground puzzlecard playtabbackground statstabbackground "
          "helptabbackground playtabresetbackground"},
    {177, "largetriangle*8* mediumtriangle*8* rhombus*4* smalltriangle*8* square*2*"},
    {207, "largetriangle*8*mask mediumtriangle*8*mask rhombus*4*mask smalltriangle*8*mask square*2*mask"},
    {237, "cardlargetriangle*8*mask cardmediumtriangle*8*mask cardrhombus*4*mask cardsmalltriangle*8*mask "
          "cardsquare*2*mask"},
    {267, "gethint sidebartab1 sidebartab1deselected completenote gethinthilite gethintpressed newpuzzle "
          "newpuzzlehilite newpuzzlepressed quit quithilite quitpressed"},
    {282, "hintlargetriangle*8*mask hintmediumtriangle*8*mask hintrhombus*4*mask hintsmalltriangle*8*mask "
          "hintsquare*2*mask"},
    {312, "sidebartab1hilite sidebartab2 sidebartab2deselected sidebartab2hilite sidebartab3 "
          "sidebartab3deselected sidebartab3hilite winnotemask winnote overlapnotemask overlapnote"},
};
constexpr std::int32_t kFirstPiece = 177;
constexpr std::int32_t kLastPiece = 206;
constexpr std::int32_t kPieceMaskOffset = 30;

std::map<QString, std::int32_t> ResourceTable()
{
    std::map<QString, std::int32_t> table;
    for (const auto& [first, names] : kResourceRuns) {
        std::int32_t id = first;
        for (const QString& token : QString::fromLatin1(names).split(' ')) {
            const QStringList parts = token.split('*');
            const int count = parts.size() == 3 ? parts[1].toInt() : 1;
            for (int n = 1; n <= count; ++n) {
                table[parts.size() == 3 ? parts[0] + QString::number(n) + parts[2] : token] = id++;
            }
        }
    }
    return table;
}

TEST_F(PictureCatalogueTest, EveryNameLoadsItsOwnIdOnceSharedAndMaskedByItsPartner)
{
    const auto table = ResourceTable();
    ASSERT_EQ(table.size(), 151u);
    ASSERT_EQ(CatalogueEntries().size(), table.size());
    for (const auto& [name, id] : table) {
        SCOPED_TRACE(name.toStdString());
        ResetPictureCatalogue();
        fork->pictureCalls.clear();
        // Loaded once and shared by every later call.
        const auto picture = PictureNamed(name);
        ASSERT_TRUE(picture);
        EXPECT_EQ(PictureNamed(name), picture);
        std::int32_t partner = id >= kFirstPiece && id <= kLastPiece ? id + kPieceMaskOffset : 0;
        partner = name.endsWith("note") ? (name == "overlapnote" ? kOverlapNoteMask : kWinNoteMask) : partner;
        std::map<std::int32_t, int> expected{{id, 1}};
        if (partner != 0) {
            expected[partner] = 1;
        }
        EXPECT_EQ(fork->pictureCalls, expected);
        EXPECT_EQ(picture->HasMask(), partner != 0);
    }
}

} // namespace
