#pragma once

#include "platform/controls/Window.h"

#include <cstdint>
#include <functional>
#include <memory>

class NewPuzzleBlinkTimerClass;
class PuzzleCardClass;
class TableClass;
class WindowMenuItem;
namespace platform {
class Canvas;
class Graphics;
class MenuItem;
class PagePanel;
class Picture;
} // namespace platform

// The game's main window: the play table on the right, the sidebar on the
// left with the puzzle card, the Play / Stats / Help pages and their tabs,
// and the New Puzzle, Get Hint and Quit picture buttons. It owns the flows
// of the game (new puzzle, puzzle by number, hints, the sidebar pages) and
// the menu commands that work on the table.
class PlayWindow : public platform::Window {
public:
    // Pages of SidebarPagePanel.
    static constexpr int kPlayPage = 0;
    static constexpr int kStatsPage = 1;
    static constexpr int kHelpPage = 2;
    // Pages of PlayTabPagePanel.
    static constexpr int kPlayButtonsPage = 0;
    static constexpr int kEndPage = 1;
    // Puzzle numbers the player may ask for (the built-in catalogue).
    static constexpr std::int32_t kFirstPuzzle = 1;
    static constexpr std::int32_t kLastPuzzle = 30;
    static constexpr std::int32_t kMaxHints = 7;

    PlayWindow();
    ~PlayWindow() override;

    // Layout and controls.
    void Layout();
    void CreateControls();
    void CreateControls0();

    // Sidebar tabs and the statistics page.
    bool SidebarPanel2PlayButtonCanvas_MouseDown(int x, int y);
    void SidebarPanel2PlayButtonCanvas_MouseEnter();
    void SidebarPanel2PlayButtonCanvas_MouseExit();
    void SidebarPanel2PlayButtonCanvas_Paint(platform::Graphics& g);
    bool SidebarPanel2StatsButtonCanvas_MouseDown(int x, int y);
    void SidebarPanel2StatsButtonCanvas_MouseEnter();
    void SidebarPanel2StatsButtonCanvas_MouseExit();
    void SidebarPanel2StatsButtonCanvas_Paint(platform::Graphics& g);
    void SidebarPanel2HelpButtonCanvas_Paint(platform::Graphics& g);
    bool SidebarPanel1PlayButtonCanvas_MouseDown(int x, int y);
    void SidebarPanel1PlayButtonCanvas_MouseEnter();
    void SidebarPanel1PlayButtonCanvas_Paint(platform::Graphics& g);
    void SidebarPanel1PlayButtonCanvas_MouseExit();
    void SidebarPanel1StatsButtonCanvas_Paint(platform::Graphics& g);
    bool SidebarPanel1HelpButtonCanvas_MouseDown(int x, int y);
    void SidebarPanel1HelpButtonCanvas_MouseEnter();
    void SidebarPanel1HelpButtonCanvas_MouseExit();
    void SidebarPanel1HelpButtonCanvas_Paint(platform::Graphics& g);
    void StatsSidebarCanvas_Paint(platform::Graphics& g);
    void SidebarPanel0PlayButtonCanvas_Paint(platform::Graphics& g);
    bool SidebarPanel0StatsButtonCanvas_MouseDown(int x, int y);
    void SidebarPanel0StatsButtonCanvas_MouseEnter();
    void SidebarPanel0StatsButtonCanvas_MouseExit();
    void SidebarPanel0StatsButtonCanvas_Paint(platform::Graphics& g);
    bool SidebarPanel0HelpButtonCanvas_MouseDown(int x, int y);
    void SidebarPanel0HelpButtonCanvas_MouseEnter();
    void SidebarPanel0HelpButtonCanvas_MouseExit();
    void SidebarPanel0HelpButtonCanvas_Paint(platform::Graphics& g);

    // Picture buttons.
    void NewPuzzleButtonCanvas_MouseEnter();
    void NewPuzzleButtonCanvas_MouseExit();
    bool NewPuzzleButtonCanvas_MouseDown(int x, int y);
    void NewPuzzleButtonCanvas_MouseUp(int x, int y);
    void NewPuzzleButtonCanvas_Paint(platform::Graphics& g);
    void GetHintButtonCanvas_MouseEnter();
    bool GetHintButtonCanvas_MouseDown(int x, int y);
    void GetHintButtonCanvas_MouseExit();
    void GetHintButtonCanvas_MouseUp(int x, int y);
    void GetHintButtonCanvas_Paint(platform::Graphics& g);
    void QuitButtonCanvas_MouseEnter();
    bool QuitButtonCanvas_MouseDown(int x, int y);
    void QuitButtonCanvas_MouseExit();
    void QuitButtonCanvas_MouseUp(int x, int y);
    void QuitButtonCanvas_Paint(platform::Graphics& g);

    // The item of that name anywhere in the window's menu bar, or null (the
    // bar's items, reached by name rather than one accessor each).
    platform::MenuItem* MenuItemNamed(const QString& name) const;

    // Window events, menu commands and flows.
    void AddMenuHandlers();
    void Event_Activate() override;
    void Event_Close() override;
    void Event_Deactivate() override;
    void Event_Minimize() override;
    void Event_Restore() override;
    void Event_Open() override;
    void Event_EnableMenuItems() override;
    bool WindowMinimize_Action();
    bool GameNewPuzzle_Action();
    bool GameCloseWindow_Action();
    bool GameGetHint_Action();
    bool GameOpenPuzzleNumber_Action();
    bool GameStatistics_Action();
    bool HelpKolmiraHelp_Action();
    bool GameMakeGameHarder_Action();
    void LoadRandomPuzzle();
    void SetSidebarStats();
    // The statistics read afresh from the store onto the Play page: its
    // buttons, or its end page once the game is over.
    void ShowNewStatistics();
    void SetPlaySidebar();
    void GetHint();
    void NewPuzzle();
    void SetSidebarTab(std::int32_t page);
    void LoadPuzzleNumber(std::int32_t n);

    bool mMinimized = false;
    std::shared_ptr<WindowMenuItem> mWindowMenuItem;
    std::shared_ptr<NewPuzzleBlinkTimerClass> mNewPuzzleBlinkTimer;
    std::int32_t mStatsSolved = 0;
    std::int32_t mStatsHints3 = 0;
    std::int32_t mStatsHints2 = 0;
    std::int32_t mStatsHints4 = 0;
    std::int32_t mStatsHints5 = 0;
    std::int32_t mStatsHints6 = 0;
    std::int32_t mStatsHints1 = 0;
    std::int32_t mStatsHints7 = 0;
    std::int32_t mStatsUnsolved = 0;
    std::int32_t mStatsHints0 = 0;

private:
    using PictureFn = std::shared_ptr<platform::Picture> (*)();

    platform::Canvas& CanvasNamed(const QString& name) const;
    platform::PagePanel& PanelNamed(const QString& name) const;
    // The picture at the control's corner; missing art leaves it as it is.
    static void PaintArt(platform::Graphics& g, PictureFn picture);
    // Hover and press pictures go straight onto the control; ShowOnControl
    // also shows them at once.
    void DrawOnControl(const QString& name, PictureFn picture);
    void ShowOnControl(const QString& name, PictureFn picture);
    // The release-inside test of the picture buttons, on window coordinates
    // and inclusive at both ends.
    bool IsPointerInside(const QString& name) const;
    // A picture button's release: inside, the highlighted picture and the
    // action; outside, the normal picture. Either way the window shows it.
    void ReleaseButton(const QString& name, PictureFn hilite, PictureFn normal,
                       const std::function<void()>& action);
    void ShowTitle();
    void ReloadTableAfterPuzzleChange();
};
