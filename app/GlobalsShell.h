#pragma once

// Start-up operations on the shared objects (kept out of Globals.h, which
// must stay free of the windows).

// Creates the play window once, stores it in gPlayWindow and shows it.
void ShowPlayWindow();
// Loads the piece pictures and the sidebar pictures used at once.
void PreloadPictures();
