#include "table/NewPuzzleBlinkTimerClass.h"

#include "app/Globals.h"
#include "app/PlayWindow.h"
#include "platform/controls/Canvas.h"
#include "platform/pictures/Graphics.h"
#include "platform/NilObjectException.h"
#include "resources/PictureCatalogue.h"

NewPuzzleBlinkTimerClass::NewPuzzleBlinkTimerClass()
{
    SetPeriod(kPeriod);
    SetMode(kModeMultiple);
    mIsHilited = false;
}

void NewPuzzleBlinkTimerClass::Event_Action()
{
    // Straight onto the button, not through its paint: a paint always shows
    // the normal picture.
    PlayWindow& window = platform::Deref(gPlayWindow);
    auto& button = platform::Deref(window.ControlAs<platform::Canvas>(QStringLiteral("NewPuzzleButtonCanvas")));
    if (!mIsHilited) {
        if (const auto art = newpuzzlehilite()) { // missing art: the blink only skips a phase
            button.Graphics().DrawPicture(art.get(), 0, 0);
        }
        mIsHilited = true;
    } else {
        if (const auto art = newpuzzle()) { // missing art: the blink only skips a phase
            button.Graphics().DrawPicture(art.get(), 0, 0);
        }
        mIsHilited = false;
    }
    window.UpdateNow();
}
