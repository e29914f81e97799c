#pragma once

#include "resources/PictureCatalogue.h"

#include <QString>
#include <map>

// Every accessor of the catalogue by its name, so tests can reach any picture.
inline const std::map<QString, platform::PicturePtr (*)()>& CatalogueAccessors()
{
#define TEST_ENTRY(name, ...) {QStringLiteral(#name), &name},
    static const std::map<QString, platform::PicturePtr (*)()> accessors = {
        KOLMIRA_PICTURE_CATALOGUE(TEST_ENTRY, TEST_ENTRY)};
#undef TEST_ENTRY
    return accessors;
}

// The named picture; a name the catalogue lacks throws std::out_of_range.
inline platform::PicturePtr PictureNamed(const QString& name)
{
    return CatalogueAccessors().at(name)();
}
