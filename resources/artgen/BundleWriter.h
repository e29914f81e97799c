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
    // once got from decoding the art as PNG; grey art one byte a pixel. False
    // when art meant to be grey holds a colour.
    bool AddPicture(std::int32_t id, const QImage& image, bool grey);
    void AddText(const char* type, std::int32_t id, const QByteArray& text);
    bool Write(const QString& path) const;

private:
    struct Item {
        char type[4];
        std::int32_t id;
        std::uint32_t width;
        std::uint32_t height;
        std::uint32_t depth;
        QByteArray data;
    };
    std::vector<Item> mItems;
};
