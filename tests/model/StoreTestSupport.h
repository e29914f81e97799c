#pragma once

#include "app/Globals.h"
#include "platform/Database.h"
#include "platform/MsgBox.h"

#include <QByteArray>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Every store test gets its own empty preferences folder and records the
// one-line messages instead of showing them.
class FreshPreferencesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetGlobals();
        mSavedConfig = qgetenv("XDG_CONFIG_HOME");
        ASSERT_TRUE(mConfig.isValid());
        UsePreferencesFolder(mConfig.path());
        platform::SetMsgBoxHandler([this](const QString& message) { mMessages << message; });
    }

    void TearDown() override
    {
        ResetGlobals();
        platform::SetMsgBoxHandler({});
        qputenv("XDG_CONFIG_HOME", mSavedConfig);
    }

    static void UsePreferencesFolder(const QString& path) { qputenv("XDG_CONFIG_HOME", path.toUtf8()); }

    QString ConfigPath() const { return mConfig.path(); }

    static QByteArray Bytes(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // What a file looks like from outside: its bytes and its modification time.
    struct FileState {
        QByteArray bytes;
        QDateTime modified;
        bool operator==(const FileState&) const = default;
    };
    static FileState StateOf(const QString& path)
    {
        return {Bytes(path), QFileInfo(path).lastModified()};
    }

    // One count out of a store, through a connection of its own.
    static int Count(platform::Database& db, const QString& sql)
    {
        const platform::RecordSetPtr rs = db.SQLSelect(sql);
        return rs && !rs->EOF() ? rs->Field("n").Value().IntegerValue() : -1;
    }

    QStringList mMessages;

private:
    QTemporaryDir mConfig;
    QByteArray mSavedConfig;
};
