#include "platform/pictures/ResourceFork.h"

#include <cstring>

namespace platform {

namespace {

ResourceForkPtr& SubstitutedFork()
{
    static ResourceForkPtr fork;
    return fork;
}

} // namespace

ResourceFork::ResourceFork()
    : ResourceFork(BundleReader::BuiltIn())
{
}

ResourceFork::ResourceFork(const BundleReader& bundle)
    : mBundle(bundle)
{
}

PicturePtr ResourceFork::GetPicture(std::int32_t id)
{
    const auto pixels = mBundle.Pixels(id);
    if (!pixels) {
        return nullptr;
    }
    if (const auto* tiles = std::get_if<TiledPixels>(&*pixels)) {
        return Picture::FromTiles(*tiles);
    }
    return std::make_shared<Picture>(std::get<QImage>(*pixels));
}

PicturePtr ResourceFork::GetMaskedPicture(std::int32_t id, std::int32_t maskId)
{
    const auto masked = mBundle.Masked(id, maskId);
    return masked ? Picture::Masked(*masked) : nullptr;
}

QString ResourceFork::GetResource(const QString& type, std::int32_t id)
{
    const QByteArray name = type.toLatin1();
    char key[4] = {};
    // A type is four characters; anything else names no resource, and the
    // pictures' own types are not text.
    if (name.size() != sizeof key || name == QByteArray(kBundlePictureType, sizeof key)
        || name == QByteArray(kBundleCompositeType, sizeof key)) {
        return {};
    }
    std::memcpy(key, name.constData(), sizeof key);
    const std::string_view text = mBundle.Text(key, id);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

ResourceForkPtr appResourceForkGetter()
{
    static const ResourceForkPtr builtIn = std::make_shared<ResourceFork>();
    const ResourceForkPtr& substituted = SubstitutedFork();
    return substituted ? substituted : builtIn;
}

void SetAppResourceFork(ResourceForkPtr fork)
{
    SubstitutedFork() = std::move(fork);
}

} // namespace platform
