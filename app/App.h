#pragma once

#include "platform/Application.h"

// The game's application object. Its events and menu commands only forward
// to AppMethods.
class App : public platform::Application {
public:
    App();

    // The one application object, or null before it exists.
    static App* Instance();

    void Event_EnableMenuItems() override;
    void Event_Open() override;

    bool HelpAboutKolmira_Action();
    bool HelpContactPelkavineSupport_Action();
    bool HelpLicense_Action();
    bool OnlineCheckforUpdate_Action();
    bool OnlineGetUpgradeNotices_Action();
    bool OnlineTellFriendsaboutKolmira_Action();
    bool OnlineVisitKolmiracom_Action();
    bool WindowBringAlltoFront_Action();
    bool GameDetailedStatistics_Action();

private:
    // Binds the handlers above by menu item name.
    void AddMenuHandlers();
};
