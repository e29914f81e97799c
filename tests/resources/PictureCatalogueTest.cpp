#include "CatalogueEntries.h"

#include "platform/pictures/Graphics.h"
#include "platform/pictures/ResourceFork.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

constexpr int kSide = 4;

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

const std::map<QString, std::int32_t> kTable = [] {
    std::map<QString, std::int32_t> table;
    for (const auto& [first, names] : kResourceRuns) {
        std::int32_t id = first;
        for (const QString& token : QString::fromLatin1(names).split(' ')) {
            const QStringList parts = token.split('*'); // stem, count and end for a run
            for (int n = 1; n <= (parts.size() == 3 ? parts[1].toInt() : 1); ++n) {
                table[parts.size() == 3 ? parts[0] + QString::number(n) + parts[2] : token] = id++;
            }
        }
    }
    return table;
}();

// A resource file that counts what it is asked for and can lose entries.
// Every picture is black on its left half and white on its right, so a mask
// taken from a partner differs from a fresh, all-black one.
class CountingFork : public platform::ResourceFork {
public:
    platform::PicturePtr GetPicture(std::int32_t id) override
    {
        ++pictureCalls[id];
        if (missing.count(id) != 0) {
            return nullptr;
        }
        auto picture = std::make_shared<platform::Picture>(kSide, kSide);
        picture->Graphics().FillRect(0, 0, kSide / 2, kSide);
        return picture;
    }
    // A masked picture with the picture maskId as its mask, both asked for.
    platform::PicturePtr GetMaskedPicture(std::int32_t id, std::int32_t maskId) override
    {
        const platform::PicturePtr picture = GetPicture(id);
        if (const platform::PicturePtr mask = picture ? GetPicture(maskId) : nullptr) {
            picture->Mask()->Graphics().DrawPicture(mask.get(), 0, 0);
        }
        return picture;
    }
    QString GetResource(const QString& type, std::int32_t id) override
    {
        textsAsked.append(type + QString::number(id));
        return {};
    }

    std::map<std::int32_t, int> pictureCalls;
    std::set<std::int32_t> missing;
    QStringList textsAsked;
};

// Whether the picture took a partner's mask: shown on the left, hidden on the right.
bool MaskedByPartner(const platform::PicturePtr& picture)
{
    return picture && picture->HasMask() && qRed(picture->Mask()->Image().pixel(0, 0)) == 0
           && qRed(picture->Mask()->Image().pixel(kSide - 1, 0)) == 255;
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

// A mask comes with its picture, found along with it when the picture loads.
TEST_F(PictureCatalogueTest, AMaskComesWithItsPictureWhenItLoadsAndTheLicenceIsReadOnce)
{
    ASSERT_TRUE(largetriangle1mask());
    EXPECT_EQ(fork->pictureCalls, (std::map<std::int32_t, int>{{kTable.at("largetriangle1mask"), 1}}));
    EXPECT_TRUE(MaskedByPartner(largetriangle1()));
    EXPECT_EQ(fork->pictureCalls[kTable.at("largetriangle1mask")], 2);

    EXPECT_TRUE(MaskedByPartner(completenote()) && MaskedByPartner(winnote()));
    EXPECT_EQ(fork->pictureCalls[kTable.at("winnotemask")], 2);

    // The licence is text 168, apart from picture 168; even empty it is read once.
    EXPECT_TRUE(kolmira_license().isEmpty());
    EXPECT_TRUE(kolmira_license().isEmpty());
    EXPECT_EQ(fork->textsAsked, QStringList{QStringLiteral("TEXT168")});
}

TEST_F(PictureCatalogueTest, EveryNameIsAskedForItsOwnIdUntilFoundThenSharedAndMaskedByItsPartner)
{
    ASSERT_EQ(CatalogueAccessors().size(), kTable.size());
    for (const auto& [name, id] : kTable) {
        SCOPED_TRACE(name.toStdString());
        ResetPictureCatalogue();
        fork->pictureCalls.clear();
        // A piece picture or note is masked by the picture of its name plus
        // "mask", the completion note by the win note's.
        const auto partner = kTable.find(name == "completenote" ? QStringLiteral("winnotemask") : name + "mask");
        // Missing, a picture (masked or not) is asked for again on each call;
        // once found it is kept and shared by every later call.
        fork->missing = {id};
        EXPECT_FALSE(PictureNamed(name));
        EXPECT_FALSE(PictureNamed(name));
        fork->missing.clear();
        std::map<std::int32_t, int> expected{{id, 3}};
        if (partner != kTable.end()) {
            expected[partner->second] = 1;
        }
        const auto picture = PictureNamed(name);
        ASSERT_TRUE(picture);
        EXPECT_EQ(PictureNamed(name), picture);
        EXPECT_EQ(fork->pictureCalls, expected);
        EXPECT_EQ(MaskedByPartner(picture), partner != kTable.end());
    }
}

} // namespace
