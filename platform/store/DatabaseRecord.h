#pragma once

#include "platform/store/Variant.h"

#include <QString>
#include <cstdint>
#include <utility>
#include <vector>

namespace platform {

// A row to insert: named columns with their values; unset columns take
// their defaults.
class DatabaseRecord {
public:
    void Column(const QString& name, const QString& text) { mColumns.emplace_back(name, Variant(text)); }
    void IntegerColumn(const QString& name, std::int32_t value) { mColumns.emplace_back(name, Variant(value)); }

    const std::vector<std::pair<QString, Variant>>& Columns() const { return mColumns; }

private:
    std::vector<std::pair<QString, Variant>> mColumns;
};

} // namespace platform
