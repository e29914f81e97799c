#include "app/DetailedStatsWindow.h"

#include "app/Dialogs.h"
#include "app/Globals.h"
#include "model/PrefsDatabaseClass.h"
#include "platform/store/Database.h"
#include "platform/controls/EdgeLocks.h"
#include "platform/pictures/Graphics.h"
#include "platform/controls/ListBox.h"
#include "platform/NilObjectException.h"
#include "platform/controls/PushButton.h"

namespace {

constexpr int kWidth = 200;
constexpr int kHeight = 300;
constexpr int kMinHeight = 200;
constexpr int kMaxHeight = 32000;

platform::ListBox& StatsList(const DetailedStatsWindow& window)
{
    return platform::Deref(window.ControlAs<platform::ListBox>(QStringLiteral("StatsListBox")));
}

} // namespace

DetailedStatsWindow::DetailedStatsWindow()
{
    Layout();
    CreateControls();
    AddMenuHandlers();
}

DetailedStatsWindow* DetailedStatsWindow::Instance()
{
    return FindOrCreate<DetailedStatsWindow>();
}

void DetailedStatsWindow::Layout()
{
    auto record = platform::WindowRecord::Dialog(QStringLiteral("Solved Puzzles"), kWidth, kHeight);
    record.resizable = true;
    ApplyRecord(record);
    // Only the height follows the player's resizing; the width stays put.
    Content()->setMinimumSize(kWidth, kMinHeight);
    Content()->setMaximumSize(kWidth, kMaxHeight);
    setWindowModality(Qt::ApplicationModal);
}

void DetailedStatsWindow::CreateControls()
{
    CreateControls0();
}

void DetailedStatsWindow::CreateControls0()
{
    auto* list = AddControl<platform::ListBox>({QStringLiteral("StatsListBox"), 0, 0, 200, 255});
    list->SetColumnWidths(QStringLiteral("100,100,0"));
    list->SetHasHeading(true);
    list->OnCellBackgroundPaint = [this](platform::Graphics& g, int row, int column) {
        return StatsListBox_CellBackgroundPaint(g, row, column);
    };
    list->OnHeaderPressed = [this](int column) { return StatsListBox_HeaderPressed(column); };
    platform::LockEdges(list, platform::Edge::Left | platform::Edge::Top | platform::Edge::Right
                                  | platform::Edge::Bottom);

    auto* ok = AddControl<platform::PushButton>({QStringLiteral("OKPushButton"), 100, 267, 80, 20},
                                                QStringLiteral("OK"));
    ok->SetDefault(true);
    ok->OnAction = [this] { OKPushButton_Action(); };
    platform::LockEdges(ok, platform::Edge::Right | platform::Edge::Bottom);
}

void DetailedStatsWindow::Event_Open()
{
    // The list's own open: it is filled once, when the window first shows.
    StatsListBox_Open();
}

void DetailedStatsWindow::StatsListBox_Open()
{
    platform::ListBox& list = StatsList(*this);
    list.SetHeading(0, QStringLiteral("Puzzle #"));
    list.SetHeading(1, QStringLiteral("Hints"));
    ShowStatsFromDatabase();
}

bool DetailedStatsWindow::StatsListBox_CellBackgroundPaint(platform::Graphics& g, int row, int /*column*/)
{
    g.SetForeColor(row % 2 == 1 ? kOddRowColor : kEvenRowColor);
    g.FillRect(0, 0, g.Width(), g.Height());
    return false;
}

bool DetailedStatsWindow::StatsListBox_HeaderPressed(int column)
{
    // The records stay in puzzle-number order: a press on a visible heading
    // becomes a press on the hidden one, and no press sorts.
    if (column != kHiddenColumn) {
        StatsList(*this).PressHeader(kHiddenColumn);
    }
    return true;
}

void DetailedStatsWindow::OKPushButton_Action()
{
    close();
}

void DetailedStatsWindow::AddMenuHandlers()
{
    // The window handles no menu commands of its own.
}

void DetailedStatsWindow::ShowStatsFromDatabase()
{
    platform::Database& db = platform::Deref(platform::Deref(gPrefsDatabase).mDB);
    const platform::RecordSetPtr rs = db.SQLSelect(QStringLiteral("SELECT * FROM SolvedPuzzles ORDER BY Number"));
    platform::ListBox& list = StatsList(*this);
    list.DeleteAllRows();
    if (!rs) {
        return; // a store that cannot answer shows an empty list
    }
    while (!rs->EOF()) {
        list.AddRow(rs->Field(QStringLiteral("Number")).Value().StringValue());
        list.SetCell(list.LastIndex(), 1, rs->Field(QStringLiteral("NumHintsUsed")).Value().StringValue());
        rs->MoveNext();
    }
    rs->Close();
}

void ShowDetailedStats()
{
    DetailedStatsWindow::Instance()->Show();
}
