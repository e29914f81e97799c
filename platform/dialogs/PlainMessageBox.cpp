#include "platform/dialogs/PlainMessageBox.h"

#include "platform/dialogs/MessageText.h"

#include <QApplication>
#include <QCursor>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <algorithm>

namespace platform {

namespace {

// How wide the text may grow before it wraps, as in Qt's own message box;
// on a small screen, half its width.
constexpr int kWidestText = 500;
// Room for the title bar and borders a window manager puts around the box.
constexpr int kWindowFrame = 64;
// Space between the icon, or the box's edge, and the text, as Qt leaves it.
constexpr int kIndentAfterIcon = 7;
constexpr int kIndentWithoutIcon = 15;

// The window the box belongs to: the one it was given, else the one the
// player is using; none at start-up.
QWidget* OwnerWindow(QWidget* parent)
{
    return parent != nullptr ? parent->window() : QApplication::activeWindow();
}

// Where something extent long that would start at start goes so that it
// lies within room from first, or starts at first if it is longer.
int Within(int start, int extent, int first, int room)
{
    return std::clamp(start, first, std::max(first, first + room - extent));
}

} // namespace

PlainMessageBox::PlainMessageBox(const QIcon& icon, const QString& title, const QStringList& paragraphs,
                                 QWidget* parent)
    : QDialog(parent)
    , mGrid(new QGridLayout(this))
    , mText(new MessageText(paragraphs, this))
    , mButtons(new QDialogButtonBox(this))
{
    setWindowTitle(title);
    int column = 0;
    if (!icon.isNull()) {
        const int extent = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
        auto* iconLabel = new QLabel(this);
        iconLabel->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
        iconLabel->setPixmap(icon.pixmap(QSize(extent, extent), devicePixelRatio()));
        mGrid->addWidget(iconLabel, 0, column++, Qt::AlignTop);
    }
    const int indent = column > 0 ? kIndentAfterIcon : kIndentWithoutIcon;
    mGrid->addItem(new QSpacerItem(indent, 1, QSizePolicy::Fixed, QSizePolicy::Fixed), 0, column++);
    // Room the buttons leave over goes beside the text, not between it and the icon.
    mGrid->setColumnStretch(column, 1);
    mGrid->addWidget(mText, 0, column++);
    mButtons->setCenterButtons(style()->styleHint(QStyle::SH_MessageBox_CenterButtons, nullptr, this) != 0);
    mGrid->addWidget(mButtons, 1, 0, 1, column);
    // The box takes the size FitScreen gives it.
    mGrid->setSizeConstraint(QLayout::SetNoConstraint);
    connect(mButtons, &QDialogButtonBox::clicked, this, [this](QAbstractButton* button) {
        mClicked = button;
        accept();
    });
}

QPushButton* PlainMessageBox::AddButton(const QString& caption, QDialogButtonBox::ButtonRole role)
{
    return mButtons->addButton(caption, role);
}

void PlainMessageBox::SetDefaultButton(QPushButton* button)
{
    button->setDefault(true);
    button->setFocus();
}

void PlainMessageBox::SetEscapeButton(QAbstractButton* button) { mEscape = button; }

QAbstractButton* PlainMessageBox::Ask()
{
    FitScreen();
    exec();
    return mClicked;
}

void PlainMessageBox::reject()
{
    QAbstractButton* escape = mEscape;
    if (escape == nullptr && mButtons->buttons().size() == 1) {
        escape = mButtons->buttons().constFirst();
    }
    if (escape != nullptr) {
        escape->click();
    }
}

QScreen* PlainMessageBox::ScreenToShowOn() const
{
    if (const QWidget* owner = OwnerWindow(parentWidget())) {
        return owner->screen();
    }
    QScreen* underPointer = QGuiApplication::screenAt(QCursor::pos());
    return underPointer != nullptr ? underPointer : QGuiApplication::primaryScreen();
}

void PlainMessageBox::FitScreen()
{
    QScreen* screen = ScreenToShowOn();
    setScreen(screen);
    const QRect available = screen->availableGeometry();
    QSize text = mText->SizeWithin(std::min(available.width() / 2, kWidestText));
    const QMargins margins = mGrid->contentsMargins();
    const int besideText =
        margins.top() + margins.bottom() + mGrid->verticalSpacing() + mButtons->sizeHint().height();
    const int tallest =
        std::max(available.height() - kWindowFrame - besideText, mText->fontMetrics().lineSpacing());
    if (text.height() > tallest) {
        // The text scrolls; its scroll bar takes room beside the lines, not from them.
        text = QSize(text.width() + style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, mText), tallest);
    }
    mText->setFixedSize(text);
    mGrid->activate();
    setFixedSize(sizeHint());

    // Centred on its window, or on the screen, and wholly on the screen.
    QRect placed(QPoint(0, 0), size());
    const QWidget* owner = OwnerWindow(parentWidget());
    placed.moveCenter(owner != nullptr ? owner->frameGeometry().center() : available.center());
    move(Within(placed.left(), width(), available.left(), available.width()),
         Within(placed.top(), height() + kWindowFrame, available.top(), available.height()));
}

} // namespace platform
