#pragma once

#include "platform/pictures/PictureRows.h"
#include "platform/pictures/ResourceBundle.h"

#include <QImage>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <variant>

namespace platform {

// A composite made ahead (kBundleRuns), not yet read: its entry's data, the
// picture size it was made for, and where the rows of the colour picture and
// of the grey mask it was made from lie in the block.
struct PackedComposite {
    const unsigned char* data = nullptr;
    std::uint64_t size = 0;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    const unsigned char* colourRows = nullptr;
    const unsigned char* maskRows = nullptr;
};

// The one reader of the block of built-in resources (ResourceBundle.h). It
// hands out nothing it has not checked: the entry lies inside the block on
// its alignment, and its data is exactly what its encoding says, so nothing
// drawn from it reads outside the block or off its alignment. A damaged or
// missing entry is simply not found.
class BundleReader {
public:
    // Over the block of that size; a block too short or of another kind
    // finds nothing.
    BundleReader(const unsigned char* begin, std::size_t size);
    // The block the executable carries (see RegisterResourceBundle).
    static BundleReader BuiltIn();

    // The pixels of picture id: rows (a QImage over the block's own data,
    // which is never written: the first change makes a copy) or tiles.
    std::optional<std::variant<QImage, TiledPixels>> Pixels(std::int32_t id) const;
    // The composite made ahead for picture id through its mask. Only the
    // entry table is read: a composite's data is read when it is first drawn
    // (ReadComposite), so that art the player never sees stays unmapped.
    std::optional<PackedComposite> Composite(std::int32_t id) const;
    // The bytes of the resource of that type and id; empty when there is none.
    std::string_view Text(const char (&type)[4], std::int32_t id) const;

    // The composite's runs and pixels, or nothing when its data is not
    // sound: a header whose counts do not match the size, rows out of order,
    // runs that overlap, leave the picture or name pixels past the end.
    static std::optional<CompositeRows> ReadComposite(const PackedComposite& composite);

private:
    // The entry of that type and id whose data lies wholly inside the block,
    // on a boundary of kBundleAlignment; null otherwise.
    const BundleEntry* Find(const char (&type)[4], std::int32_t id) const;
    // Entry's data, checked as rows of its size and depth: null otherwise.
    const unsigned char* RowsOf(const BundleEntry* entry, std::uint16_t depth) const;
    const unsigned char* DataOf(const BundleEntry& entry) const { return mBegin + entry.offset; }

    const unsigned char* mBegin = nullptr;
    std::size_t mSize = 0;
};

} // namespace platform
