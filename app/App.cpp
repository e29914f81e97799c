#include "app/App.h"

#include "app/AppMethods.h"
#include "app/MainMenuBarMac.h"

App::App()
{
    SetMenuBar(MainMenuBarMac::Instance());
    AddMenuHandlers();
}

App* App::Instance()
{
    return dynamic_cast<App*>(platform::Application::Instance());
}

void App::AddMenuHandlers()
{
    // Three item names keep their ellipsis; the handlers' names cannot.
    AddMenuHandler(QStringLiteral("HelpAboutKolmira"), [this] { return HelpAboutKolmira_Action(); });
    AddMenuHandler(QStringLiteral("HelpContactPelkavineSupport"),
                   [this] { return HelpContactPelkavineSupport_Action(); });
    AddMenuHandler(QStringLiteral("HelpLicense"), [this] { return HelpLicense_Action(); });
    AddMenuHandler(QStringLiteral("OnlineCheckforUpdate\u2026"),
                   [this] { return OnlineCheckforUpdate_Action(); });
    AddMenuHandler(QStringLiteral("OnlineGetUpgradeNotices\u2026"),
                   [this] { return OnlineGetUpgradeNotices_Action(); });
    AddMenuHandler(QStringLiteral("OnlineTellFriendsaboutKolmira\u2026"),
                   [this] { return OnlineTellFriendsaboutKolmira_Action(); });
    AddMenuHandler(QStringLiteral("OnlineVisitKolmiracom"),
                   [this] { return OnlineVisitKolmiracom_Action(); });
    AddMenuHandler(QStringLiteral("WindowBringAlltoFront"),
                   [this] { return WindowBringAlltoFront_Action(); });
    AddMenuHandler(QStringLiteral("GameDetailedStatistics"),
                   [this] { return GameDetailedStatistics_Action(); });
}

void App::Event_EnableMenuItems()
{
    AppMethods::AppEnableMenuItems();
}

void App::Event_Open()
{
    AppMethods::AppOpen();
}

bool App::HelpAboutKolmira_Action()
{
    AppMethods::MenuHandlerAppleAboutKolmira();
    return false;
}

bool App::HelpContactPelkavineSupport_Action()
{
    AppMethods::MenuHandlerHelpContactPelkavine();
    return false;
}

bool App::HelpLicense_Action()
{
    AppMethods::MenuHandlerHelpLicense();
    return false;
}

bool App::OnlineCheckforUpdate_Action()
{
    AppMethods::MenuHandlerOnlineCheckforUpdate();
    return false;
}

bool App::OnlineGetUpgradeNotices_Action()
{
    AppMethods::MenuHandlerOnlineGetUpgradeNotices();
    return false;
}

bool App::OnlineTellFriendsaboutKolmira_Action()
{
    AppMethods::MenuHandlerOnlineTellFriends();
    return false;
}

bool App::OnlineVisitKolmiracom_Action()
{
    AppMethods::MenuHandlerOnlineVisitKolmira();
    return false;
}

bool App::WindowBringAlltoFront_Action()
{
    AppMethods::MenuHandlerWindowBringAllToFront();
    return false;
}

bool App::GameDetailedStatistics_Action()
{
    AppMethods::MenuHandlerGameDetailedStatistics();
    return false;
}
