#include "table/NewPuzzleBlinkTimerClass.h"

#include "app/Globals.h"
#include "app/PlayWindow.h"
#include "platform/Canvas.h"
#include "platform/Graphics.h"
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
        button.Graphics().DrawPicture(newpuzzlehilite().get(), 0, 0);
        mIsHilited = true;
    } else {
        button.Graphics().DrawPicture(newpuzzle().get(), 0, 0);
        mIsHilited = false;
    }
    window.UpdateNow();
}
