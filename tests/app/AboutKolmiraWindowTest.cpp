#include "tests/app/DialogTestSupport.h"

#include "app/AboutKolmiraWindow.h"
#include "app/Dialogs.h"
#include "app/LicenseViewWindow.h"
#include "app/MainMenuBarMac.h"
#include "app/SiteAddress.h"
#include "resources/PictureCatalogue.h"

#include <QTest>

class AboutWindow : public DialogSession {
protected:
    static AboutKolmiraWindow* Open() { return AboutKolmiraWindow::FindWindow<AboutKolmiraWindow>(); }
    // Chooses a menu item as the player does, for the window in front.
    static void Choose(const char* menu, const char* item)
    {
        MainMenuBarMac::Instance()->Choose(MainMenuBarMac::Instance()->Item(menu, item));
    }
};

TEST_F(AboutWindow, AboutAndLicenseCommandsBringTheOpenWindowForward)
{
    Choose("HelpMenu", "HelpAboutKolmira");
    AboutKolmiraWindow* about = Open();
    ASSERT_NE(about, nullptr);
    Choose("HelpMenu", "HelpLicense");
    LicenseViewWindow* license = LicenseViewWindow::FindWindow<LicenseViewWindow>();
    ASSERT_NE(license, nullptr);
    EXPECT_EQ(platform::Window::WindowAt(0), license);

    Choose("HelpMenu", "HelpAboutKolmira");
    EXPECT_EQ(Open(), about);
    EXPECT_EQ(platform::Window::WindowAt(0), about);
    Choose("HelpMenu", "HelpLicense");
    EXPECT_EQ(LicenseViewWindow::FindWindow<LicenseViewWindow>(), license);
    EXPECT_EQ(OpenCount<AboutKolmiraWindow>(), 1);
    EXPECT_EQ(OpenCount<LicenseViewWindow>(), 1);
}

TEST_F(AboutWindow, CloseWindowClosesTheAboutWindowInFrontAndNotThePlayWindow)
{
    ShowAboutWindow();
    AboutKolmiraWindow* about = Open();
    ASSERT_NE(about, nullptr);
    ASSERT_EQ(platform::Window::Front(), about);
    Choose("GameMenu", "GameCloseWindow");
    FlushDeletes();
    EXPECT_EQ(Open(), nullptr);
    ASSERT_NE(gPlayWindow, nullptr);
    EXPECT_TRUE(gPlayWindow->isVisible());

    // The next command makes a fresh window.
    ShowAboutWindow();
    EXPECT_NE(Open(), nullptr);
}

TEST_F(AboutWindow, TheSiteLabelOpensTheSiteAndAClickElsewhereCloses)
{
    ShowAboutWindow();
    AboutKolmiraWindow& window = platform::Deref(Open());
    QWidget* url = window.Control("URLStaticText");
    ASSERT_NE(url, nullptr);
    EXPECT_EQ(url->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseClick(url, Qt::LeftButton);
    EXPECT_EQ(mUrls, QStringList{kProductSiteAddress + "/"});
    EXPECT_EQ(Open(), &window);

    // The picture is the backdrop, under the labels.
    const platform::PicturePtr picture = about();
    ASSERT_TRUE(picture);
    const QImage shown = window.grab().toImage();
    const QPoint inside = window.Content()->pos() + QPoint(10, 10);
    EXPECT_EQ(shown.pixel(inside) & 0xFFFFFF, picture->Image().pixel(10, 10) & 0xFFFFFF);

    QTest::mouseClick(window.Control("VersionStaticText"), Qt::LeftButton);
    FlushDeletes();
    EXPECT_EQ(Open(), nullptr);
    EXPECT_EQ(mUrls.size(), 1);
}
