#include "platform/controls/MessageDialog.h"
#include "platform/controls/MsgBox.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
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

// What the player can read of one label: lines as the label lays them out
// at its width, each as wide as its text.
struct LabelLines {
    qreal widest = 0;
    qreal height = 0;
};

LabelLines LayOut(const QLabel& label)
{
    LabelLines lines;
    const qreal width = label.contentsRect().width();
    QTextOption option;
    option.setWrapMode(label.wordWrap() ? QTextOption::WordWrap : QTextOption::NoWrap);
    for (const QString& paragraph : label.text().split(QLatin1Char('\n'))) {
        QTextLayout layout(paragraph, label.font());
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            lines.widest = std::max(lines.widest, line.naturalTextWidth());
            lines.height += line.height();
        }
        layout.endLayout();
    }
    return lines;
}

// Shows a box through show, and once it is up checks that each label with
// text lies inside it and holds its text within its own width and height,
// then closes it.
void ExpectEveryLineWithinTheBox(const std::function<void()>& show, const QStringList& texts)
{
    QStringList seen;
    QTimer look;
    look.setInterval(0);
    QObject::connect(&look, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible()) {
            return; // not up yet
        }
        look.stop();
        for (const QLabel* label : box->findChildren<QLabel*>()) {
            if (label->text().isEmpty() || !label->isVisible()) {
                continue;
            }
            SCOPED_TRACE(label->objectName().toStdString());
            QString shown = label->text();
            seen << shown.remove(QChar(0x200B)); // breaks a line, shows nothing
            const QRect inBox(label->mapTo(box, QPoint(0, 0)), label->size());
            EXPECT_TRUE(box->rect().contains(inBox)) << inBox.right() << " past " << box->width();
            const LabelLines lines = LayOut(*label);
            EXPECT_LE(lines.widest, label->contentsRect().width());
            EXPECT_LE(lines.height, label->contentsRect().height());
        }
        box->done(0);
    });
    look.start();
    show();
    EXPECT_EQ(seen, texts) << "every character shown";
}

} // namespace

TEST(MessageBoxes, ALongPathWrapsWithinTheBoxInsteadOfBeingCutOff)
{
    const QString message = QStringLiteral("Error creating preferences.\n") + kExplanation;
    ExpectEveryLineWithinTheBox([&] { platform::MsgBox(message); }, {message});

    platform::MessageDialog dialog;
    dialog.Message = QStringLiteral("Error creating preferences.");
    dialog.Explanation = kExplanation;
    ExpectEveryLineWithinTheBox([&] { dialog.ShowModal(); }, {dialog.Message, dialog.Explanation});

    // Words of a sentence are never broken, however many follow one another.
    const QString sentence = QStringLiteral("Kolmira could not write to its file, so the game in progress was not saved.");
    EXPECT_EQ(platform::BreakableText(sentence), sentence);
}
