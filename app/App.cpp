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
    AddMenuHandler(QStringLiteral("HelpAboutKolmira"), [this] { return _HelpAboutKolmira_Action(); });
    AddMenuHandler(QStringLiteral("HelpContactPelkavineSupport"),
                   [this] { return _HelpContactPelkavineSupport_Action(); });
    AddMenuHandler(QStringLiteral("HelpLicense"), [this] { return _HelpLicense_Action(); });
    AddMenuHandler(QStringLiteral("OnlineCheckforUpdate\u2026"),
                   [this] { return _OnlineCheckforUpdate_Action(); });
    AddMenuHandler(QStringLiteral("OnlineGetUpgradeNotices\u2026"),
                   [this] { return _OnlineGetUpgradeNotices_Action(); });
    AddMenuHandler(QStringLiteral("OnlineTellFriendsaboutKolmira\u2026"),
                   [this] { return _OnlineTellFriendsaboutKolmira_Action(); });
    AddMenuHandler(QStringLiteral("OnlineVisitKolmiracom"),
                   [this] { return _OnlineVisitKolmiracom_Action(); });
    AddMenuHandler(QStringLiteral("WindowBringAlltoFront"),
                   [this] { return _WindowBringAlltoFront_Action(); });
    AddMenuHandler(QStringLiteral("GameDetailedStatistics"),
                   [this] { return _GameDetailedStatistics_Action(); });
}

void App::Event_EnableMenuItems()
{
    AppMethods::AppEnableMenuItems();
}

void App::Event_Open()
{
    AppMethods::AppOpen();
}

bool App::_HelpAboutKolmira_Action()
{
    AppMethods::MenuHandlerAppleAboutKolmira();
    return false;
}

bool App::_HelpContactPelkavineSupport_Action()
{
    AppMethods::MenuHandlerHelpContactPelkavine();
    return false;
}

bool App::_HelpLicense_Action()
{
    AppMethods::MenuHandlerHelpLicense();
    return false;
}

bool App::_OnlineCheckforUpdate_Action()
{
    AppMethods::MenuHandlerOnlineCheckforUpdate();
    return false;
}

bool App::_OnlineGetUpgradeNotices_Action()
{
    AppMethods::MenuHandlerOnlineGetUpgradeNotices();
    return false;
}

bool App::_OnlineTellFriendsaboutKolmira_Action()
{
    AppMethods::MenuHandlerOnlineTellFriends();
    return false;
}

bool App::_OnlineVisitKolmiracom_Action()
{
    AppMethods::MenuHandlerOnlineVisitKolmira();
    return false;
}

bool App::_WindowBringAlltoFront_Action()
{
    AppMethods::MenuHandlerWindowBringAllToFront();
    return false;
}

bool App::_GameDetailedStatistics_Action()
{
    AppMethods::MenuHandlerGameDetailedStatistics();
    return false;
}
