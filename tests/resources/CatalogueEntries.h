#pragma once

#include "resources/PictureCatalogue.h"

#include <cstdint>
#include <vector>

// The catalogue as data, so tests can walk every accessor.
struct CatalogueEntry {
    const char* name;
    std::int32_t id;
    platform::PicturePtr (*accessor)();
};

inline const std::vector<CatalogueEntry>& CatalogueEntries()
{
#define TEST_ENTRY(name, id, ...) {#name, id, &name},
    static const std::vector<CatalogueEntry> entries = {KOLMIRA_PICTURE_CATALOGUE(TEST_ENTRY, TEST_ENTRY)};
#undef TEST_ENTRY
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
