#include "tests/support/AnotherProgram.h"

#include "tests/support/FullDisk.h"

#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <gtest/gtest.h>

void AnotherProgram::Take(Hold hold, const QString& file)
{
    if (hold == kNone) {
        FullDisk::SetFull(true);
        return;
    }
    mDb.DatabaseFile = file;
    ASSERT_TRUE(mDb.Connect());
    const char* begin[] = {"", "BEGIN EXCLUSIVE", "BEGIN IMMEDIATE", "BEGIN"};
    mDb.SQLExecute(begin[hold]);
    // The read lock of a deferred transaction stays until it ends.
    ASSERT_TRUE(hold != kShared || mDb.SQLSelect("SELECT * FROM sqlite_master") != nullptr);
    ASSERT_FALSE(mDb.Error()) << mDb.ErrorMessage().toStdString();
}

void AnotherProgram::Release()
{
    mDb.Close();
    FullDisk::SetFull(false);
}

bool AnotherProgram::ChangeFile(Change change, const QString& file)
{
    switch (change) {
    case kEmptied:
    case kCutShort:
        return QFile::resize(file, change == kEmptied ? 0 : QFileInfo(file).size() / 2);
    case kRemoved:
        return QFile::remove(file);
    case kRenamedOver: {
        const QString saved = file + QStringLiteral(".saved");
        return QFile::copy(file, saved)
            && std::rename(QFile::encodeName(saved).constData(), QFile::encodeName(file).constData()) == 0;
    }
    }
    return false;
}
