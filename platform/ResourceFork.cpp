#include "platform/ResourceFork.h"

#include <QFile>
#include <QImage>

namespace platform {

namespace {

const QString kPicturePath = QStringLiteral(":/pictures/%1.png");
const QString kTextPath = QStringLiteral(":/texts/%1/%2");

ResourceForkPtr& SubstitutedFork()
{
    static ResourceForkPtr fork;
    return fork;
}

} // namespace

PicturePtr ResourceFork::GetPicture(std::int32_t id)
{
    const QImage image(kPicturePath.arg(id));
    if (image.isNull()) {
        return nullptr;
    }
    return std::make_shared<Picture>(image);
}

QString ResourceFork::GetResource(const QString& type, std::int32_t id)
{
    // A type is a plain name; anything that could climb out of the texts'
    // folder finds nothing.
    if (type.isEmpty() || type.contains(QLatin1Char('/'))) {
        return {};
    }
    QFile file(kTextPath.arg(type).arg(id));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QString::fromUtf8(file.readAll());
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
