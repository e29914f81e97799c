#pragma once

#include <QDateTime>
#include <QString>

namespace platform {

// A moment; a new Date holds the current date and time.
class Date {
public:
    Date() : mWhen(QDateTime::currentDateTime()) {}
    // "YYYY-MM-DD HH:MM:SS", the form SQLite's CURRENT_TIMESTAMP uses.
    QString SQLDateTime() const;

private:
    QDateTime mWhen;
};

} // namespace platform
