#include "table/TableClass.h"

#include "app/Globals.h"
#include "app/PlayWindow.h"
#include "model/PuzzleClass.h"
#include "model/SolutionGridClass.h"
#include "model/StatsClass.h"
#include "platform/NilObjectException.h"
#include "table/NewPuzzleBlinkTimerClass.h"
#include "table/WinNoteTimerClass.h"

void TableClass::CheckForWin()
{
    // No release since the puzzle loaded, or a figure other than the
    // puzzle's: nothing changes.
    if (!mSolutionGrid || !gPuzzle || !gPuzzle->mSolutionGrid
        || !mSolutionGrid->DoesMatch(*gPuzzle->mSolutionGrid)) {
        return;
    }
    PuzzleClass& puzzle = *gPuzzle;
    // From here on the table refuses presses and the game is not saved.
    puzzle.mIsWon = true;
    puzzle.MarkSolvedInDatabase();
    PlayWindow& window = platform::Deref(gPlayWindow);
    window.ShowNewStatistics();
    const StatsClass& stats = platform::Deref(gStats);

    // After the last puzzle the completion note stays instead, with no blink.
    if (!stats.AllSolved()) {
        mDrawWinNote = true;
        mWinNoteTimer = std::make_shared<WinNoteTimerClass>();
        window.mNewPuzzleBlinkTimer = std::make_shared<NewPuzzleBlinkTimerClass>();
    }
    Draw(true);
    window.UpdateNow();
}
