#pragma once

#include <QString>

namespace platform {

// The folders the desktop sets aside for a program's own files.
class PreferencesFolder {
public:
    // Where the game keeps its preferences: $XDG_CONFIG_HOME when it names an
    // absolute path, else ~/.config. The folder need not exist yet.
    static QString Preferences();
};

} // namespace platform
