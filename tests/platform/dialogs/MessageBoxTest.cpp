#include "platform/dialogs/MessageDialog.h"
#include "platform/dialogs/MsgBox.h"
#include "tests/support/WindowInput.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

// A store message about a file whose path the system refuses: one name in
// it longer than any line of a message box, and no blank to break it at.
const QString kPath = QStringLiteral("/home/player/.config/") + QString(300, QLatin1Char('n'))
    + QStringLiteral("/Kolmira/Kolmira.dat");
const QString kExplanation = QStringLiteral("Kolmira could not create its file ") + kPath
    + QStringLiteral(" (its path is too long for the system), so progress will not be kept.");

// Folder names of every kind in one path of over 500 bytes: an emoji (two
// UTF-16 units), an accent that combines with the letter before it, markup
// characters, a no-break space and a CR LF pair.
const QString kOddPath = QStringLiteral("/home/player/") + QString(150, QLatin1Char('d'))
    + QStringLiteral("/📁 Parties/") + QString(150, QLatin1Char('s'))
    + QStringLiteral("/Cafe\u0301 <b>&amp;</b>\u00A0Jeux/") + QString(150, QLatin1Char('k'))
    + QStringLiteral("/\U0001F9E9 old\r\nnotes/Kolmira.dat");
const QString kDeepPath = QStringLiteral("/home/player/.config/") + QStringLiteral("deeper/").repeated(1200)
    + QStringLiteral("Kolmira.dat");
const QString kSentence = QStringLiteral("Kolmira could not write to its file, so the game in progress was not saved.");

struct BoxRow {
    const char* what;
    QString message;
    QString explanation;
    // What the player closes the box with: Return presses the default
    // button, Escape the Cancel button, or the only button there is.
    Qt::Key close = Qt::Key_Return;
    // Ordinary sentences: every line ends at a blank, no word is broken.
    bool wholeWords = false;
};

const BoxRow kRows[] = {
    {"a path too long for the system", QStringLiteral("Error creating preferences."), kExplanation},
    {"folder names of every kind", QStringLiteral("Error opening preferences."),
     QStringLiteral("Kolmira could not open its file ") + kOddPath + QLatin1Char('.'), Qt::Key_Escape},
    {"a path of thousands of characters", QStringLiteral("Error opening preferences."), kDeepPath},
    {"sentences", QStringLiteral("Error saving."), QStringList(3, kSentence).join(QLatin1Char(' ')), Qt::Key_Escape,
     true},
};

// Each line within the view's width, and every line within reach of its
// scroll bar.
void ExpectLinesWithin(const QTextEdit& view, bool wholeWords)
{
    for (QTextBlock block = view.document()->begin(); block.isValid(); block = block.next()) {
        const QTextLayout* layout = block.layout();
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            EXPECT_LE(line.x() + line.naturalTextWidth(), view.viewport()->width());
            EXPECT_TRUE(!wholeWords || i == 0 || block.text().at(line.textStart() - 1).isSpace())
                << "a word broken at " << line.textStart();
        }
    }
    const QScrollBar* scroll = view.verticalScrollBar();
    EXPECT_LE(view.document()->size().height(),
              view.viewport()->height() + (scroll->isVisible() ? scroll->maximum() : 0));
}

// Marks where the words of one part of a box end and the next begin.
const QString kBetweenParts = QStringLiteral(" | ");

// Shows a box through show, and once it is up checks that it lies on its
// screen with its buttons, that each text lies inside it, and what the
// player gets by selecting all of a text and copying it, and what a screen
// reader reads there; then closes it with the key.
void ExpectTheBoxToHandOn(const std::function<void()>& show, const QString& text, bool wholeWords, Qt::Key close)
{
    QStringList copied;
    QStringList named;
    QTimer look;
    look.setInterval(0);
    QObject::connect(&look, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible()) {
            return; // not up yet
        }
        look.stop();
        const QRect screen = box->screen()->availableGeometry();
        EXPECT_TRUE(screen.contains(box->frameGeometry()))
            << box->frameGeometry().bottom() << " past " << screen.bottom();
        for (const QAbstractButton* button : box->findChildren<QAbstractButton*>()) {
            EXPECT_TRUE(screen.contains(QRect(button->mapToGlobal(QPoint(0, 0)), button->size())));
        }
        // Each part of the box that shows words, whatever kind of widget it is.
        for (QWidget* part : box->findChildren<QWidget*>()) {
            const QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(part);
            if (!part->isVisible() || reader == nullptr
                || (reader->role() != QAccessible::StaticText && reader->role() != QAccessible::EditableText)) {
                continue;
            }
            const QRect inBox(part->mapTo(box, QPoint(0, 0)), part->size());
            EXPECT_TRUE(box->rect().contains(inBox)) << inBox.right() << " past " << box->width();
            if (const auto* view = qobject_cast<QTextEdit*>(part)) {
                ExpectLinesWithin(*view, wholeWords);
            }
            QGuiApplication::clipboard()->clear();
            WindowInput::Click(*part);
            WindowInput::Key(*part, Qt::Key_A, Qt::ControlModifier);
            WindowInput::Key(*part, Qt::Key_C, Qt::ControlModifier);
            copied << QGuiApplication::clipboard()->text();
            named << reader->text(QAccessible::Name);
        }
        WindowInput::Key(*box, close);
        if (box->isVisible()) {
            ADD_FAILURE() << "the key left the box open";
            box->done(0);
        }
    });
    look.start();
    show();
    EXPECT_EQ(copied.join(kBetweenParts).toStdString(), text.toStdString()) << "what the player copies";
    EXPECT_EQ(named.join(kBetweenParts).toStdString(), text.toStdString()) << "what a screen reader reads";
}

} // namespace

TEST(MessageBoxes, ALongPathWrapsWithinTheBoxInsteadOfBeingCutOff)
{
    // The game's window pushed into a corner of the screen: a box centred on
    // it would hang off the screen.
    constexpr int kGameSide = 100;
    QWidget game;
    game.setGeometry(QRect(game.screen()->availableGeometry().bottomRight() - QPoint(kGameSide, kGameSide),
                           QSize(kGameSide, kGameSide)));
    game.show();
    game.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&game));

    for (const BoxRow& row : kRows) {
        SCOPED_TRACE(row.what);
        const QString message = row.message + QLatin1Char('\n') + row.explanation;
        ExpectTheBoxToHandOn([&] { platform::MsgBox(message); }, message, row.wholeWords, row.close);

        platform::MessageDialog dialog;
        dialog.Message = row.message;
        dialog.Explanation = row.explanation;
        dialog.CancelButton.Visible = true;
        platform::MessageDialogButton* const answer = row.close == Qt::Key_Escape ? &dialog.CancelButton
                                                                                   : &dialog.ActionButton;
        ExpectTheBoxToHandOn([&] { EXPECT_EQ(dialog.ShowModalWithin(&game), answer); }, message, row.wholeWords,
                             row.close);
    }
}
