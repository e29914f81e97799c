#include "tests/support/GameSession.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <array>
#include <iostream>

// Two copies of the game started at the same moment on an empty preferences
// folder: both must come up on the one store, without a word, and leave
// nothing else behind. Each copy is this test program run again as one
// game, held at its start until both are ready, then released together.

const char* const kSharedConfig = "KOLMIRA_SHARED_CONFIG";
const char* const kOneCopy = "TwoFirstStarts.OneCopyOfTheGame";
constexpr int kRounds = 100;
constexpr int kProcessWaitMs = 30000;

// One copy of the game: starts when released, reports what the player was
// told and whether its progress goes to the file, then quits.
class TwoFirstStarts : public GameSession {};

TEST_F(TwoFirstStarts, OneCopyOfTheGame)
{
    const QByteArray shared = qgetenv(kSharedConfig);
    if (shared.isEmpty()) {
        GTEST_SKIP() << "run by the test below";
    }
    qputenv("XDG_CONFIG_HOME", shared);
    std::cout << "ready" << std::endl;
    std::cin.get();
    StartGame();
    std::cout << "told: [" << mMessages.join("; ").toStdString() << "], keeps to file: " << StoreDb().KeepsToFile()
              << std::endl;
    StopGame();
}

TEST(TwoFirstStartsTogether, BothComeUpOnOneWholeStoreWithoutAWordAndLeaveNoDraft)
{
    // One round shows the fault; a hundred reports of it do not help.
    for (int round = 0; round < kRounds && !HasFailure(); ++round) {
        SCOPED_TRACE(round);
        QTemporaryDir config;
        ASSERT_TRUE(config.isValid());
        std::array<QProcess, 2> copies;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(kSharedConfig, config.path());
        for (auto& copy : copies) {
            copy.setProcessEnvironment(env);
            copy.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--gtest_filter=") + kOneCopy});
        }
        // Each copy's output up to its line "ready" (the test runner writes lines of its own before it).
        for (auto& copy : copies) {
            QByteArray out;
            while (!out.contains("ready\n") && copy.waitForReadyRead(kProcessWaitMs)) {
                out += copy.readAll();
            }
            ASSERT_TRUE(out.contains("ready\n")) << out.toStdString();
        }
        // Written at once, not when each copy is waited for.
        for (auto& copy : copies) {
            copy.write("go\n");
            copy.waitForBytesWritten(kProcessWaitMs);
        }
        for (auto& copy : copies) {
            ASSERT_TRUE(copy.waitForFinished(kProcessWaitMs));
            const QString out = QString::fromUtf8(copy.readAllStandardOutput());
            EXPECT_EQ(copy.exitCode(), 0) << out.toStdString();
            EXPECT_TRUE(out.contains("told: [], keeps to file: 1")) << out.toStdString();
        }
        const QString folder = config.filePath("Kolmira");
        EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"Kolmira.dat"});
        platform::Database store;
        store.DatabaseFile = folder + "/Kolmira.dat";
        ASSERT_TRUE(store.Connect());
        // Sound, and the catalogue and first-run mark written once.
        const auto rows = store.SQLSelect("SELECT (SELECT integrity_check FROM pragma_integrity_check) || "
                                          "(SELECT COUNT(*) FROM Puzzles) || "
                                          "(SELECT COUNT(*) FROM Prefs WHERE PrefName = 'RanOnce') AS s");
        ASSERT_NE(rows, nullptr);
        EXPECT_EQ(rows->Field("s").Value().StringValue(), "ok301");
    }
}
