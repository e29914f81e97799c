#include "tests/support/SheetInput.h"

#include "app/OpenPuzzleWindow.h"
#include "app/PlayWindow.h"
#include "platform/NilObjectException.h"
#include "platform/controls/EditField.h"
#include "tests/support/MenuInput.h"
#include "tests/support/WindowInput.h"

#include <QCoreApplication>
#include <QEvent>
#include <gtest/gtest.h>

#include <algorithm>

namespace SheetInput {

OpenPuzzleWindow& Open(const PlayWindow& play, OpenBy how)
{
    if (OpenPuzzleWindow::FindWindow<OpenPuzzleWindow>() == nullptr) {
        if (how == OpenBy::Key) {
            WindowInput::Key(play, Qt::Key_O, Qt::ControlModifier);
        } else {
            EXPECT_TRUE(MenuInput::Choose(play, "GameMenu", "GameOpenPuzzleNumber"));
        }
    }
    return platform::Deref(OpenPuzzleWindow::FindWindow<OpenPuzzleWindow>());
}

void TypeAndOpen(OpenPuzzleWindow& sheet, const QString& text, ConfirmBy how)
{
    auto& field = platform::Deref(sheet.ControlAs<platform::EditField>("PuzzleNumberEditField"));
    field.clear();
    WindowInput::Click(field);
    const bool typeable = std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
    typeable ? WindowInput::Type(field, text) : field.insert(text);
    ASSERT_EQ(field.Text(), text);
    switch (how) {
    case ConfirmBy::Return:
        WindowInput::Key(field, Qt::Key_Return);
        break;
    case ConfirmBy::Click:
        WindowInput::Click(platform::Deref(sheet.Control("OpenPushButton")));
        break;
    case ConfirmBy::Enter:
        WindowInput::Key(field, Qt::Key_Enter, Qt::KeypadModifier);
        break;
    }
    // A sheet that closed goes at once, as it would on the next turn of the loop.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace SheetInput
