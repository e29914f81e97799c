#include "platform/ResourceFork.h"

#include <gtest/gtest.h>

using platform::ResourceFork;

namespace {

constexpr std::int32_t kOnlyPicture = 9000;

// A fork holding a single picture and a single text, as a test stand-in for
// a build whose art is incomplete.
class SparseFork : public ResourceFork {
public:
    platform::PicturePtr GetPicture(std::int32_t id) override
    {
        return id == kOnlyPicture ? std::make_shared<platform::Picture>(3, 2) : nullptr;
    }
    QString GetResource(const QString& type, std::int32_t id) override
    {
        return type == QLatin1String("TEXT") && id == 1 ? QStringLiteral("Grüße") : QString();
    }
};

} // namespace

TEST(ResourceForkTest, MissingEntriesGiveNothingRatherThanFailing)
{
    ResourceFork fork;
    EXPECT_EQ(fork.GetPicture(-1), nullptr);
    EXPECT_EQ(fork.GetPicture(123456789), nullptr);
    EXPECT_TRUE(fork.GetResource(QStringLiteral("TEXT"), 987654).isEmpty());
    EXPECT_TRUE(fork.GetResource(QString(), 1).isEmpty());
    EXPECT_TRUE(fork.GetResource(QStringLiteral("../pictures"), 1).isEmpty());
}

TEST(ResourceForkTest, ASubstitutedForkIsUsedUntilTheBuiltInOneIsRestored)
{
    const platform::ResourceForkPtr builtIn = platform::appResourceForkGetter();
    ASSERT_NE(builtIn, nullptr);
    EXPECT_EQ(platform::appResourceForkGetter(), builtIn) << "one shared fork";

    platform::SetAppResourceFork(std::make_shared<SparseFork>());
    const platform::ResourceForkPtr fork = platform::appResourceForkGetter();
    EXPECT_NE(fork, builtIn);
    const platform::PicturePtr picture = fork->GetPicture(kOnlyPicture);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->Width(), 3);
    EXPECT_EQ(fork->GetPicture(kOnlyPicture + 1), nullptr);
    EXPECT_EQ(fork->GetResource(QStringLiteral("TEXT"), 1), QStringLiteral("Grüße"));

    platform::SetAppResourceFork(nullptr);
    EXPECT_EQ(platform::appResourceForkGetter(), builtIn);
}
