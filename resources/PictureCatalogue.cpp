#include "resources/PictureCatalogue.h"

#include "platform/NilObjectException.h"
#include "platform/pictures/ResourceFork.h"

#include <array>
#include <cstddef>
#include <optional>

namespace {

// One slot per picture, numbered in catalogue order; no two accessors share
// a slot, so no two share a picture object.
enum Entry : std::size_t {
#define KOLMIRA_ENTRY(name, ...) Entry_##name,
    KOLMIRA_PICTURE_CATALOGUE(KOLMIRA_ENTRY, KOLMIRA_ENTRY)
#undef KOLMIRA_ENTRY
    EntryCount
};

// Each entry's resource id, by slot.
constexpr std::int32_t kIds[] = {
#define KOLMIRA_ID(name, id, ...) id,
    KOLMIRA_PICTURE_CATALOGUE(KOLMIRA_ID, KOLMIRA_ID)
#undef KOLMIRA_ID
};

std::array<platform::PicturePtr, EntryCount> gPictureSlots;
QString gLicenseText;
bool gLicenseTextLoaded = false;

// The picture in the slot, loaded when the slot is empty; a masked picture
// comes from the fork whole, with its partner's art as its mask. Without a
// resource file there is nothing to load from; the caller hears of it as a
// missing object.
platform::PicturePtr Load(Entry entry, std::optional<Entry> partner = std::nullopt)
{
    platform::PicturePtr& slot = gPictureSlots[entry];
    if (!slot) {
        platform::ResourceFork& fork = platform::Deref(platform::appResourceForkGetter());
        slot = partner ? fork.GetMaskedPicture(kIds[entry], kIds[*partner]) : fork.GetPicture(kIds[entry]);
    }
    return slot;
}

} // namespace

#define KOLMIRA_DEFINE_PLAIN(name, id) \
    platform::PicturePtr name() { return Load(Entry_##name); }
#define KOLMIRA_DEFINE_MASKED(name, id, partner) \
    platform::PicturePtr name() { return Load(Entry_##name, Entry_##partner); }
KOLMIRA_PICTURE_CATALOGUE(KOLMIRA_DEFINE_PLAIN, KOLMIRA_DEFINE_MASKED)
#undef KOLMIRA_DEFINE_PLAIN
#undef KOLMIRA_DEFINE_MASKED

QString kolmira_license()
{
    if (!gLicenseTextLoaded) {
        gLicenseText = platform::Deref(platform::appResourceForkGetter())
                           .GetResource(QString::fromLatin1(kLicenseTextType), kLicenseTextId);
        gLicenseTextLoaded = true;
    }
    return gLicenseText;
}

void ResetPictureCatalogue()
{
    for (platform::PicturePtr& slot : gPictureSlots) {
        slot.reset();
    }
    gLicenseText.clear();
    gLicenseTextLoaded = false;
}
