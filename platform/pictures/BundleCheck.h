#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

// What is wrong with a block of resources, read back as the game reads it
// (BundleReader, on the block's own alignment) and checked in full: every
// entry found where its table says, every tile it names in its table, and
// every composite's runs in row order, left to right without overlapping,
// inside its picture and its pixels, showing exactly the colour picture
// through its grey mask (MaskedPixel) and leaving out only what the mask
// hides. Empty when the block is sound. The art generator refuses to write
// a block with a fault, so the game trusts what it links.
QString BundleFault(const QByteArray& block);

} // namespace platform
