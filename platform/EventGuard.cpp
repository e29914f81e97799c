#include "platform/EventGuard.h"

#include "platform/dialogs/PlainMessageBox.h"

#include <QApplication>
#include <QStyle>
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
        PlainMessageBox box(QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning),
                            QStringLiteral("Kolmira"),
                            {QStringLiteral("Something went wrong, but the game goes on."), what});
        box.SetDefaultButton(box.AddButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole));
        box.Ask();
    }
}

} // namespace platform
