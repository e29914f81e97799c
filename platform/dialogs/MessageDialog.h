#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace platform {

// One button of a message dialog.
struct MessageDialogButton {
    QString Caption;
    bool Visible = true;
};

// A modal message with a short message, an explanation and up to three named
// buttons. ShowModal answers the button pressed (a pointer to one of the
// three members), so callers compare it with &dialog.ActionButton.
class MessageDialog {
public:
    int Icon = 0;
    QString Title;
    QString Message;
    QString Explanation;
    MessageDialogButton ActionButton{QStringLiteral("OK"), true};
    MessageDialogButton CancelButton{QStringLiteral("Cancel"), false};
    MessageDialogButton AlternateActionButton{QStringLiteral("Don't Save"), false};

    MessageDialogButton* ShowModal();
    // Modal to one window; the answer comes back the same way.
    MessageDialogButton* ShowModalWithin(QWidget* parent);

    // Who answers the dialogs. Tests install one that records the dialog and
    // picks a button; the default shows a real message box.
    using Responder = std::function<MessageDialogButton*(MessageDialog&)>;
    static void SetResponder(Responder responder);

private:
    MessageDialogButton* ShowWithBox(QWidget* parent);
};

} // namespace platform
