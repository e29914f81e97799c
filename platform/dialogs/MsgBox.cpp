#include "platform/dialogs/MsgBox.h"

#include "platform/dialogs/PlainMessageBox.h"

#include <QApplication>
#include <QPushButton>
#include <cstdio>

namespace platform {

namespace {

std::function<void(const QString&)>& Handler()
{
    static std::function<void(const QString&)> handler;
    return handler;
}

} // namespace

void SetMsgBoxHandler(std::function<void(const QString&)> handler)
{
    Handler() = std::move(handler);
}

void MsgBox(const QString& message)
{
    if (Handler()) {
        Handler()(message);
        return;
    }
    // Without a widget application (a command-line tool, a benchmark) there
    // is no one to click OK; the message still must not vanish.
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
        std::fprintf(stderr, "Kolmira: %s\n", qPrintable(message));
        return;
    }
    PlainMessageBox box(QIcon(), QStringLiteral("Kolmira"), {message});
    box.SetDefaultButton(box.AddButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole));
    box.Ask();
}

} // namespace platform
