#include "app/AboutKolmiraWindow.h"

#include "app/Dialogs.h"
#include "app/SiteAddress.h"
#include "platform/EventGuard.h"
#include "platform/pictures/Picture.h"
#include "platform/controls/StaticText.h"
#include "platform/System.h"
#include "resources/PictureCatalogue.h"

#include <QMouseEvent>
#include <QPainter>
#include <QUrl>

namespace {

constexpr int kWidth = 275;
constexpr int kHeight = 360;

// One label of the window: where it lies and how its text looks.
struct LabelStyle {
    const char* name;
    int top;
    int height;
    const char* family; // "System": the desktop's own font
    int points;
    bool bold;
    bool italic;
    bool underline;
    unsigned color;
    bool multiline;
};

constexpr LabelStyle kCopyright{"CopyrightStaticText", 342, 16, "System", 10, false, false, false, 0x9DB266, true};
constexpr LabelStyle kVersion{"VersionStaticText", 295, 21, "Georgia", 16, true, true, false, 0xF0E3CE, false};
constexpr LabelStyle kURL{"URLStaticText", 324, 16, "System", 10, true, false, true, 0xEBD7B9, true};

const QString kMakersNotice = QStringLiteral("Copyright \u00A9 the Kolmira developers");
const QString kVersionText = QStringLiteral("version 1.0");

} // namespace

AboutKolmiraWindow::AboutKolmiraWindow()
{
    Layout();
    CreateControls();
    AddMenuHandlers();
}

AboutKolmiraWindow* AboutKolmiraWindow::Instance()
{
    return FindOrCreate<AboutKolmiraWindow>();
}

void AboutKolmiraWindow::Layout()
{
    ApplyRecord(platform::WindowRecord::Dialog(QStringLiteral("About Kolmira"), kWidth, kHeight));
    setWindowModality(Qt::ApplicationModal);
}

void AboutKolmiraWindow::CreateControls()
{
    CreateControls0();
}

void AboutKolmiraWindow::CreateControls0()
{
    const auto addLabel = [this](const LabelStyle& style, const QString& text) {
        auto* label = AddControl<platform::StaticText>(
            {QString::fromLatin1(style.name), 0, style.top, kWidth, style.height});
        QFont font; // "System": the desktop's own font
        if (QString::fromLatin1(style.family) != QLatin1String("System")) {
            font.setFamily(QString::fromLatin1(style.family));
            font.setStyleHint(QFont::Serif); // where Georgia is missing
        }
        // The window was laid out in points of one pixel each.
        font.setPixelSize(style.points);
        font.setBold(style.bold);
        font.setItalic(style.italic);
        font.setUnderline(style.underline);
        label->setFont(font);
        label->SetTextColor(style.color);
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        label->setWordWrap(style.multiline);
        label->SetText(text);
        return label;
    };
    addLabel(kCopyright, kMakersNotice);
    addLabel(kVersion, kVersionText);
    auto* url = addLabel(kURL, QUrl(kProductSiteAddress).host());
    url->installEventFilter(this);
    URLStaticText_Open();
}

bool AboutKolmiraWindow::URLStaticText_MouseDown()
{
    platform::ShowURL(kProductSiteAddress + QStringLiteral("/"));
    return false;
}

void AboutKolmiraWindow::URLStaticText_Open()
{
    if (QWidget* url = Control(QStringLiteral("URLStaticText"))) {
        url->setCursor(Qt::PointingHandCursor);
    }
}

void AboutKolmiraWindow::AddMenuHandlers()
{
    AddMenuHandler(QStringLiteral("GameCloseWindow"), [this] { return GameCloseWindow_Action(); });
}

bool AboutKolmiraWindow::GameCloseWindow_Action()
{
    close();
    return false;
}

bool AboutKolmiraWindow::Event_MouseDown()
{
    close();
    return false;
}

void AboutKolmiraWindow::paintEvent(QPaintEvent* /*event*/)
{
    // The picture is the window's backdrop; without it the window shows its
    // plain background and the labels.
    const platform::PicturePtr picture = about();
    if (picture) {
        QPainter painter(this);
        painter.drawImage(Content()->pos(), picture->Image());
    }
}

void AboutKolmiraWindow::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    platform::RunGuarded([this] { Event_MouseDown(); });
}

bool AboutKolmiraWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress && watched == Control(QStringLiteral("URLStaticText"))) {
        platform::RunGuarded([this] { URLStaticText_MouseDown(); });
        return true;
    }
    return platform::Window::eventFilter(watched, event);
}

void ShowAboutWindow()
{
    AboutKolmiraWindow::Instance()->Show();
}
