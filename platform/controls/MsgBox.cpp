#include "platform/controls/MsgBox.h"

#include <QApplication>
#include <QMessageBox>
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
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Kolmira"), message, QMessageBox::Ok);
    box.exec();
}

} // namespace platform
