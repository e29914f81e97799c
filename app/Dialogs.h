#pragma once

// The game's dialogs, each shown by one menu command: the open window of
// that kind is brought to the front, or a new one is made when none is open.
void ShowOpenPuzzleSheet(); // as a sheet of the play window
void ShowDetailedStats();
void ShowAboutWindow();
void ShowLicenseWindow();
