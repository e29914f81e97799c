#include "app/PlayWindow.h"

#include "app/Globals.h"
#include "model/PuzzleClass.h"
#include "platform/controls/Canvas.h"
#include "platform/pictures/Graphics.h"
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

void PlayWindow::ReleaseButton(const QString& name, PictureFn hilite, PictureFn normal,
                               const std::function<void()>& action)
{
    if (IsPointerInside(name)) {
        DrawOnControl(name, hilite);
        action();
    } else {
        DrawOnControl(name, normal);
    }
    UpdateNow();
}

void PlayWindow::NewPuzzleButtonCanvas_MouseEnter()
{
    // While the button blinks after a win, the blink alone decides its look.
    if (!mNewPuzzleBlinkTimer) {
        ShowOnControl(kNewPuzzleButton, newpuzzlehilite);
    }
}

void PlayWindow::NewPuzzleButtonCanvas_MouseExit()
{
    if (!mNewPuzzleBlinkTimer) {
        ShowOnControl(kNewPuzzleButton, newpuzzle);
    }
}

bool PlayWindow::NewPuzzleButtonCanvas_MouseDown(int /*x*/, int /*y*/)
{
    mNewPuzzleBlinkTimer.reset();
    ShowOnControl(kNewPuzzleButton, newpuzzlepressed);
    return true;
}

void PlayWindow::NewPuzzleButtonCanvas_MouseUp(int /*x*/, int /*y*/)
{
    ReleaseButton(kNewPuzzleButton, newpuzzlehilite, newpuzzle, [this] { NewPuzzle(); });
}

void PlayWindow::NewPuzzleButtonCanvas_Paint(platform::Graphics& g)
{
    PaintArt(g, newpuzzle);
}

void PlayWindow::GetHintButtonCanvas_MouseEnter()
{
    if (HintsOnOffer()) {
        ShowOnControl(kGetHintButton, gethinthilite);
    }
}

bool PlayWindow::GetHintButtonCanvas_MouseDown(int /*x*/, int /*y*/)
{
    if (!HintsOnOffer()) {
        return false;
    }
    ShowOnControl(kGetHintButton, gethintpressed);
    return true;
}

void PlayWindow::GetHintButtonCanvas_MouseExit()
{
    // At seven hints the button still settles back to its normal look.
    if (!platform::Deref(gPuzzle).mIsWon) {
        ShowOnControl(kGetHintButton, gethint);
    }
}

void PlayWindow::GetHintButtonCanvas_MouseUp(int /*x*/, int /*y*/)
{
    ReleaseButton(kGetHintButton, gethinthilite, gethint, [this] {
        GetHint();
        // The last hint leaves nothing on offer: the button settles at once.
        if (platform::Deref(gPuzzle).mHintCount == kMaxHints) {
            DrawOnControl(kGetHintButton, gethint);
        }
    });
}

void PlayWindow::GetHintButtonCanvas_Paint(platform::Graphics& g)
{
    PaintArt(g, gethint);
}

void PlayWindow::QuitButtonCanvas_MouseEnter()
{
    ShowOnControl(kQuitButton, quithilite);
}

bool PlayWindow::QuitButtonCanvas_MouseDown(int /*x*/, int /*y*/)
{
    ShowOnControl(kQuitButton, quitpressed);
    return true;
}

void PlayWindow::QuitButtonCanvas_MouseExit()
{
    ShowOnControl(kQuitButton, quit);
}

void PlayWindow::QuitButtonCanvas_MouseUp(int /*x*/, int /*y*/)
{
    ReleaseButton(kQuitButton, quithilite, quit, [] { platform::Quit(0); });
}

void PlayWindow::QuitButtonCanvas_Paint(platform::Graphics& g)
{
    PaintArt(g, quit);
}
