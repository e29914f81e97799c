#include "table/TableClass.h"

#include "app/Globals.h"
#include "model/PuzzleClass.h"
#include "model/SolutionGridClass.h"

void TableClass::CheckForWin()
{
    // No release since the puzzle loaded, or a figure other than the
    // puzzle's: nothing changes. Recording the win, the notes and the
    // sidebar come with the play window.
    if (!mSolutionGrid || !gPuzzle || !gPuzzle->mSolutionGrid
        || !mSolutionGrid->DoesMatch(*gPuzzle->mSolutionGrid)) {
        return;
    }
}
