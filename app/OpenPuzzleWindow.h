#pragma once

#include "platform/controls/Window.h"

#include <QString>
#include <cstdint>
#include <optional>

// The sheet of the play window that opens a built-in puzzle by its number.
// A solved puzzle is only reopened after the player confirms, and reopening
// it deletes its solved records.
class OpenPuzzleWindow : public platform::Window {
public:
    // Puzzle numbers the player may ask for: the built-in catalogue.
    static constexpr std::int32_t kFirstPuzzle = 1;
    static constexpr std::int32_t kLastPuzzle = 30;

    OpenPuzzleWindow();

    // The open sheet, or a new one when none is open.
    static OpenPuzzleWindow* Instance();

    // The puzzle number the typed text names: plain decimal digits, blanks
    // around them allowed, from 1 to 30. Anything else names none.
    static std::optional<std::int32_t> ParsePuzzleNumber(const QString& text);

    void Layout();
    void CreateControls();
    void CreateControls0();
    void OpenPushButton_Action();
    void CancelPushButton_Action();
    void AddMenuHandlers();
    void OpenPuzzle();

private:
    // Asks whether a solved puzzle should be reopened; true for "Open".
    static bool ConfirmReopen();
    // Deletes the puzzle's solved records and shows the new statistics.
    static void ForgetSolves(std::int32_t number);
};
