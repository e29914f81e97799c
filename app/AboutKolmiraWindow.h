#pragma once

#include "platform/controls/Window.h"

// The About window: the game's picture with its version, the product web
// site's address (a click opens the site) and the maker's notice. A click
// anywhere else closes it.
class AboutKolmiraWindow : public platform::Window {
public:
    AboutKolmiraWindow();

    // The open window, or a new one when none is open.
    static AboutKolmiraWindow* Instance();

    void Layout();
    void CreateControls();
    void CreateControls0();
    bool URLStaticText_MouseDown();
    void URLStaticText_Open();
    void AddMenuHandlers();
    bool GameCloseWindow_Action();
    bool Event_MouseDown();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};
