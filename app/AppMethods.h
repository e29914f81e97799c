#pragma once

// The work behind the application's events and its menu commands that need
// no window.
namespace AppMethods {

void AppOpen();
void AppEnableMenuItems();

void MenuHandlerAppleAboutKolmira();
void MenuHandlerHelpContactPelkavine();
void MenuHandlerHelpLicense();
void MenuHandlerOnlineCheckforUpdate();
void MenuHandlerOnlineGetUpgradeNotices();
void MenuHandlerOnlineTellFriends();
void MenuHandlerOnlineVisitKolmira();
void MenuHandlerWindowBringAllToFront();
void MenuHandlerGameDetailedStatistics();

} // namespace AppMethods
