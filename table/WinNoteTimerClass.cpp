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
    // Only the won puzzle's table hears it: another puzzle stops the timer.
    TableClass& table = platform::Deref(gTable);
    table.mDrawWinNote = false;
    table.Draw(true);
}
