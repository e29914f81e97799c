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

    bool _HelpAboutKolmira_Action();
    bool _HelpContactPelkavineSupport_Action();
    bool _HelpLicense_Action();
    bool _OnlineCheckforUpdate_Action();
    bool _OnlineGetUpgradeNotices_Action();
    bool _OnlineTellFriendsaboutKolmira_Action();
    bool _OnlineVisitKolmiracom_Action();
    bool _WindowBringAlltoFront_Action();
    bool _GameDetailedStatistics_Action();

private:
    // Binds the handlers above by menu item name.
    void AddMenuHandlers();
};
