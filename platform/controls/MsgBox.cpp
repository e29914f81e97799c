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

// Far narrower than a box; a line broken inside such a run falls short of
// the box's edge by at most its width.
constexpr int kLongestUnbrokenRun = 20;
constexpr QChar kZeroWidthSpace(0x200B);

} // namespace

QString BreakableText(const QString& text)
{
    QString breakable;
    breakable.reserve(text.size() + text.size() / kLongestUnbrokenRun);
    int run = 0;
    for (const QChar c : text) {
        breakable += c;
        if (c.isSpace()) {
            run = 0;
        } else if (c == QLatin1Char('/') || ++run == kLongestUnbrokenRun) {
            breakable += kZeroWidthSpace;
            run = 0;
        }
    }
    return breakable;
}

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
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Kolmira"), BreakableText(message), QMessageBox::Ok);
    box.exec();
}

} // namespace platform
