#include "table/WinNoteTimerClass.h"

#include "app/Globals.h"
#include "platform/NilObjectException.h"
#include "table/TableClass.h"

WinNoteTimerClass::WinNoteTimerClass()
{
    SetMode(kModeSingle);
    SetPeriod(kPeriod);
}

void WinNoteTimerClass::Event_Action()
{
    // Also fires after another puzzle was loaded: the note is then already
    // gone and the table is simply redrawn as it is.
    TableClass& table = platform::Deref(gTable);
    table.mDrawWinNote = false;
    table.Draw(true);
}
