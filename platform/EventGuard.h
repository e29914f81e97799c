#pragma once

#include <QString>
#include <exception>
#include <functional>

namespace platform {

// Every event handler, menu command and timer action of the game runs
// through RunGuarded, so that no exception crosses the Qt event loop: a
// failure is reported in a message and the game keeps running.
void ReportFailure(const QString& what);

// Who shows the report; the default shows a message dialog. Tests install
// their own to record reports.
void SetFailureReporter(std::function<void(const QString&)> reporter);

template <class F>
bool RunGuarded(F&& f)
{
    try {
        f();
        return true;
    } catch (const std::exception& e) {
        ReportFailure(QString::fromUtf8(e.what()));
    } catch (...) {
        ReportFailure(QStringLiteral("An unexpected error occurred."));
    }
    return false;
}

} // namespace platform
