#pragma once

// A whole game started as the program starts it (the application object and
// its Open), over a fresh store in a temporary preferences folder, with the
// desktop services answered by recorders.

#include "app/App.h"
#include "app/Globals.h"
#include "app/PlayWindow.h"
#include "model/PrefsDatabaseClass.h"
#include "model/PuzzleClass.h"
#include "model/StatsClass.h"
#include "platform/Canvas.h"
#include "platform/Database.h"
#include "platform/EventGuard.h"
#include "platform/MessageDialog.h"
#include "platform/NilObjectException.h"
#include "platform/PagePanel.h"
#include "platform/RecordSet.h"
#include "platform/Picture.h"
#include "platform/System.h"
#include "table/NewPuzzleBlinkTimerClass.h"
#include "table/TableClass.h"
#include "table/WinNoteTimerClass.h"

#include <QCoreApplication>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

class GameSession : public ::testing::Test {
protected:
    static constexpr int kScreenWidth = 1280;
    static constexpr int kScreenHeight = 1024;

    void SetUp() override
    {
        ASSERT_TRUE(mConfig.isValid());
        qputenv("XDG_CONFIG_HOME", mConfig.path().toUtf8());
        platform::SetFailureReporter([this](const QString& what) { mFailures << what; });
        platform::Hooks().quit = [this](int) { ++mQuits; };
        platform::Hooks().showURL = [this](const QString& url) { mUrls << url; };
        platform::Hooks().beep = [] {};
        platform::Hooks().screen = [this](int) { return mScreen; };
        platform::MessageDialog::SetResponder([this](platform::MessageDialog& d) {
            mDialogs << d.Message;
            return &d.ActionButton;
        });
        ResetGlobals();
    }

    void TearDown() override
    {
        StopGame();
        platform::ResetSystemHooks();
        platform::MessageDialog::SetResponder({});
        platform::SetFailureReporter({});
        EXPECT_TRUE(mFailures.isEmpty()) << mFailures.join(QStringLiteral("; ")).toStdString();
    }

    // Creates the application object and runs its Open, as the event loop
    // does right after the program starts.
    void StartGame()
    {
        ResetGlobals();
        mApp = std::make_unique<App>();
        mApp->Open();
    }

    // Closes the play window (if open) the way the player does, deletes it
    // and forgets every shared object.
    void StopGame()
    {
        if (gPlayWindow != nullptr) {
            gPlayWindow->close();
        }
        FlushDeletes();
        mApp.reset();
        ResetGlobals();
    }

    static void FlushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    PlayWindow& Window() const { return platform::Deref(gPlayWindow); }
    TableClass& Table() const { return platform::Deref(gTable); }
    PuzzleClass& Puzzle() const { return platform::Deref(gPuzzle); }
    StatsClass& Stats() const { return platform::Deref(gStats); }
    platform::Canvas& CanvasNamed(const QString& name) const
    {
        return platform::Deref(Window().ControlAs<platform::Canvas>(name));
    }
    int PageOf(const QString& panel) const
    {
        return platform::Deref(Window().ControlAs<platform::PagePanel>(panel)).Value();
    }

    // Runs a statement on the store, for setting up a situation.
    void Execute(const QString& sql) const
    {
        auto& db = platform::Deref(platform::Deref(gPrefsDatabase).mDB);
        db.SQLExecute(sql);
        db.Commit();
    }

    // The single number a "SELECT COUNT(*) AS n ..." answers.
    int Count(const QString& sql) const
    {
        auto& db = platform::Deref(platform::Deref(gPrefsDatabase).mDB);
        auto rs = db.SQLSelect(sql);
        return rs ? rs->Field(QStringLiteral("n")).Value().IntegerValue() : -1;
    }

    // True when the canvas's top-left shows exactly the picture's pixels.
    static bool ShowsPicture(const platform::Canvas& canvas, const platform::PicturePtr& picture)
    {
        if (!picture) {
            return false;
        }
        const QImage& image = picture->Image();
        const int w = std::min(image.width(), canvas.Surface().width());
        const int h = std::min(image.height(), canvas.Surface().height());
        const QImage shown = canvas.Surface().copy(0, 0, w, h).convertToFormat(QImage::Format_RGB32);
        return shown == image.copy(0, 0, w, h).convertToFormat(QImage::Format_RGB32);
    }

    QTemporaryDir mConfig;
    std::unique_ptr<App> mApp;
    QStringList mFailures;
    QStringList mUrls;
    QStringList mDialogs;
    int mQuits = 0;
    platform::ScreenInfo mScreen{kScreenWidth, kScreenHeight, 32};
};
