#include "app/GlobalsShell.h"

#include "app/Globals.h"
#include "app/PlayWindow.h"
#include "resources/PictureCatalogue.h"

void ShowPlayWindow()
{
    if (gPlayWindow == nullptr) {
        gPlayWindow = new PlayWindow;
    }
    gPlayWindow->Show();
}

void PreloadPictures()
{
    // The accessors cache what they load; a piece picture brings its mask.
    largetriangle1();
    largetriangle2();
    largetriangle3();
    largetriangle4();
    largetriangle5();
    largetriangle6();
    largetriangle7();
    largetriangle8();
    smalltriangle1();
    smalltriangle2();
    smalltriangle3();
    smalltriangle4();
    smalltriangle5();
    smalltriangle6();
    smalltriangle7();
    smalltriangle8();
    mediumtriangle1();
    mediumtriangle2();
    mediumtriangle3();
    mediumtriangle4();
    mediumtriangle5();
    mediumtriangle6();
    mediumtriangle7();
    mediumtriangle8();
    rhombus1();
    rhombus2();
    rhombus3();
    rhombus4();
    square1();
    square2();
    playtabbackground();
    statstabbackground();
    helptabbackground();
    sidebartopbackground();
    sidebartab1hilite();
    sidebartab2hilite();
    sidebartab3hilite();
    puzzlecard();
    gethinthilite();
    newpuzzlehilite();
    gethintpressed();
    newpuzzlepressed();
}
