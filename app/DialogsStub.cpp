// TO BE REPLACED by the dialogs' own definitions of the functions in
// app/Dialogs.h (delete this file when all four have landed). The stand-ins
// are weak, so each real definition takes over as soon as it is linked in;
// until then the command does nothing.
#include "app/Dialogs.h"

__attribute__((weak)) void ShowOpenPuzzleSheet() {}
__attribute__((weak)) void ShowDetailedStats() {}
__attribute__((weak)) void ShowAboutWindow() {}
__attribute__((weak)) void ShowLicenseWindow() {}
