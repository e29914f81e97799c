#include "platform/EventGuard.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>

namespace platform {

namespace {

std::function<void(const QString&)>& Reporter()
{
    static std::function<void(const QString&)> reporter;
    return reporter;
}

} // namespace

void SetFailureReporter(std::function<void(const QString&)> reporter)
{
    Reporter() = std::move(reporter);
}

void ReportFailure(const QString& what)
{
    if (Reporter()) {
        Reporter()(what);
        return;
    }
    std::fprintf(stderr, "Kolmira: %s\n", qPrintable(what));
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr) {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Kolmira"),
                        QStringLiteral("Something went wrong, but the game goes on."));
        box.setInformativeText(what);
        box.exec();
    }
}

} // namespace platform
