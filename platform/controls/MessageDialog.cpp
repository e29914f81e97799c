#include "platform/controls/MessageDialog.h"

#include "platform/controls/MsgBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

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

QMessageBox::Icon BoxIcon(int icon)
{
    switch (icon) {
    case kIconWarning:
        return QMessageBox::Warning;
    case kIconStop:
        return QMessageBox::Critical;
    case kIconQuestion:
        return QMessageBox::Question;
    default:
        return QMessageBox::Information;
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
    QMessageBox box(BoxIcon(Icon), Title.isEmpty() ? QApplication::applicationName() : Title,
                    BreakableText(Message), QMessageBox::NoButton, parent);
    box.setInformativeText(BreakableText(Explanation));
    QPushButton* action = box.addButton(ActionButton.Caption, QMessageBox::AcceptRole);
    box.setDefaultButton(action);
    QPushButton* alternate = nullptr;
    if (AlternateActionButton.Visible) {
        alternate = box.addButton(AlternateActionButton.Caption, QMessageBox::DestructiveRole);
    }
    QPushButton* cancel = nullptr;
    if (CancelButton.Visible) {
        cancel = box.addButton(CancelButton.Caption, QMessageBox::RejectRole);
        box.setEscapeButton(cancel);
    }
    box.exec();
    const auto* clicked = box.clickedButton();
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
