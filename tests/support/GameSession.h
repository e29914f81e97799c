#pragma once

// A whole game started as the program starts it (the application object and
// its Open), over a fresh store in a temporary preferences folder, with the
// desktop services, message boxes and confirmations answered by recorders.

#include "app/App.h"
#include "app/Globals.h"
#include "app/PlayWindow.h"
#include "model/PrefsDatabaseClass.h"
#include "model/PuzzleClass.h"
#include "model/StatsClass.h"
#include "platform/controls/Canvas.h"
#include "platform/store/Database.h"
#include "platform/EventGuard.h"
#include "platform/dialogs/MessageDialog.h"
#include "platform/dialogs/MsgBox.h"
#include "platform/NilObjectException.h"
#include "platform/controls/PagePanel.h"
#include "platform/System.h"
#include "resources/PictureCatalogue.h"
#include "tests/support/WindowInput.h"
#include "table/NewPuzzleBlinkTimerClass.h"
#include "table/TableClass.h"
#include "table/WinNoteTimerClass.h"

#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <functional>

// Shows a test every event the object it watches gets, before the object.
class EventTap : public QObject {
public:
    explicit EventTap(std::function<void(const QEvent&)> seen) : mSeen(std::move(seen)) {}
    bool eventFilter(QObject* /*watched*/, QEvent* event) override
    {
        mSeen(*event);
        return false;
    }

private:
    std::function<void(const QEvent&)> mSeen;
};

class GameSession : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(mConfig.isValid());
        qputenv("XDG_CONFIG_HOME", mConfig.path().toUtf8());
        platform::SetFailureReporter([this](const QString& what) { mFailures << what; });
        platform::SetMsgBoxHandler([this](const QString& m) { mMessages << m; });
        platform::Hooks().quit = [this](int) { ++mQuits; };
        platform::Hooks().showURL = [this](const QString& url) { mUrls << url; };
        platform::Hooks().beep = [this] { ++mBeeps; };
        platform::Hooks().screen = [this](int) { return mScreen; };
        platform::MessageDialog::SetResponder([this](platform::MessageDialog& d) {
            mDialogs << d.Message;
            mDialogLooks << QStringLiteral("icon %1, %2").arg(d.Icon).arg(d.ActionButton.Caption);
            return mAnswer ? &d.ActionButton : &d.CancelButton;
        });
        ResetGlobals();
    }

    void TearDown() override
    {
        StopGame();
        platform::ResetSystemHooks();
        platform::MessageDialog::SetResponder({});
        platform::SetMsgBoxHandler({});
        platform::SetFailureReporter({});
        EXPECT_TRUE(mFailures.isEmpty()) << mFailures.join("; ").toStdString();
    }

    // The application object and its Open, as right after the program starts.
    void StartGame()
    {
        ResetGlobals();
        mApp = std::make_unique<App>();
        mApp->Open();
    }

    // Started, and the play window painted on the screen.
    void StartShown()
    {
        StartGame();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Window()));
        QCoreApplication::processEvents();
    }

    // Closes every window the way the player does, dialogs first (none may
    // outlive its game), and forgets the game.
    void StopGame()
    {
        for (int left = 100; platform::Window::WindowCount() > 0 && left > 0; --left) {
            platform::Window::WindowAt(0)->close();
            FlushDeletes();
        }
        mApp.reset();
        ResetGlobals();
    }

    // How many windows of the kind are open.
    template <class T>
    static int OpenCount()
    {
        int count = 0;
        for (int i = 0; i < platform::Window::WindowCount(); ++i) {
            count += dynamic_cast<T*>(platform::Window::WindowAt(i)) != nullptr ? 1 : 0;
        }
        return count;
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
    QString TitleFor(int number) const { return QStringLiteral("Kolmira - Puzzle #%1").arg(number); }

    // Press inside a sidebar button canvas, release at a point of its own.
    void ClickCanvas(const QString& name, QPoint release = {20, 20})
    {
        WindowInput::Press(CanvasNamed(name), QPoint(10, 10));
        WindowInput::Release(CanvasNamed(name), release);
    }

    static platform::Database& StoreDb() { return platform::Deref(platform::Deref(gPrefsDatabase).mDB); }
    void Execute(const QString& sql) const
    {
        StoreDb().SQLExecute(sql);
        StoreDb().Commit();
    }

    // How many rows of the table match the condition.
    int Count(const QString& table, const QString& where = QStringLiteral("1")) const
    {
        auto rs = StoreDb().SQLSelect(QStringLiteral("SELECT COUNT(*) AS n FROM %1 WHERE %2").arg(table, where));
        return rs ? rs->Field(QStringLiteral("n")).Value().IntegerValue() : -1;
    }

    void AddSolved(int number, int hints) const
    {
        Execute(QStringLiteral("INSERT INTO SolvedPuzzles (Number, NumHintsUsed) VALUES (%1, %2)").arg(number).arg(hints));
    }

    // True when the canvas shows the picture with its top-left corner at the
    // point, on every pixel of it that its mask leaves opaque.
    static bool ShowsPicture(const platform::Canvas& canvas, const platform::PicturePtr& picture, QPoint at = {})
    {
        const QImage& shown = canvas.Surface();
        const QImage& art = platform::Deref(picture).Image();
        const QImage mask = picture->HasMask() ? picture->Mask()->Image() : QImage();
        const QRect area = QRect(at, art.size()).intersected(shown.rect());
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                const QPoint p = QPoint(x, y) - at;
                if ((mask.isNull() || qGray(mask.pixel(p)) == 0) && ((shown.pixel(x, y) ^ art.pixel(p)) & 0xFFFFFF)) {
                    return false;
                }
            }
        }
        return !area.isEmpty();
    }

    // Whether the table shows the note centred across it, 130 pixels down:
    // x is half the table's width less half the note's, cut to a whole pixel.
    bool TableShowsNote(const platform::PicturePtr& note) const
    {
        constexpr int kNoteTop = 130;
        const int left = static_cast<int>(Table().Width() / 2.0 - platform::Deref(note).Width() / 2.0);
        return ShowsPicture(Table(), note, {left, kNoteTop});
    }

    QTemporaryDir mConfig;
    std::unique_ptr<App> mApp;
    QStringList mFailures;
    QStringList mMessages;
    QStringList mUrls;
    QStringList mDialogs; // confirmations, each answered by mAnswer (true: the action)
    QStringList mDialogLooks; // each confirmation's icon and action button
    bool mAnswer = true;
    int mQuits = 0;
    int mBeeps = 0;
    platform::ScreenInfo mScreen{1280, 1024, 32, {}}; // the offscreen test screen
};

// A session fixture whose game is started and shown before each test.
template <class Session>
class Shown : public Session {
protected:
    void SetUp() override
    {
        Session::SetUp();
        this->StartShown();
    }
};
