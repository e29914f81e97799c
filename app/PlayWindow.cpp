#include "app/PlayWindow.h"

#include "app/Globals.h"
#include "app/MainMenuBarMac.h"
#include "app/WindowMenuItem.h"
#include "platform/controls/Canvas.h"
#include "platform/pictures/Graphics.h"
#include "platform/NilObjectException.h"
#include "platform/controls/PagePanel.h"
#include "resources/PictureCatalogue.h"
#include "resources/StatsPageLayout.h"
#include "table/PuzzleCardClass.h"
#include "table/TableClass.h"

#include <QFont>
#include <QPainter>
#include <array>

namespace {

constexpr int kWindowWidth = 1000;
constexpr int kWindowHeight = 650;
constexpr int kPlayTabPanels = 2;
constexpr int kSidebarPanels = 3;

// The statistics page's figures: their colour and size.
constexpr std::uint32_t kStatsTextColor = 0x332B28;
constexpr int kStatsTextSize = 14;

} // namespace

PlayWindow::PlayWindow()
{
    Layout();
    CreateControls();
    AddMenuHandlers();
    // The window's own entry at the foot of the Window menu, captioned with
    // the title it has now.
    mWindowMenuItem = std::make_shared<WindowMenuItem>(this);
    mWindowMenuItem->SetText(Title());
    MainMenuBarMac::Instance()->Child(QStringLiteral("WindowMenu"))->Append(mWindowMenuItem);
}

PlayWindow::~PlayWindow()
{
    // A window destroyed without closing still leaves the Window menu.
    if (mWindowMenuItem) {
        mWindowMenuItem->RemoveFromMenu();
    }
    if (gPlayWindow == this) {
        gPlayWindow = nullptr;
    }
}

void PlayWindow::Layout()
{
    SetMenuBar(MainMenuBarMac::Instance());
    platform::WindowRecord record;
    record.title = QStringLiteral("Kolmira");
    record.width = kWindowWidth;
    record.height = kWindowHeight;
    record.resizable = false;
    record.closeButton = true;
    record.minimizeButton = true;
    record.maximizeButton = false;
    record.centred = true;
    ApplyRecord(record);
}

void PlayWindow::CreateControls()
{
    CreateControls0();
}

void PlayWindow::CreateControls0()
{
    using platform::Canvas;
    using platform::PagePanel;
    auto* table = AddControl<TableClass>({QStringLiteral("Table"), 200, 0, 800, 650});
    (void)table;
    auto* top = AddControl<Canvas>({QStringLiteral("SidebarTopCanvas"), 0, 0, 200, 298});
    top->SetBackdrop(sidebartopbackground());
    AddControl<PuzzleCardClass>({QStringLiteral("PuzzleCard"), 20, 129, 160, 160, top});

    auto* sidebar = AddControl<PagePanel>({QStringLiteral("SidebarPagePanel"), 0, 298, 200, 352});
    sidebar->SetPanelCount(kSidebarPanels);

    auto* help = AddControl<Canvas>({QStringLiteral("HelpSidebarCanvas"), 0, 298, 200, 302, sidebar, kHelpPage});
    help->SetBackdrop(helptabbackground());
    auto* tab = AddControl<Canvas>({QStringLiteral("SidebarPanel2PlayButtonCanvas"), 0, 600, 67, 50, sidebar, kHelpPage});
    tab->OnMouseDown = [this](int x, int y) { return SidebarPanel2PlayButtonCanvas_MouseDown(x, y); };
    tab->OnMouseEnter = [this] { SidebarPanel2PlayButtonCanvas_MouseEnter(); };
    tab->OnMouseExit = [this] { SidebarPanel2PlayButtonCanvas_MouseExit(); };
    tab->OnPaint = [this](platform::Graphics& g) { SidebarPanel2PlayButtonCanvas_Paint(g); };
    tab = AddControl<Canvas>({QStringLiteral("SidebarPanel2StatsButtonCanvas"), 67, 600, 66, 50, sidebar, kHelpPage});
    tab->OnMouseDown = [this](int x, int y) { return SidebarPanel2StatsButtonCanvas_MouseDown(x, y); };
    tab->OnMouseEnter = [this] { SidebarPanel2StatsButtonCanvas_MouseEnter(); };
    tab->OnMouseExit = [this] { SidebarPanel2StatsButtonCanvas_MouseExit(); };
    tab->OnPaint = [this](platform::Graphics& g) { SidebarPanel2StatsButtonCanvas_Paint(g); };
    tab = AddControl<Canvas>({QStringLiteral("SidebarPanel2HelpButtonCanvas"), 133, 600, 67, 50, sidebar, kHelpPage});
    tab->OnPaint = [this](platform::Graphics& g) { SidebarPanel2HelpButtonCanvas_Paint(g); };

    tab = AddControl<Canvas>({QStringLiteral("SidebarPanel1PlayButtonCanvas"), 0, 600, 67, 50, sidebar, kStatsPage});
    tab->OnMouseDown = [this](int x, int y) { return SidebarPanel1PlayButtonCanvas_MouseDown(x, y); };
    tab->OnMouseEnter = [this] { SidebarPanel1PlayButtonCanvas_MouseEnter(); };
    tab->OnPaint = [this](platform::Graphics& g) { SidebarPanel1PlayButtonCanvas_Paint(g); };
    tab->OnMouseExit = [this] { SidebarPanel1PlayButtonCanvas_MouseExit(); };
    tab = AddControl<Canvas>({QStringLiteral("SidebarPanel1StatsButtonCanvas"), 67, 600, 66, 50, sidebar, kStatsPage});
    tab->OnPaint = [this](platform::Graphics& g) { SidebarPanel1StatsButtonCanvas_Paint(g); };
    tab = AddControl<Canvas>({QStringLiteral("SidebarPanel1HelpButtonCanvas"), 133, 600, 67, 50, sidebar, kStatsPage});
    tab->OnMouseDown = [this](int x, int y) { return SidebarPanel1HelpButtonCanvas_MouseDown(x, y); };
    tab->OnMouseEnter = [this] { SidebarPanel1HelpButtonCanvas_MouseEnter(); };
    tab->OnMouseExit = [this] { SidebarPanel1HelpButtonCanvas_MouseExit(); };
    tab->OnPaint = [this](platform::Graphics& g) { SidebarPanel1HelpButtonCanvas_Paint(g); };
    auto* stats = AddControl<Canvas>({QStringLiteral("StatsSidebarCanvas"), 0, 298, 200, 302, sidebar, kStatsPage});
    stats->SetBackdrop(statstabbackground());
    stats->OnPaint = [this](platform::Graphics& g) { StatsSidebarCanvas_Paint(g); };

    tab = AddControl<Canvas>({QStringLiteral("SidebarPanel0PlayButtonCanvas"), 0, 600, 67, 50, sidebar, kPlayPage});
    tab->OnPaint = [this](platform::Graphics& g) { SidebarPanel0PlayButtonCanvas_Paint(g); };
    tab = AddControl<Canvas>({QStringLiteral("SidebarPanel0StatsButtonCanvas"), 67, 600, 66, 50, sidebar, kPlayPage});
    tab->OnMouseDown = [this](int x, int y) { return SidebarPanel0StatsButtonCanvas_MouseDown(x, y); };
    tab->OnMouseEnter = [this] { SidebarPanel0StatsButtonCanvas_MouseEnter(); };
    tab->OnMouseExit = [this] { SidebarPanel0StatsButtonCanvas_MouseExit(); };
    tab->OnPaint = [this](platform::Graphics& g) { SidebarPanel0StatsButtonCanvas_Paint(g); };
    tab = AddControl<Canvas>({QStringLiteral("SidebarPanel0HelpButtonCanvas"), 133, 600, 67, 50, sidebar, kPlayPage});
    tab->OnMouseDown = [this](int x, int y) { return SidebarPanel0HelpButtonCanvas_MouseDown(x, y); };
    tab->OnMouseEnter = [this] { SidebarPanel0HelpButtonCanvas_MouseEnter(); };
    tab->OnMouseExit = [this] { SidebarPanel0HelpButtonCanvas_MouseExit(); };
    tab->OnPaint = [this](platform::Graphics& g) { SidebarPanel0HelpButtonCanvas_Paint(g); };

    auto* playTabs = AddControl<PagePanel>({QStringLiteral("PlayTabPagePanel"), 0, 298, 200, 302, sidebar, kPlayPage});
    playTabs->SetPanelCount(kPlayTabPanels);
    auto* play = AddControl<Canvas>({QStringLiteral("PlaySidebarCanvas"), 0, 298, 200, 302, playTabs, kPlayButtonsPage});
    play->SetBackdrop(playtabbackground());
    auto* button = AddControl<Canvas>({QStringLiteral("NewPuzzleButtonCanvas"), 0, 319, 200, 110, play});
    button->OnMouseEnter = [this] { NewPuzzleButtonCanvas_MouseEnter(); };
    button->OnMouseExit = [this] { NewPuzzleButtonCanvas_MouseExit(); };
    button->OnMouseDown = [this](int x, int y) { return NewPuzzleButtonCanvas_MouseDown(x, y); };
    button->OnMouseUp = [this](int x, int y) { NewPuzzleButtonCanvas_MouseUp(x, y); };
    button->OnPaint = [this](platform::Graphics& g) { NewPuzzleButtonCanvas_Paint(g); };
    button = AddControl<Canvas>({QStringLiteral("GetHintButtonCanvas"), 0, 432, 200, 110, play});
    button->OnMouseEnter = [this] { GetHintButtonCanvas_MouseEnter(); };
    button->OnMouseDown = [this](int x, int y) { return GetHintButtonCanvas_MouseDown(x, y); };
    button->OnMouseExit = [this] { GetHintButtonCanvas_MouseExit(); };
    button->OnMouseUp = [this](int x, int y) { GetHintButtonCanvas_MouseUp(x, y); };
    button->OnPaint = [this](platform::Graphics& g) { GetHintButtonCanvas_Paint(g); };
    auto* reset = AddControl<Canvas>({QStringLiteral("PlayResetSidebarCanvas"), 0, 298, 200, 302, playTabs, kEndPage});
    reset->SetBackdrop(playtabresetbackground());
    button = AddControl<Canvas>({QStringLiteral("QuitButtonCanvas"), 0, 431, 200, 110, playTabs, kEndPage});
    button->OnMouseEnter = [this] { QuitButtonCanvas_MouseEnter(); };
    button->OnMouseDown = [this](int x, int y) { return QuitButtonCanvas_MouseDown(x, y); };
    button->OnMouseExit = [this] { QuitButtonCanvas_MouseExit(); };
    button->OnMouseUp = [this](int x, int y) { QuitButtonCanvas_MouseUp(x, y); };
    button->OnPaint = [this](platform::Graphics& g) { QuitButtonCanvas_Paint(g); };
}

platform::Canvas& PlayWindow::CanvasNamed(const QString& name) const
{
    return platform::Deref(ControlAs<platform::Canvas>(name));
}

platform::PagePanel& PlayWindow::PanelNamed(const QString& name) const
{
    return platform::Deref(ControlAs<platform::PagePanel>(name));
}

void PlayWindow::PaintArt(platform::Graphics& g, PictureFn picture)
{
    if (const auto art = picture()) { // missing art leaves the control as it is
        g.DrawPicture(art.get(), 0, 0);
    }
}

void PlayWindow::DrawOnControl(const QString& name, PictureFn picture)
{
    PaintArt(CanvasNamed(name).Graphics(), picture);
}

void PlayWindow::ShowOnControl(const QString& name, PictureFn picture)
{
    DrawOnControl(name, picture);
    UpdateNow();
}

// The tabs: a press on another page's tab switches at once; hovering shows
// the highlighted picture straight away; every paint shows the plain one.

bool PlayWindow::SidebarPanel2PlayButtonCanvas_MouseDown(int /*x*/, int /*y*/)
{
    SetSidebarTab(kPlayPage);
    return true;
}

void PlayWindow::SidebarPanel2PlayButtonCanvas_MouseEnter()
{
    ShowOnControl(QStringLiteral("SidebarPanel2PlayButtonCanvas"), sidebartab1hilite);
}

void PlayWindow::SidebarPanel2PlayButtonCanvas_MouseExit()
{
    ShowOnControl(QStringLiteral("SidebarPanel2PlayButtonCanvas"), sidebartab1deselected);
}

void PlayWindow::SidebarPanel2PlayButtonCanvas_Paint(platform::Graphics& g)
{
    PaintArt(g, sidebartab1deselected);
}

bool PlayWindow::SidebarPanel2StatsButtonCanvas_MouseDown(int /*x*/, int /*y*/)
{
    SetSidebarTab(kStatsPage);
    return true;
}

void PlayWindow::SidebarPanel2StatsButtonCanvas_MouseEnter()
{
    ShowOnControl(QStringLiteral("SidebarPanel2StatsButtonCanvas"), sidebartab2hilite);
}

void PlayWindow::SidebarPanel2StatsButtonCanvas_MouseExit()
{
    ShowOnControl(QStringLiteral("SidebarPanel2StatsButtonCanvas"), sidebartab2deselected);
}

void PlayWindow::SidebarPanel2StatsButtonCanvas_Paint(platform::Graphics& g)
{
    PaintArt(g, sidebartab2deselected);
}

void PlayWindow::SidebarPanel2HelpButtonCanvas_Paint(platform::Graphics& g)
{
    PaintArt(g, sidebartab3);
}

bool PlayWindow::SidebarPanel1PlayButtonCanvas_MouseDown(int /*x*/, int /*y*/)
{
    SetSidebarTab(kPlayPage);
    return true;
}

void PlayWindow::SidebarPanel1PlayButtonCanvas_MouseEnter()
{
    ShowOnControl(QStringLiteral("SidebarPanel1PlayButtonCanvas"), sidebartab1hilite);
}

void PlayWindow::SidebarPanel1PlayButtonCanvas_Paint(platform::Graphics& g)
{
    PaintArt(g, sidebartab1deselected);
}

void PlayWindow::SidebarPanel1PlayButtonCanvas_MouseExit()
{
    ShowOnControl(QStringLiteral("SidebarPanel1PlayButtonCanvas"), sidebartab1deselected);
}

void PlayWindow::SidebarPanel1StatsButtonCanvas_Paint(platform::Graphics& g)
{
    PaintArt(g, sidebartab2);
}

bool PlayWindow::SidebarPanel1HelpButtonCanvas_MouseDown(int /*x*/, int /*y*/)
{
    SetSidebarTab(kHelpPage);
    return true;
}

void PlayWindow::SidebarPanel1HelpButtonCanvas_MouseEnter()
{
    ShowOnControl(QStringLiteral("SidebarPanel1HelpButtonCanvas"), sidebartab3hilite);
}

void PlayWindow::SidebarPanel1HelpButtonCanvas_MouseExit()
{
    ShowOnControl(QStringLiteral("SidebarPanel1HelpButtonCanvas"), sidebartab3deselected);
}

void PlayWindow::SidebarPanel1HelpButtonCanvas_Paint(platform::Graphics& g)
{
    PaintArt(g, sidebartab3deselected);
}

void PlayWindow::StatsSidebarCanvas_Paint(platform::Graphics& g)
{
    const std::array<std::pair<std::int32_t, int>, 10> rows{{
        {mStatsSolved, statspage::kSolvedBaseline},
        {mStatsHints0, statspage::kFirstHintBaseline},
        {mStatsHints1, statspage::kFirstHintBaseline + statspage::kHintRowStep},
        {mStatsHints2, statspage::kFirstHintBaseline + 2 * statspage::kHintRowStep},
        {mStatsHints3, statspage::kFirstHintBaseline + 3 * statspage::kHintRowStep},
        {mStatsHints4, statspage::kFirstHintBaseline + 4 * statspage::kHintRowStep},
        {mStatsHints5, statspage::kFirstHintBaseline + 5 * statspage::kHintRowStep},
        {mStatsHints6, statspage::kFirstHintBaseline + 6 * statspage::kHintRowStep},
        {mStatsHints7, statspage::kFirstHintBaseline + 7 * statspage::kHintRowStep},
        {mStatsUnsolved, statspage::kUnsolvedBaseline},
    }};
    // Georgia where the desktop has it, else the closest serif.
    QFont font;
    font.setFamilies({QStringLiteral("Georgia"), QStringLiteral("DejaVu Serif")});
    font.setStyleHint(QFont::Serif);
    font.setPixelSize(kStatsTextSize);
    font.setBold(true);
    font.setItalic(true);
    g.SetForeColor(kStatsTextColor);
    QPainter painter(&g.Plane());
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(font);
    painter.setPen(QColor::fromRgb(g.ForeColor()));
    QRect drawn;
    for (const auto& [value, baseline] : rows) {
        const QString text = QString::number(value);
        painter.drawText(statspage::kFigureX, baseline, text);
        drawn |= painter.fontMetrics().boundingRect(text).translated(statspage::kFigureX, baseline);
    }
    painter.end();
    g.Touched(drawn);
}

void PlayWindow::SidebarPanel0PlayButtonCanvas_Paint(platform::Graphics& g)
{
    PaintArt(g, sidebartab1);
}

bool PlayWindow::SidebarPanel0StatsButtonCanvas_MouseDown(int /*x*/, int /*y*/)
{
    SetSidebarTab(kStatsPage);
    return true;
}

void PlayWindow::SidebarPanel0StatsButtonCanvas_MouseEnter()
{
    ShowOnControl(QStringLiteral("SidebarPanel0StatsButtonCanvas"), sidebartab2hilite);
}

void PlayWindow::SidebarPanel0StatsButtonCanvas_MouseExit()
{
    ShowOnControl(QStringLiteral("SidebarPanel0StatsButtonCanvas"), sidebartab2deselected);
}

void PlayWindow::SidebarPanel0StatsButtonCanvas_Paint(platform::Graphics& g)
{
    PaintArt(g, sidebartab2deselected);
}

bool PlayWindow::SidebarPanel0HelpButtonCanvas_MouseDown(int /*x*/, int /*y*/)
{
    SetSidebarTab(kHelpPage);
    return true;
}

void PlayWindow::SidebarPanel0HelpButtonCanvas_MouseEnter()
{
    ShowOnControl(QStringLiteral("SidebarPanel0HelpButtonCanvas"), sidebartab3hilite);
}

void PlayWindow::SidebarPanel0HelpButtonCanvas_MouseExit()
{
    ShowOnControl(QStringLiteral("SidebarPanel0HelpButtonCanvas"), sidebartab3deselected);
}

void PlayWindow::SidebarPanel0HelpButtonCanvas_Paint(platform::Graphics& g)
{
    PaintArt(g, sidebartab3deselected);
}
