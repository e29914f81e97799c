#pragma once

#include "resources/PictureCatalogue.h"

#include <cstdint>
#include <vector>

// The catalogue as data, so tests can walk every accessor.
struct CatalogueEntry {
    const char* name;
    std::int32_t id;
    platform::PicturePtr (*accessor)();
    const char* partner; // null for a picture without a mask partner
};

inline const std::vector<CatalogueEntry>& CatalogueEntries()
{
#define TEST_PLAIN(name, id) {#name, id, &name, nullptr},
#define TEST_MASKED(name, id, partner) {#name, id, &name, #partner},
    static const std::vector<CatalogueEntry> entries = {
        KOLMIRA_PICTURE_CATALOGUE(TEST_PLAIN, TEST_MASKED)};
#undef TEST_PLAIN
#undef TEST_MASKED
    return entries;
}

inline platform::PicturePtr PictureNamed(const QString& name)
{
    for (const CatalogueEntry& entry : CatalogueEntries()) {
        if (name == QLatin1String(entry.name)) {
            return entry.accessor();
        }
    }
    return nullptr;
}
