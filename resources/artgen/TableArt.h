#pragma once

#include "ArtStyle.h"

// The play table's background, the notes drawn over the table (with their
// masks) and the About window's picture.
void AddTableArt(ArtSet& art);
