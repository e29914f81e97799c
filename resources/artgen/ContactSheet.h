#pragma once

#include "ArtStyle.h"

// For looking at the art: the play window as the game puts it together
// (sidebar, puzzle card with a figure, buttons, tabs, table with pieces and
// notes), and a sheet of every other picture with masks applied.
QImage WindowMockup(const ArtSet& art);
QImage ContactSheet(const ArtSet& art);
