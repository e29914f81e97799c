#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QString>
#include <QWidget>
#include <chrono>
#include <cstdio>
#include <utility>

namespace platform {

// Start-up measurement: with KOLMIRA_QUIT_AFTER_FIRST_PAINT=1 the program
// prints "first-paint <steady-clock nanoseconds>" once the named widget has
// been painted and shown, then leaves its event loop. The clock is the
// system's monotonic one, so the process that started the program can
// subtract its own start time. Header-only, so a bare Qt program can use it
// without linking the game.
class FirstPaintProbe : public QObject {
public:
    explicit FirstPaintProbe(QString widgetName)
        : mWidgetName(std::move(widgetName))
    {
        if (qEnvironmentVariableIntValue("KOLMIRA_QUIT_AFTER_FIRST_PAINT") != 0) {
            QCoreApplication::instance()->installEventFilter(this);
        }
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched->objectName() == mWidgetName) {
            QCoreApplication::instance()->removeEventFilter(this);
            // Queued, so the paint and the flush to the window complete first.
            QMetaObject::invokeMethod(
                QCoreApplication::instance(),
                [] {
                    const auto now = std::chrono::steady_clock::now().time_since_epoch();
                    std::printf("first-paint %lld\n", static_cast<long long>(
                        std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
                    std::fflush(stdout);
                    QCoreApplication::exit(0);
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    QString mWidgetName;
};

} // namespace platform
