#pragma once

#include <QDialog>
#include <QDialogButtonBox>
#include <QIcon>
#include <QStringList>

class QAbstractButton;
class QGridLayout;
class QPushButton;
class QScreen;

namespace platform {

class MessageText;

// A message box as Qt lays one out (an icon, the message, its explanation,
// named buttons) whose words the player can select and copy as they are, and
// which fits the screen it appears on: a text too long for the screen
// scrolls above the buttons, which stay in reach.
class PlainMessageBox final : public QDialog {
public:
    // The paragraphs as MessageText shows them: the message, then what
    // explains it. A null icon shows none.
    PlainMessageBox(const QIcon& icon, const QString& title, const QStringList& paragraphs,
                    QWidget* parent = nullptr);

    QPushButton* AddButton(const QString& caption, QDialogButtonBox::ButtonRole role);
    // Return and Enter press the default button; Escape and the window's
    // close button press the escape button, or the only button there is.
    // With neither, the player has to choose.
    void SetDefaultButton(QPushButton* button);
    void SetEscapeButton(QAbstractButton* button);

    // Shows the box until a button is pressed, and answers that button.
    QAbstractButton* Ask();

    void reject() override;

private:
    // The screen the box shows on: its window's, else the one the player
    // is using.
    QScreen* ScreenToShowOn() const;
    void FitScreen();

    QGridLayout* mGrid = nullptr;
    MessageText* mText = nullptr;
    QDialogButtonBox* mButtons = nullptr;
    QAbstractButton* mEscape = nullptr;
    QAbstractButton* mClicked = nullptr;
};

} // namespace platform
