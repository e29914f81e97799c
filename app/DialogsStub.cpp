// TO BE REPLACED by the dialogs' own definitions of the functions in
// app/Dialogs.h (delete this file when they land). Until then the commands
// that open dialogs do nothing.
#include "app/Dialogs.h"

void ShowOpenPuzzleSheet() {}
void ShowDetailedStats() {}
void ShowAboutWindow() {}
void ShowLicenseWindow() {}
