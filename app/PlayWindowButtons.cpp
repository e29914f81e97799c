#include "app/PlayWindow.h"

#include "app/Globals.h"
#include "model/PuzzleClass.h"
#include "platform/Canvas.h"
#include "platform/Graphics.h"
#include "platform/NilObjectException.h"
#include "platform/System.h"
#include "resources/PictureCatalogue.h"
#include "table/NewPuzzleBlinkTimerClass.h"

// The three picture buttons share one machine: the pointer-over picture on
// enter, the normal one on exit, the pressed one on a taken press, and on
// release the action when the pointer is still over the button. A button
// keeps no state of its own: its look is the picture drawn last.

namespace {

const QString kNewPuzzleButton = QStringLiteral("NewPuzzleButtonCanvas");
const QString kGetHintButton = QStringLiteral("GetHintButtonCanvas");
const QString kQuitButton = QStringLiteral("QuitButtonCanvas");

bool HintsOnOffer()
{
    const PuzzleClass& puzzle = platform::Deref(gPuzzle);
    return !puzzle.mIsWon && puzzle.mHintCount != PlayWindow::kMaxHints;
}

} // namespace

bool PlayWindow::IsPointerInside(const QString& name) const
{
    const platform::Canvas& canvas = CanvasNamed(name);
    const QRect bounds = ControlBounds(&canvas);
    // The pointer in window coordinates; one pixel past the right and bottom
    // edges still counts as over the button.
    const int mouseX = bounds.left() + canvas.MouseX();
    const int mouseY = bounds.top() + canvas.MouseY();
    return bounds.left() <= mouseX && mouseX <= bounds.left() + bounds.width()
        && bounds.top() <= mouseY && mouseY <= bounds.top() + bounds.height();
}

void PlayWindow::NewPuzzleButtonCanvas_MouseEnter()
{
    // While the button blinks after a win, the blink alone decides its look.
    if (!mNewPuzzleBlinkTimer) {
        DrawOnControl(kNewPuzzleButton, newpuzzlehilite);
        UpdateNow();
    }
}

void PlayWindow::NewPuzzleButtonCanvas_MouseExit()
{
    if (!mNewPuzzleBlinkTimer) {
        DrawOnControl(kNewPuzzleButton, newpuzzle);
        UpdateNow();
    }
}

bool PlayWindow::NewPuzzleButtonCanvas_MouseDown(int /*x*/, int /*y*/)
{
    mNewPuzzleBlinkTimer.reset();
    DrawOnControl(kNewPuzzleButton, newpuzzlepressed);
    UpdateNow();
    return true;
}

void PlayWindow::NewPuzzleButtonCanvas_MouseUp(int /*x*/, int /*y*/)
{
    if (IsPointerInside(kNewPuzzleButton)) {
        DrawOnControl(kNewPuzzleButton, newpuzzlehilite);
        NewPuzzle();
    } else {
        DrawOnControl(kNewPuzzleButton, newpuzzle);
    }
    UpdateNow();
}

void PlayWindow::NewPuzzleButtonCanvas_Paint(platform::Graphics& g)
{
    if (const auto art = newpuzzle()) { // missing art leaves the control as it is
        g.DrawPicture(art.get(), 0, 0);
    }
}

void PlayWindow::GetHintButtonCanvas_MouseEnter()
{
    if (HintsOnOffer()) {
        DrawOnControl(kGetHintButton, gethinthilite);
        UpdateNow();
    }
}

bool PlayWindow::GetHintButtonCanvas_MouseDown(int /*x*/, int /*y*/)
{
    if (!HintsOnOffer()) {
        return false;
    }
    DrawOnControl(kGetHintButton, gethintpressed);
    UpdateNow();
    return true;
}

void PlayWindow::GetHintButtonCanvas_MouseExit()
{
    // At seven hints the button still settles back to its normal look.
    if (!platform::Deref(gPuzzle).mIsWon) {
        DrawOnControl(kGetHintButton, gethint);
        UpdateNow();
    }
}

void PlayWindow::GetHintButtonCanvas_MouseUp(int /*x*/, int /*y*/)
{
    if (IsPointerInside(kGetHintButton)) {
        DrawOnControl(kGetHintButton, gethinthilite);
        GetHint();
        if (platform::Deref(gPuzzle).mHintCount == kMaxHints) {
            DrawOnControl(kGetHintButton, gethint);
        }
    } else {
        DrawOnControl(kGetHintButton, gethint);
    }
    UpdateNow();
}

void PlayWindow::GetHintButtonCanvas_Paint(platform::Graphics& g)
{
    if (const auto art = gethint()) { // missing art leaves the control as it is
        g.DrawPicture(art.get(), 0, 0);
    }
}

void PlayWindow::QuitButtonCanvas_MouseEnter()
{
    DrawOnControl(kQuitButton, quithilite);
    UpdateNow();
}

bool PlayWindow::QuitButtonCanvas_MouseDown(int /*x*/, int /*y*/)
{
    DrawOnControl(kQuitButton, quitpressed);
    UpdateNow();
    return true;
}

void PlayWindow::QuitButtonCanvas_MouseExit()
{
    DrawOnControl(kQuitButton, quit);
    UpdateNow();
}

void PlayWindow::QuitButtonCanvas_MouseUp(int /*x*/, int /*y*/)
{
    if (IsPointerInside(kQuitButton)) {
        DrawOnControl(kQuitButton, quithilite);
        platform::Quit(0);
    } else {
        DrawOnControl(kQuitButton, quit);
    }
    UpdateNow();
}

void PlayWindow::QuitButtonCanvas_Paint(platform::Graphics& g)
{
    if (const auto art = quit()) { // missing art leaves the control as it is
        g.DrawPicture(art.get(), 0, 0);
    }
}
