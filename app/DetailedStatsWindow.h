#pragma once

#include "platform/controls/Window.h"

namespace platform {
class Graphics;
}

// The list of every solved-puzzle record in the store, in puzzle-number
// order: the puzzle's number and the hints used. Read once, when the window
// is made.
class DetailedStatsWindow : public platform::Window {
public:
    // Row colours of the list: even rows (from 0) white, odd rows light grey.
    static constexpr unsigned kEvenRowColor = 0xFFFFFF;
    static constexpr unsigned kOddRowColor = 0xF2F2F2;
    // The hidden third column, pressed instead of the visible headings.
    static constexpr int kHiddenColumn = 2;

    DetailedStatsWindow();

    // The open window, or a new one when none is open.
    static DetailedStatsWindow* Instance();

    void Layout();
    void CreateControls();
    void CreateControls0();
    void StatsListBox_Open();
    bool StatsListBox_CellBackgroundPaint(platform::Graphics& g, int row, int column);
    bool StatsListBox_HeaderPressed(int column);
    void OKPushButton_Action();
    void AddMenuHandlers();
    void ShowStatsFromDatabase();

    void Event_Open() override;
};
