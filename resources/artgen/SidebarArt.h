#pragma once

#include "ArtStyle.h"

// The sidebar column, 200 pixels wide: the top canvas with the puzzle card's
// frame, the card, and the backdrops of the Play, Stats, Help and end pages.
// The column is drawn as one piece of wood so the parts join seamlessly.
void AddSidebarArt(ArtSet& art);

// The wood of the sidebar column at a place given in window pixels, for art
// that lies over it (buttons and tabs).
QImage SidebarWood(const QRect& windowArea);
