#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <cstdint>
#include <vector>

// Collects the game's pictures and texts and writes them as the one block of
// built-in resources the game links in (platform/pictures/ResourceBundle.h).
class BundleWriter {
public:
    // The picture as the game shows it: 32-bit pixels, or grey art one byte a
    // pixel (a quarter of the memory, and a mask plane shares it as it lies).
    // False when art meant to be grey holds a colour.
    bool AddPicture(std::int32_t id, const QImage& image, bool grey);
    // Colour art the game only ever copies somewhere whole or in part (the
    // table's background, the card's): kept as tiles when that is smaller,
    // else as rows.
    void AddTiledPicture(std::int32_t id, const QImage& image);
    // The composite of the picture colourId seen through the grey picture
    // maskId, kept as runs.
    void AddComposite(std::int32_t colourId, const QImage& colour, std::int32_t maskId, const QImage& mask);
    void AddText(const char* type, std::int32_t id, const QByteArray& text);
    // Puts the data of that entry, added before, at the front of the block,
    // after those placed first already; false when there is no such entry.
    // Why: a page of the block counts in the game's memory once it is mapped,
    // and the system maps a page fault's neighbours with it (64 KiB at a time
    // on a usual Linux). Art read at start-up lying among art that is not
    // would bring both in; lying together, in the order it is drawn, what is
    // mapped alongside is art the first screen reads anyway (what that saves:
    // docs/art-path.md).
    bool PlaceFirst(const char (&type)[4], std::int32_t id);
    // Writes the block once it reads back sound through the game's own
    // reader (platform::BundleFault): the game trusts the block it links, so
    // a fault here stops the build. What went wrong, or empty.
    QString Write(const QString& path) const;

private:
    QByteArray Block() const;
    struct Item {
        char type[4];
        std::int32_t id;
        std::uint32_t width;
        std::uint32_t height;
        std::uint16_t depth;
        std::uint16_t encoding;
        QByteArray data;
        std::int32_t maskId = 0; // a composite's mask
        bool first = false;
    };

    std::vector<Item> mItems;
    std::vector<std::size_t> mFirst; // items placed first, in that order
};
