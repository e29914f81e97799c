#include "tests/support/GameSession.h"

#include "app/DetailedStatsWindow.h"
#include "app/Dialogs.h"
#include "platform/controls/ListBox.h"
#include "platform/controls/PushButton.h"
#include "tests/support/MenuInput.h"

namespace {

// The list's rows alternate white and a light grey, from white at the top.
constexpr QRgb kEvenRowColour = 0xFFFFFF;
constexpr QRgb kOddRowColour = 0xF2F2F2;

} // namespace

class SolvedPuzzlesList : public Shown<GameSession> {
protected:
    // Opened as the player opens it, from the Game menu.
    DetailedStatsWindow& Shown()
    {
        EXPECT_TRUE(MenuInput::Choose(Window(), "GameMenu", "GameDetailedStatistics"));
        return platform::Deref(DetailedStatsWindow::FindWindow<DetailedStatsWindow>());
    }
    // Each row as "number:hints".
    static QStringList Rows(DetailedStatsWindow& w)
    {
        const auto& list = platform::Deref(w.ControlAs<platform::ListBox>("StatsListBox"));
        QStringList rows;
        for (int r = 0; r < list.ListCount(); ++r) {
            rows << list.Cell(r, 0) + ":" + list.Cell(r, 1);
        }
        return rows;
    }
};

TEST_F(SolvedPuzzlesList, ListsEveryRecordInNumberOrderNeverSortsAndGrowsOnlyInHeight)
{
    for (const auto& [number, hints] : {std::pair{12, 1}, {3, 0}, {7, 2}, {3, 5}}) {
        AddSolved(number, hints);
    }
    DetailedStatsWindow& window = Shown();
    platform::ListBox& list = platform::Deref(window.ControlAs<platform::ListBox>("StatsListBox"));
    // It opens with no row current or selected, and no focus ring.
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_TRUE(list.currentItem() == nullptr && list.selectedItems().isEmpty());
    EXPECT_EQ(std::tuple(list.Heading(0), list.Heading(1), list.isHeaderHidden()),
              std::tuple(QString("Puzzle #"), QString("Hints"), false));
    const QStringList expected{"3:0", "3:5", "7:2", "12:1"};
    EXPECT_EQ(Rows(window), expected);
    for (int column : {0, 1, 1}) {
        WindowInput::Click(list, list.HeadingRect(column).center());
    }
    EXPECT_EQ(Rows(window), expected);
    EXPECT_EQ(list.SortedColumn(), -1);

    const QImage shown = list.grab().toImage();
    for (int row = 0; row < 3; ++row) {
        // A pixel of the hints cell right of its text.
        const QRect cell = list.CellRect(row, 1);
        const QRgb pixel = shown.pixel(cell.right() - 3, cell.center().y()) & 0xFFFFFF;
        EXPECT_EQ(pixel, row % 2 == 1 ? kOddRowColour : kEvenRowColour)
            << "row " << row;
    }

    // The window grows in height only, OK staying 13 pixels above the
    // bottom, and never gets smaller than 200 high: the limits the window
    // system's frame and size grip are held to.
    auto* ok = window.ControlAs<platform::PushButton>("OKPushButton");
    const auto bottomGap = [&] { return window.height() - ok->geometry().bottom() - 1; };
    EXPECT_EQ(bottomGap(), 13);
    window.resize(400, 520);
    EXPECT_EQ(std::tuple(window.width(), window.height(), bottomGap(), ok->x(), list.size()),
              std::tuple(200, 520, 13, 100, QSize(200, 475)));
    window.resize(200, 50);
    EXPECT_EQ(std::pair(window.height(), bottomGap()), std::pair(200, 13));

    // Read once: a later solve shows only in the next window.
    AddSolved(1, 0);
    ShowDetailedStats();
    EXPECT_EQ(OpenCount<DetailedStatsWindow>(), 1);
    EXPECT_EQ(Rows(window), expected);
    WindowInput::Click(*ok);
    FlushDeletes();
    EXPECT_EQ(OpenCount<DetailedStatsWindow>(), 0);
    EXPECT_EQ(Rows(Shown()).size(), 5);
}
