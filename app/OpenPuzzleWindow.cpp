#include "app/OpenPuzzleWindow.h"

#include "app/Dialogs.h"
#include "app/Globals.h"
#include "app/PlayWindow.h"
#include "model/PrefsDatabaseClass.h"
#include "model/StatsClass.h"
#include "platform/controls/Canvas.h"
#include "platform/store/Database.h"
#include "platform/controls/EditField.h"
#include "platform/dialogs/MessageDialog.h"
#include "platform/dialogs/MsgBox.h"
#include "platform/NilObjectException.h"
#include "platform/controls/PushButton.h"
#include "platform/controls/StaticText.h"
#include "platform/System.h"

namespace {

constexpr int kWidth = 245;
constexpr int kHeight = 94;
// The icon of the game's cautions (also used by the start-up warnings).
constexpr int kCautionIcon = 3;
// Ten digits reach past the largest number the field could mean; anything
// longer is refused before it is converted.
constexpr int kMaxDigits = 10;

bool IsAsciiDigits(const QString& text)
{
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) {
        return c >= QLatin1Char('0') && c <= QLatin1Char('9');
    });
}

} // namespace

OpenPuzzleWindow::OpenPuzzleWindow()
{
    Layout();
    CreateControls();
    AddMenuHandlers();
}

OpenPuzzleWindow* OpenPuzzleWindow::Instance()
{
    return FindOrCreate<OpenPuzzleWindow>();
}

std::optional<std::int32_t> OpenPuzzleWindow::ParsePuzzleNumber(const QString& text)
{
    const QString digits = text.trimmed();
    if (!IsAsciiDigits(digits) || digits.size() > kMaxDigits) {
        return std::nullopt;
    }
    bool ok = false;
    const qlonglong n = digits.toLongLong(&ok);
    if (!ok || n < kFirstPuzzle || n > kLastPuzzle) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(n);
}

void OpenPuzzleWindow::Layout()
{
    ApplyRecord(platform::WindowRecord::Dialog(QStringLiteral("Open Puzzle"), kWidth, kHeight));
}

void OpenPuzzleWindow::CreateControls()
{
    CreateControls0();
}

void OpenPuzzleWindow::CreateControls0()
{
    auto* label = AddControl<platform::StaticText>({QStringLiteral("StaticText1"), 20, 20, 144, 20});
    label->SetText(QStringLiteral("Open puzzle number:"));
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    auto* field = AddControl<platform::EditField>({QStringLiteral("PuzzleNumberEditField"), 168, 20, 57, 22});
    field->setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(field);

    auto* open = AddControl<platform::PushButton>({QStringLiteral("OpenPushButton"), 145, 54, 80, 20},
                                                  QStringLiteral("Open"));
    open->SetDefault(true);
    open->OnAction = [this] { OpenPushButton_Action(); };

    auto* cancel = AddControl<platform::PushButton>({QStringLiteral("CancelPushButton"), 53, 54, 80, 20},
                                                    QStringLiteral("Cancel"));
    cancel->SetCancel(true);
    cancel->OnAction = [this] { CancelPushButton_Action(); };
}

void OpenPuzzleWindow::OpenPushButton_Action()
{
    OpenPuzzle();
}

void OpenPuzzleWindow::CancelPushButton_Action()
{
    close();
}

void OpenPuzzleWindow::AddMenuHandlers()
{
    // The sheet handles no menu commands of its own.
}

void OpenPuzzleWindow::OpenPuzzle()
{
    const auto& field = platform::Deref(ControlAs<platform::EditField>(QStringLiteral("PuzzleNumberEditField")));
    const std::optional<std::int32_t> number = ParsePuzzleNumber(field.Text());
    if (!number) {
        platform::Beep();
        platform::MsgBox(QStringLiteral("Please enter a puzzle number between 1 and ")
                         + QString::number(kLastPuzzle) + QStringLiteral("."));
        return;
    }
    const std::int32_t n = *number;
    if (platform::Deref(gPrefsDatabase).IsPuzzleSolved(n)) {
        if (!ConfirmReopen()) {
            return;
        }
        ForgetSolves(n);
    }
    close();
    platform::Deref(gPlayWindow).LoadPuzzleNumber(n);
}

bool OpenPuzzleWindow::ConfirmReopen()
{
    platform::MessageDialog dialog;
    dialog.Icon = kCautionIcon;
    dialog.ActionButton.Caption = QStringLiteral("Open");
    dialog.CancelButton.Visible = true;
    dialog.Message = QStringLiteral("This puzzle has already been solved. Are you sure you want to open it?");
    dialog.Explanation = QStringLiteral("This puzzle's statistics will be reset.");
    return dialog.ShowModal() == &dialog.ActionButton;
}

void OpenPuzzleWindow::ForgetSolves(std::int32_t number)
{
    // Only a checked number from 1 to 30 ever reaches the statement.
    platform::Database& db = platform::Deref(platform::Deref(gPrefsDatabase).mDB);
    db.SQLExecute(QStringLiteral("DELETE FROM SolvedPuzzles WHERE Number=") + QString::number(number));
    db.Commit();
    platform::Deref(gStats).LoadStats();
    PlayWindow& play = platform::Deref(gPlayWindow);
    play.SetSidebarStats();
    platform::Deref(play.ControlAs<platform::Canvas>(QStringLiteral("StatsSidebarCanvas"))).Refresh();
    play.mNewPuzzleBlinkTimer.reset();
    platform::Deref(play.ControlAs<platform::Canvas>(QStringLiteral("NewPuzzleButtonCanvas"))).Refresh();
}

void ShowOpenPuzzleSheet()
{
    OpenPuzzleWindow* sheet = OpenPuzzleWindow::Instance();
    sheet->ShowModalWithin(gPlayWindow);
    sheet->setFocus();
}
