#pragma once

#include "platform/pictures/BundleReader.h"
#include "platform/pictures/Picture.h"

#include <QString>
#include <cstdint>
#include <memory>

namespace platform {

// The game's own resources, built into the executable as one read-only block
// (see ResourceBundle.h): pictures by numeric id and texts by type and id.
class ResourceFork {
public:
    // The block the executable carries.
    ResourceFork();
    // Another block, read the same way (tests build small ones).
    explicit ResourceFork(const BundleReader& bundle);
    virtual ~ResourceFork() = default;
    // The picture with that id, or null when there is none. Its colour plane
    // reads the block's own data until it is drawn into.
    virtual PicturePtr GetPicture(std::int32_t id);
    // The picture with that id seen through the grey picture maskId, handed
    // out whole: both planes and the composite made ahead of the two, found
    // together in the block, so that it is drawn from the stretches that
    // show and neither plane is read. Null when any of the three is missing.
    virtual PicturePtr GetMaskedPicture(std::int32_t id, std::int32_t maskId);
    // The resource's contents as text; empty when there is none.
    virtual QString GetResource(const QString& type, std::int32_t id);

private:
    BundleReader mBundle;
};

using ResourceForkPtr = std::shared_ptr<ResourceFork>;

// The application's resource fork. Tests may substitute one (for example a
// fork with missing entries); passing null restores the built-in one.
ResourceForkPtr appResourceForkGetter();
void SetAppResourceFork(ResourceForkPtr fork);

} // namespace platform
