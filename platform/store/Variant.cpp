#include "platform/store/Variant.h"

#include <QLocale>
#include <cmath>
#include <limits>

namespace platform {

namespace {

// Text read from the store may hold a whole number, a real or neither; the
// game only ever needs the number it spells, or 0.
bool ParseNumber(const QString& text, double& out, bool& isWhole, std::int64_t& whole)
{
    const QString trimmed = text.trimmed();
    bool ok = false;
    whole = trimmed.toLongLong(&ok);
    if (ok) {
        isWhole = true;
        out = static_cast<double>(whole);
        return true;
    }
    out = trimmed.toDouble(&ok);
    isWhole = false;
    return ok && std::isfinite(out);
}

std::int64_t Truncate(double v)
{
    if (!std::isfinite(v)) {
        return 0;
    }
    constexpr double kMax = static_cast<double>(std::numeric_limits<std::int64_t>::max());
    constexpr double kMin = static_cast<double>(std::numeric_limits<std::int64_t>::min());
    if (v >= kMax) {
        return std::numeric_limits<std::int64_t>::max();
    }
    if (v <= kMin) {
        return std::numeric_limits<std::int64_t>::min();
    }
    return static_cast<std::int64_t>(v);
}

} // namespace

std::int64_t Variant::Int64Value() const
{
    if (const auto* i = std::get_if<std::int64_t>(&mValue)) {
        return *i;
    }
    if (const auto* d = std::get_if<double>(&mValue)) {
        return Truncate(*d);
    }
    if (const auto* b = std::get_if<bool>(&mValue)) {
        return *b ? 1 : 0;
    }
    if (const auto* s = std::get_if<QString>(&mValue)) {
        double number = 0;
        bool isWhole = false;
        std::int64_t whole = 0;
        if (!ParseNumber(*s, number, isWhole, whole)) {
            return 0;
        }
        return isWhole ? whole : Truncate(number);
    }
    return 0;
}

std::int32_t Variant::IntegerValue() const
{
    // Wider values wrap as a 32-bit integer would; the game's numbers are small.
    return static_cast<std::int32_t>(Int64Value());
}

double Variant::DoubleValue() const
{
    if (const auto* d = std::get_if<double>(&mValue)) {
        return *d;
    }
    if (const auto* s = std::get_if<QString>(&mValue)) {
        double number = 0;
        bool isWhole = false;
        std::int64_t whole = 0;
        return ParseNumber(*s, number, isWhole, whole) ? number : 0.0;
    }
    return static_cast<double>(Int64Value());
}

bool Variant::BooleanValue() const
{
    if (const auto* b = std::get_if<bool>(&mValue)) {
        return *b;
    }
    if (const auto* s = std::get_if<QString>(&mValue)) {
        const QString t = s->trimmed().toLower();
        if (t == QLatin1String("true") || t == QLatin1String("yes")) {
            return true;
        }
        double number = 0;
        bool isWhole = false;
        std::int64_t whole = 0;
        return ParseNumber(t, number, isWhole, whole) && number != 0.0;
    }
    if (const auto* d = std::get_if<double>(&mValue)) {
        return *d != 0.0;
    }
    return Int64Value() != 0;
}

QString Variant::StringValue() const
{
    if (const auto* s = std::get_if<QString>(&mValue)) {
        return *s;
    }
    if (const auto* i = std::get_if<std::int64_t>(&mValue)) {
        return QString::number(*i);
    }
    if (const auto* d = std::get_if<double>(&mValue)) {
        return QString::number(*d, 'g', QLocale::FloatingPointShortest);
    }
    if (const auto* b = std::get_if<bool>(&mValue)) {
        // The spelling BooleanValue reads back as the same boolean.
        return *b ? QStringLiteral("True") : QStringLiteral("False");
    }
    return QString();
}

} // namespace platform
