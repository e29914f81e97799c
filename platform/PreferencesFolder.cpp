#include "platform/PreferencesFolder.h"

#include <QDir>

namespace platform {

QString PreferencesFolder::Preferences()
{
    // A relative XDG_CONFIG_HOME is to be ignored, as the desktop's base
    // directory rules say; it would otherwise depend on the working folder.
    const QString configured = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!configured.isEmpty() && QDir::isAbsolutePath(configured)) {
        return QDir::cleanPath(configured);
    }
    return QDir::homePath() + QStringLiteral("/.config");
}

} // namespace platform
