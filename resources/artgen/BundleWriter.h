#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <vector>

// Collects the game's pictures and texts and writes them as the one block of
// built-in resources the game links in (platform/ResourceBundle.h).
class BundleWriter {
public:
    // The picture as the game shows it: 32-bit pixels, exactly what the game
    // once got from decoding the art as PNG.
    void AddPicture(std::int32_t id, const QImage& image);
    void AddText(const char* type, std::int32_t id, const QByteArray& text);
    bool Write(const QString& path) const;

private:
    struct Item {
        char type[4];
        std::int32_t id;
        std::uint32_t width;
        std::uint32_t height;
        QByteArray data;
    };
    std::vector<Item> mItems;
};
