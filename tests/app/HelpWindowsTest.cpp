#include "tests/support/GameSession.h"

#include "app/AboutKolmiraWindow.h"
#include "app/Dialogs.h"
#include "app/GlobalsStyledText.h"
#include "app/LicenseViewWindow.h"
#include "app/MainMenuBarMac.h"
#include "platform/controls/PushButton.h"
#include "platform/controls/StyledText.h"
#include "platform/controls/TextArea.h"

#include <QScrollBar>
#include <QTextDocument>

namespace {

// Marked-up text, the text shown, and '^' under every bold character of it.
const std::tuple<const char*, const char*, const char*> kMarkups[] = {
    {"plain text", "plain text", ""}, {"<b>Kolmira</b>\nline", "Kolmira\nline", "^^^^^^^"},
    {"a<b>bc</b>d<b>ef</b>g<b>hi</b>", "abcdefghi", " ^^ ^^ ^^"}, {"x<b>unclosed", "x<b>unclosed", ""},
    {"</b>first<b>ok</b>", "</b>firstok", "         ^^"}, {"<b>a<b>b</b>c</b>d", "abcd", "^^^"},
    {"<b></b>empty", "empty", ""}, {"<B>caps</B> <bold>", "<B>caps</B> <bold>", ""}, {"<b>a</b></b>", "a</b>", "^"},
    {"", "", ""},
};

} // namespace

TEST(StyledTextMarkup, MakesExactlyTheMarkedRunsBoldInSizeTwelve)
{
    for (const auto& [text, shownText, boldMarks] : kMarkups) {
        SCOPED_TRACE(text);
        QTextDocument document;
        platform::StyledText styled(&document);
        styled.SetText("old contents");
        SetStyledText(QString::fromUtf8(text), styled);
        const QString shown = QString::fromUtf8(shownText);
        ASSERT_EQ(styled.Text(), shown);
        const QString bold = QString::fromUtf8(boldMarks);
        for (int i = 0; i < shown.size(); ++i) {
            EXPECT_EQ(styled.Bold(i), i < bold.size() && bold[i] == '^') << "at " << i;
            EXPECT_EQ(styled.Size(i), 12) << "at " << i;
        }
    }
}

class HelpWindows : public Shown<GameSession> {
protected:
    static AboutKolmiraWindow* About() { return AboutKolmiraWindow::FindWindow<AboutKolmiraWindow>(); }
    static LicenseViewWindow* License() { return LicenseViewWindow::FindWindow<LicenseViewWindow>(); }
    // Chooses a menu item as the player does, for the window in front.
    static void Choose(const char* menu, const char* item)
    {
        MainMenuBarMac::Instance()->Choose(MainMenuBarMac::Instance()->Item(menu, item));
    }
};

TEST_F(HelpWindows, TheSiteLabelOpensTheSiteCommandsBringTheOpenWindowForwardAndCloseWindowClosesTheFrontOne)
{
    ShowAboutWindow();
    AboutKolmiraWindow& window = platform::Deref(About());
    // Each label's text in its own colour, within the label's place.
    const QImage shown = window.grab().toImage();
    for (const auto& [name, colour] : {std::pair("CopyrightStaticText", 0x9DB266u), {"VersionStaticText", 0xF0E3CEu},
                                       {"URLStaticText", 0xEBD7B9u}}) {
        const QWidget& label = platform::Deref(window.Control(name));
        const QRect place(label.mapTo(&window, QPoint(0, 0)), label.size());
        int inColour = 0;
        for (int y = place.top(); y <= place.bottom(); ++y) {
            for (int x = place.left(); x <= place.right(); ++x) {
                inColour += (shown.pixel(x, y) & 0xFFFFFF) == colour ? 1 : 0;
            }
        }
        EXPECT_GT(inColour, 0) << name;
    }
    QWidget& url = platform::Deref(window.Control("URLStaticText"));
    EXPECT_EQ(url.cursor().shape(), Qt::PointingHandCursor);
    WindowInput::Click(url);
    EXPECT_EQ(mUrls, QStringList{"https://kolmira.example.com/"});
    EXPECT_EQ(About(), &window);
    // A click anywhere else closes it; the next command makes a fresh one.
    WindowInput::Click(platform::Deref(window.Control("VersionStaticText")));
    FlushDeletes();
    EXPECT_EQ(About(), nullptr);
    EXPECT_EQ(mUrls.size(), 1);

    for (const bool about : {true, false, true, false}) {
        Choose("HelpMenu", about ? "HelpAboutKolmira" : "HelpLicense");
        EXPECT_EQ(platform::Window::WindowAt(0), about ? static_cast<platform::Window*>(About()) : License());
    }
    EXPECT_EQ(std::pair(OpenCount<AboutKolmiraWindow>(), OpenCount<LicenseViewWindow>()), std::pair(1, 1));
    ShowAboutWindow();
    ASSERT_EQ(platform::Window::Front(), About());
    Choose("GameMenu", "GameCloseWindow");
    FlushDeletes();
    EXPECT_EQ(About(), nullptr);
    EXPECT_TRUE(platform::Deref(gPlayWindow).isVisible());
}

TEST_F(HelpWindows, LicenceIsReadOnlyWithBoldHeadingsAndOkReturnOrCloseWindowCloseIt)
{
    Choose("HelpMenu", "HelpLicense");
    auto& field = platform::Deref(platform::Deref(License()).ControlAs<platform::TextArea>("LicenseViewEditField"));
    // The reader starts at the top of the text.
    EXPECT_EQ(std::pair(field.textCursor().position(), field.verticalScrollBar()->value()), std::pair(0, 0));
    const QString licence = kolmira_license();
    ASSERT_TRUE(licence.startsWith("<b>Kolmira</b>"));
    WindowInput::Click(field);
    WindowInput::Type(field, "typed");
    EXPECT_EQ(field.Text(), StripBoldMarkup(licence).first);
    EXPECT_TRUE(field.StyledText().Bold(0));
    EXPECT_FALSE(field.StyledText().Bold(static_cast<int>(QString("Kolmira").size())));

    // Closed by Close Window from the text, by OK, and by Return.
    for (const int way : {0, 1, 2}) {
        LicenseViewWindow& window = platform::Deref(License());
        way == 0   ? WindowInput::Key(field, Qt::Key_W, Qt::ControlModifier)
        : way == 1 ? WindowInput::Click(platform::Deref(window.Control("OKPushButton")))
                   : WindowInput::Key(window, Qt::Key_Return);
        FlushDeletes();
        EXPECT_EQ(License(), nullptr) << way;
        ShowLicenseWindow();
    }
    EXPECT_NE(gPlayWindow, nullptr);
}
