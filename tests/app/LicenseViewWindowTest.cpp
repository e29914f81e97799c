#include "tests/app/DialogTestSupport.h"

#include "app/Dialogs.h"
#include "app/GlobalsStyledText.h"
#include "app/LicenseViewWindow.h"
#include "platform/PushButton.h"
#include "platform/StyledText.h"
#include "platform/TextArea.h"
#include "resources/PictureCatalogue.h"

#include <QTest>
#include <QTextDocument>

namespace {

struct Markup {
    const char* text;
    const char* shown;
    const char* bold; // '^' under every bold character of shown
};

const Markup kMarkups[] = {
    {"plain text", "plain text", ""},
    {"<b>Kolmira</b>\nline", "Kolmira\nline", "^^^^^^^"},
    {"a<b>bc</b>d<b>ef</b>g<b>hi</b>", "abcdefghi", " ^^ ^^ ^^"},
    {"x<b>unclosed", "x<b>unclosed", ""},
    {"</b>first<b>ok</b>", "</b>firstok", "         ^^"},
    {"<b>a<b>b</b>c</b>d", "abcd", "^^^"},
    {"<b></b>empty", "empty", ""},
    {"<B>caps</B> <bold>", "<B>caps</B> <bold>", ""},
    {"<b>a</b></b>", "a</b>", "^"},
    {"", "", ""},
};

} // namespace

TEST(StyledTextMarkup, MakesExactlyTheMarkedRunsBoldInSizeTwelve)
{
    for (const Markup& m : kMarkups) {
        SCOPED_TRACE(m.text);
        QTextDocument document;
        platform::StyledText styled(&document);
        styled.SetText("old contents");
        SetStyledText(QString::fromUtf8(m.text), styled);
        const QString shown = QString::fromUtf8(m.shown);
        ASSERT_EQ(styled.Text(), shown);
        const QString bold = QString::fromUtf8(m.bold);
        for (int i = 0; i < shown.size(); ++i) {
            EXPECT_EQ(styled.Bold(i), i < bold.size() && bold[i] == '^') << "at " << i;
            EXPECT_EQ(styled.Size(i), 12) << "at " << i;
        }
        for (const BoldRun& run : StripBoldMarkup(QString::fromUtf8(m.text)).second) {
            EXPECT_GE(run.first, 0);
            EXPECT_GT(run.second, 0);
            EXPECT_LE(run.first + run.second, shown.size());
        }
    }
}

TEST(StyledTextMarkup, LaterRunsStartSevenCharactersEarlierPerEarlierPair)
{
    const QString text = "<b>one</b> <b>two</b> <b>three</b>";
    const auto [shown, runs] = StripBoldMarkup(text);
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[2], BoldRun(text.indexOf("three") - 3 - 14, 5));
    EXPECT_EQ(shown.mid(runs[2].first, runs[2].second), "three");
}

class LicenseViewer : public DialogSession {
protected:
    LicenseViewWindow& Shown()
    {
        ShowLicenseWindow();
        return platform::Deref(LicenseViewWindow::FindWindow<LicenseViewWindow>());
    }
};

TEST_F(LicenseViewer, ShowsTheLicenceReadOnlyWithItsHeadingsBold)
{
    LicenseViewWindow& window = Shown();
    auto& field = platform::Deref(window.ControlAs<platform::TextArea>("LicenseViewEditField"));
    const QString licence = kolmira_license();
    ASSERT_TRUE(licence.startsWith("<b>Kolmira</b>"));
    EXPECT_TRUE(field.isReadOnly());
    EXPECT_EQ(field.Text(), StripBoldMarkup(licence).first);
    EXPECT_FALSE(field.Text().contains("<b>"));
    EXPECT_TRUE(field.StyledText().Bold(0));
    EXPECT_FALSE(field.StyledText().Bold(static_cast<int>(QString("Kolmira").size())));
    QTest::keyClicks(&field, "typed");
    EXPECT_EQ(field.Text(), StripBoldMarkup(licence).first);
}

TEST_F(LicenseViewer, OkReturnAndCloseWindowEachCloseIt)
{
    LicenseViewWindow* window = &Shown();
    QTest::mouseClick(window->ControlAs<platform::PushButton>("OKPushButton"), Qt::LeftButton);
    FlushDeletes();
    EXPECT_EQ(OpenCount<LicenseViewWindow>(), 0);

    window = &Shown();
    window->activateWindow();
    QTest::keyClick(window, Qt::Key_Return);
    FlushDeletes();
    EXPECT_EQ(OpenCount<LicenseViewWindow>(), 0);

    window = &Shown();
    QTest::keyClick(window->ControlAs<platform::TextArea>("LicenseViewEditField"), Qt::Key_W, Qt::ControlModifier);
    FlushDeletes();
    EXPECT_EQ(OpenCount<LicenseViewWindow>(), 0);
    EXPECT_NE(gPlayWindow, nullptr);
}
