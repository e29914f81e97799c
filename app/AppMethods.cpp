#include "app/AppMethods.h"

#include "app/App.h"
#include "app/Dialogs.h"
#include "app/Globals.h"
#include "app/GlobalsShell.h"
#include "app/MainMenuBarMac.h"
#include "app/PlayWindow.h"
#include "app/SiteAddress.h"
#include "model/PrefsDatabaseClass.h"
#include "model/PuzzleClass.h"
#include "model/StatsClass.h"
#include "platform/dialogs/MessageDialog.h"
#include "platform/NilObjectException.h"
#include "platform/Random.h"
#include "platform/System.h"
#include "platform/controls/Window.h"

#include <cstdint>

namespace AppMethods {

namespace {

// Oldest system the game accepts, in the version query's form (10.3.0).
constexpr std::int32_t kMinimumSystemVersion = 0x1030;
constexpr int kMinimumScreenWidth = 1024;
constexpr int kMinimumScreenHeight = 768;
// The dialogs' question-mark icon.
constexpr int kWarningIcon = 3;

void Warn(const QString& button, const QString& message, const QString& explanation)
{
    platform::MessageDialog dialog;
    dialog.Icon = kWarningIcon;
    dialog.CancelButton.Visible = false;
    dialog.ActionButton.Caption = button;
    dialog.Message = message;
    dialog.Explanation = explanation;
    dialog.ShowModal();
}

void CheckSystemVersion()
{
    std::int32_t version = 0;
    if (platform::SystemGestalt(QStringLiteral("sysv"), version) && version < kMinimumSystemVersion) {
        Warn(QStringLiteral("Quit"), QStringLiteral("Newer Mac OS X version required."),
             QStringLiteral("Kolmira requires Mac OS X 10.3 (Panther) or higher."));
        // Start-up goes on; the quit takes effect once the event loop runs.
        platform::Quit(0);
    }
}

void CheckScreenSize()
{
    const platform::ScreenInfo screen = platform::Screen(0);
    if (screen.Width < kMinimumScreenWidth || screen.Height < kMinimumScreenHeight) {
        Warn(QStringLiteral("OK"), QStringLiteral("Your screen may be too small."),
             QStringLiteral("Kolmira requires a minimum screen size of 1024 x 768."));
    }
}

void OpenSitePage(const QString& path)
{
    platform::ShowURL(kProductSiteAddress + path);
}

} // namespace

void AppOpen()
{
    CheckSystemVersion();
    CheckScreenSize();
    gRandom = std::make_shared<platform::Random>();
    // Each shared object is complete before it is published.
    auto store = std::make_shared<PrefsDatabaseClass>();
    gPrefsDatabase = store;
    gBitDepth = platform::Screen(0).Depth;
    auto puzzle = std::make_shared<PuzzleClass>();
    gPuzzle = puzzle;
    auto stats = std::make_shared<StatsClass>();
    gStats = stats;
    PreloadPictures();

    const platform::Variant harder = gPrefsDatabase->GetPref(QStringLiteral("MakeGameHarder"));
    gPrefMakeGameHarder = harder.IsNil() ? false : harder.BooleanValue();
    if (gPrefsDatabase->GetPref(QStringLiteral("RanOnce")).IsNil()) {
        gFirstRun = true;
    }

    ShowPlayWindow();

    if (gFirstRun) {
        gPrefsDatabase->SetPref(QStringLiteral("RanOnce"), platform::Variant(QStringLiteral("Yes")));
        platform::Deref(gPlayWindow).SetSidebarTab(PlayWindow::kHelpPage);
    }
    if (platform::Application* app = platform::Application::Instance()) {
        app->SetAutoQuit(true);
    }
}

void AppEnableMenuItems()
{
    bool enabled = false;
    for (int i = 0; i <= platform::Window::WindowCount() - 1; ++i) {
        const platform::Window* window = platform::Window::WindowAt(i);
        if (window != nullptr && window->isVisible() && !window->IsMinimized()) {
            enabled = true;
        }
    }
    MainMenuBarMac::Instance()
        ->Item(QStringLiteral("WindowMenu"), QStringLiteral("WindowBringAlltoFront"))
        .SetEnabled(enabled);
}

void MenuHandlerAppleAboutKolmira()
{
    ShowAboutWindow();
}

void MenuHandlerHelpContactPelkavine()
{
    OpenSitePage(QStringLiteral("/contact/"));
}

void MenuHandlerHelpLicense()
{
    ShowLicenseWindow();
}

void MenuHandlerOnlineCheckforUpdate()
{
    OpenSitePage(QStringLiteral("/upgrade/?os=mac&version=1.1"));
}

void MenuHandlerOnlineGetUpgradeNotices()
{
    OpenSitePage(QStringLiteral("/elist/"));
}

void MenuHandlerOnlineTellFriends()
{
    OpenSitePage(QStringLiteral("/share/"));
}

void MenuHandlerOnlineVisitKolmira()
{
    OpenSitePage(QStringLiteral("/"));
}

void MenuHandlerWindowBringAllToFront()
{
    // Every visible window of the game comes up, the front one last so it
    // stays in front; minimized windows stay where they are.
    std::vector<platform::Window*> windows;
    for (int i = 0; i < platform::Window::WindowCount(); ++i) {
        windows.push_back(platform::Window::WindowAt(i));
    }
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        platform::Window* window = *it;
        if (window != nullptr && window->isVisible() && !window->IsMinimized()) {
            window->raise();
        }
    }
    if (!windows.empty() && windows.front() != nullptr && windows.front()->isVisible()) {
        windows.front()->activateWindow();
    }
}

void MenuHandlerGameDetailedStatistics()
{
    ShowDetailedStats();
}

} // namespace AppMethods
