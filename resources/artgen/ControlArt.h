#pragma once

#include "ArtStyle.h"

// The sidebar's picture buttons (normal, pointer over, pressed) and its three
// tabs (selected, not selected, pointer over). Buttons are cut from the page
// backdrops already in art, so they sit on them without a seam.
void AddControlArt(ArtSet& art);
