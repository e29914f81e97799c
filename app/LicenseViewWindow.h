#pragma once

#include "platform/controls/Window.h"

// The licence text viewer: the licence from the game's resources, read-only,
// with its marked passages in bold.
class LicenseViewWindow : public platform::Window {
public:
    LicenseViewWindow();

    // The open window, or a new one when none is open.
    static LicenseViewWindow* Instance();

    void Layout();
    void CreateControls();
    void CreateControls0();
    void LicenseViewEditField_Open();
    void OKPushButton_Action();
    void AddMenuHandlers();
    bool PuzzleCloseWindow_Action();

    void Event_Open() override;
};
