#include "app/LicenseViewWindow.h"

#include "app/Dialogs.h"
#include "app/GlobalsStyledText.h"
#include "platform/controls/EdgeLocks.h"
#include "platform/NilObjectException.h"
#include "platform/controls/PushButton.h"
#include "platform/controls/TextArea.h"
#include "resources/PictureCatalogue.h"

#include <QTextCursor>

namespace {

constexpr int kWidth = 500;
constexpr int kHeight = 400;
constexpr unsigned kTextColor = 0x000000;
constexpr unsigned kBackgroundColor = 0xFFFFFF;

const platform::Edges kAllEdges = platform::Edge::Left | platform::Edge::Top | platform::Edge::Right
    | platform::Edge::Bottom;

} // namespace

LicenseViewWindow::LicenseViewWindow()
{
    Layout();
    CreateControls();
    AddMenuHandlers();
}

LicenseViewWindow* LicenseViewWindow::Instance()
{
    return FindOrCreate<LicenseViewWindow>();
}

void LicenseViewWindow::Layout()
{
    ApplyRecord(platform::WindowRecord::Dialog(QStringLiteral("Kolmira License"), kWidth, kHeight));
    setWindowModality(Qt::ApplicationModal);
}

void LicenseViewWindow::CreateControls()
{
    CreateControls0();
}

void LicenseViewWindow::CreateControls0()
{
    auto* field = AddControl<platform::TextArea>({QStringLiteral("LicenseViewEditField"), 0, 0, 500, 353});
    field->SetReadOnly(true);
    field->SetColors(kTextColor, kBackgroundColor);
    // Clicks and keys scroll and select the text; no focus ring is drawn.
    field->setFocusPolicy(Qt::ClickFocus);
    field->setAttribute(Qt::WA_MacShowFocusRect, false);
    platform::LockEdges(field, kAllEdges);

    auto* ok = AddControl<platform::PushButton>({QStringLiteral("OKPushButton"), 404, 365, 80, 20},
                                                QStringLiteral("OK"));
    ok->SetDefault(true);
    ok->OnAction = [this] { OKPushButton_Action(); };
    platform::LockEdges(ok, platform::Edge::Right | platform::Edge::Bottom);
}

void LicenseViewWindow::Event_Open()
{
    // The field's own open: the text is set once, when the window first shows.
    LicenseViewEditField_Open();
}

void LicenseViewWindow::LicenseViewEditField_Open()
{
    auto& field = platform::Deref(ControlAs<platform::TextArea>(QStringLiteral("LicenseViewEditField")));
    SetStyledText(kolmira_license(), field.StyledText());
    // The reader starts at the top of the licence.
    field.moveCursor(QTextCursor::Start);
}

void LicenseViewWindow::OKPushButton_Action()
{
    close();
}

void LicenseViewWindow::AddMenuHandlers()
{
    AddMenuHandler(QStringLiteral("PuzzleCloseWindow"), [this] { return PuzzleCloseWindow_Action(); });
    // Game > Close Window closes the viewer as it closes the About window.
    AddMenuHandler(QStringLiteral("GameCloseWindow"), [this] { return PuzzleCloseWindow_Action(); });
}

bool LicenseViewWindow::PuzzleCloseWindow_Action()
{
    close();
    return false;
}

void ShowLicenseWindow()
{
    LicenseViewWindow::Instance()->Show();
}
