#pragma once

#include <QString>
#include <cstdint>
#include <variant>

namespace platform {

// A loosely typed value as the store hands it out: nil, integer, real, text
// or boolean, with the conversions the game asks of it.
class Variant {
public:
    Variant() = default; // nil
    Variant(std::int64_t v) : mValue(v) {}
    Variant(int v) : mValue(std::int64_t{v}) {}
    Variant(double v) : mValue(v) {}
    Variant(bool v) : mValue(v) {}
    Variant(const QString& v) : mValue(v) {}
    Variant(const char* v) : mValue(QString::fromUtf8(v)) {}

    // What the value holds; the store binds each kind as its own column type.
    enum class Type { Nil, Integer, Real, Boolean, Text };
    Type GetType() const { return static_cast<Type>(mValue.index()); }

    bool IsNil() const { return std::holds_alternative<std::monostate>(mValue); }

    // Text that is not a number converts to 0; nil to 0.
    std::int32_t IntegerValue() const;
    std::int64_t Int64Value() const;
    double DoubleValue() const;
    // True for a non-zero number, for "true"/"yes"/"1" (any case); false otherwise.
    bool BooleanValue() const;
    // Nil converts to the empty text.
    QString StringValue() const;

    bool operator==(const Variant& other) const { return mValue == other.mValue; }

private:
    // Alternatives in the order of Type.
    std::variant<std::monostate, std::int64_t, double, bool, QString> mValue;
};

} // namespace platform
