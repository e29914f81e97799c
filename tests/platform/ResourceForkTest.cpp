#include "platform/ResourceFork.h"

#include <gtest/gtest.h>

// Substituted forks are exercised by the picture catalogue's tests.
TEST(ResourceForkTest, MissingEntriesGiveNothingRatherThanFailing)
{
    platform::ResourceFork fork;
    EXPECT_EQ(fork.GetPicture(-1), nullptr);
    EXPECT_EQ(fork.GetPicture(123456789), nullptr);
    EXPECT_TRUE(fork.GetResource(QStringLiteral("TEXT"), 987654).isEmpty());
    EXPECT_TRUE(fork.GetResource(QString(), 1).isEmpty());
    EXPECT_TRUE(fork.GetResource(QStringLiteral("../pictures"), 1).isEmpty());
}
