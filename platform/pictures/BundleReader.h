#pragma once

#include "platform/pictures/PictureRows.h"
#include "platform/pictures/ResourceBundle.h"

#include <QImage>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <variant>

namespace platform {

// A masked picture as the block holds it: the colour rows, the grey rows of
// its mask and the composite made ahead of the two, found together.
struct MaskedPixels {
    QImage colour;
    QImage mask;
    PackedComposite composite;
};

// The one reader of the block of built-in resources (ResourceBundle.h). The
// art generator reads every block it writes back through this reader and
// checks all of it (BundleFault) before the game can link it, and a block
// that fails that check is never built. At run time the reader checks only
// each entry's bounds and alignment: that it lies inside the block, on its
// boundary, and is as large as its table says. What lies inside an entry
// (tile indices, runs, composite rows) is not checked again here; that is
// the build's check. An entry that fails is simply not found.
class BundleReader {
public:
    // Over the block of that size; a block too short or of another kind
    // finds nothing.
    BundleReader(const unsigned char* begin, std::size_t size);
    // The block the executable carries (resources/embed/).
    static BundleReader BuiltIn();

    // Every entry of the block's table, as written.
    std::span<const BundleEntry> Entries() const;
    // The pixels of picture id: rows (a QImage over the block's own data,
    // which is never written: the first change makes a copy) or tiles.
    std::optional<std::variant<QImage, TiledPixels>> Pixels(std::int32_t id) const;
    // Picture id as colour rows seen through the grey picture maskId, with
    // the composite made ahead of the two. Only the entry table is read: the
    // composite's own data is read when it is drawn, so that art the player
    // never sees stays unmapped.
    std::optional<MaskedPixels> Masked(std::int32_t id, std::int32_t maskId) const;
    // The bytes of the resource of that type and id; empty when there is none.
    std::string_view Text(const char (&type)[4], std::int32_t id) const;

private:
    // The entry of that type and id whose data lies wholly inside the block,
    // on a boundary of kBundleAlignment; null otherwise.
    const BundleEntry* Find(const char (&type)[4], std::int32_t id) const;
    // Picture id as rows of that depth over the block; a null image when the
    // entry holds anything else.
    QImage Rows(std::int32_t id, std::uint16_t depth) const;
    const unsigned char* DataOf(const BundleEntry& entry) const { return mBegin + entry.offset; }

    const unsigned char* mBegin = nullptr;
    std::size_t mSize = 0;
};

} // namespace platform
