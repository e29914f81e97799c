#include "platform/Date.h"

namespace platform {

QString Date::SQLDateTime() const
{
    // In UTC, like the CURRENT_TIMESTAMP defaults of the same columns, so
    // stamps written by the game and by the store itself compare directly.
    return mWhen.toUTC().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

} // namespace platform
