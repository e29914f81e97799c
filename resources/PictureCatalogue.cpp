#include "resources/PictureCatalogue.h"

#include "platform/pictures/Graphics.h"
#include "platform/NilObjectException.h"
#include "platform/pictures/ResourceFork.h"

#include <array>
#include <cstddef>

namespace {

// One slot per picture, numbered in catalogue order; no two accessors share
// a slot, so no two share a picture object.
enum Entry : std::size_t {
#define KOLMIRA_ENTRY(name, ...) Entry_##name,
    KOLMIRA_PICTURE_CATALOGUE(KOLMIRA_ENTRY, KOLMIRA_ENTRY)
#undef KOLMIRA_ENTRY
    EntryCount
};

std::array<platform::PicturePtr, EntryCount> gPictureSlots;
QString gLicenseText;
bool gLicenseTextLoaded = false;

platform::PicturePtr& LoadIntoSlot(Entry entry, std::int32_t id)
{
    platform::PicturePtr& slot = gPictureSlots[entry];
    if (!slot) {
        // Without a resource file there is nothing to load from; the caller
        // hears of it as a missing object.
        slot = platform::Deref(platform::appResourceForkGetter()).GetPicture(id);
    }
    return slot;
}

platform::PicturePtr LoadPlain(Entry entry, std::int32_t id)
{
    return LoadIntoSlot(entry, id);
}

platform::PicturePtr LoadMasked(Entry entry, std::int32_t id,
                                platform::PicturePtr (*partner)())
{
    if (gPictureSlots[entry]) {
        return gPictureSlots[entry];
    }
    platform::PicturePtr& slot = LoadIntoSlot(entry, id);
    if (!slot) {
        // A missing picture has no mask to receive; it stays missing and the
        // next call tries again.
        return slot;
    }
    // The mask is given once, on the loading call: a partner missing now
    // leaves the picture with the mask it came with for the rest of the run.
    if (const platform::PicturePtr mask = partner()) {
        slot->Mask()->Graphics().DrawPicture(mask.get(), 0, 0);
        // Drawn through the built-in composite: neither plane is read.
        slot->AdoptComposite(platform::appResourceForkGetter()->GetComposite(id));
    }
    return slot;
}

} // namespace

#define KOLMIRA_DEFINE_PLAIN(name, id) \
    platform::PicturePtr name() { return LoadPlain(Entry_##name, id); }
#define KOLMIRA_DEFINE_MASKED(name, id, partner) \
    platform::PicturePtr name() { return LoadMasked(Entry_##name, id, &partner); }
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
