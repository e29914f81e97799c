#include "platform/dialogs/MessageDialog.h"

#include "platform/dialogs/PlainMessageBox.h"

#include <QApplication>
#include <QPushButton>
#include <QStyle>

namespace platform {

namespace {

MessageDialog::Responder& CurrentResponder()
{
    static MessageDialog::Responder responder;
    return responder;
}

// Icon numbers of the dialogs: 0 note, 1 warning, 2 stop, 3 question.
constexpr int kIconWarning = 1;
constexpr int kIconStop = 2;
constexpr int kIconQuestion = 3;

QStyle::StandardPixmap BoxIcon(int icon)
{
    switch (icon) {
    case kIconWarning:
        return QStyle::SP_MessageBoxWarning;
    case kIconStop:
        return QStyle::SP_MessageBoxCritical;
    case kIconQuestion:
        return QStyle::SP_MessageBoxQuestion;
    default:
        return QStyle::SP_MessageBoxInformation;
    }
}

} // namespace

void MessageDialog::SetResponder(Responder responder)
{
    CurrentResponder() = std::move(responder);
}

MessageDialogButton* MessageDialog::ShowModal()
{
    return ShowModalWithin(nullptr);
}

MessageDialogButton* MessageDialog::ShowModalWithin(QWidget* parent)
{
    if (CurrentResponder()) {
        return CurrentResponder()(*this);
    }
    return ShowWithBox(parent);
}

MessageDialogButton* MessageDialog::ShowWithBox(QWidget* parent)
{
    PlainMessageBox box(QApplication::style()->standardIcon(BoxIcon(Icon)),
                        Title.isEmpty() ? QApplication::applicationName() : Title, {Message, Explanation}, parent);
    QPushButton* action = box.AddButton(ActionButton.Caption, QDialogButtonBox::AcceptRole);
    box.SetDefaultButton(action);
    QPushButton* alternate = nullptr;
    if (AlternateActionButton.Visible) {
        alternate = box.AddButton(AlternateActionButton.Caption, QDialogButtonBox::DestructiveRole);
    }
    QPushButton* cancel = nullptr;
    if (CancelButton.Visible) {
        cancel = box.AddButton(CancelButton.Caption, QDialogButtonBox::RejectRole);
        box.SetEscapeButton(cancel);
    }
    const QAbstractButton* clicked = box.Ask();
    if (clicked != nullptr && clicked == alternate) {
        return &AlternateActionButton;
    }
    if (clicked == nullptr || (cancel != nullptr && clicked == cancel)) {
        // Closing the box without a choice counts as Cancel where there is
        // one, else as the only answer there is.
        return cancel != nullptr ? &CancelButton : &ActionButton;
    }
    return &ActionButton;
}

} // namespace platform
