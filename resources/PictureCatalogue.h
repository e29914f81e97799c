#pragma once

#include "platform/pictures/Picture.h"

#include <QString>
#include <cstdint>

// The game's picture catalogue: every picture it shows, each reached through a
// plain function named as the picture (`largetriangle3()`, `winnote()`), and
// the licence text. A picture is loaded by its resource id on the first call
// that finds it, then shared by every caller for the rest of the run; while a
// picture is missing each call asks the resources again and returns nothing.
//
// A piece picture and a note come with their transparency mask, the art of
// another picture of the catalogue (its mask partner): the resource fork
// hands out the two together, on the call that loads the picture.
//
// The list below is the catalogue's one table: X_PLAIN(name, id) for a picture
// used as it is, X_MASKED(name, id, partner) for one that takes partner's
// picture as its mask. A piece mask's id is its piece picture's plus 30, a
// puzzle-card mask's plus 60 and a hint mask's plus 105.
#define KOLMIRA_PICTURE_CATALOGUE(X_PLAIN, X_MASKED) \
    X_PLAIN(about, 168) \
    X_PLAIN(tablebackground, 170) \
    X_PLAIN(sidebartopbackground, 171) \
    X_PLAIN(puzzlecard, 172) \
    X_PLAIN(playtabbackground, 173) \
    X_PLAIN(statstabbackground, 174) \
    X_PLAIN(helptabbackground, 175) \
    X_PLAIN(playtabresetbackground, 176) \
    X_MASKED(largetriangle1, 177, largetriangle1mask) \
    X_MASKED(largetriangle2, 178, largetriangle2mask) \
    X_MASKED(largetriangle3, 179, largetriangle3mask) \
    X_MASKED(largetriangle4, 180, largetriangle4mask) \
    X_MASKED(largetriangle5, 181, largetriangle5mask) \
    X_MASKED(largetriangle6, 182, largetriangle6mask) \
    X_MASKED(largetriangle7, 183, largetriangle7mask) \
    X_MASKED(largetriangle8, 184, largetriangle8mask) \
    X_MASKED(mediumtriangle1, 185, mediumtriangle1mask) \
    X_MASKED(mediumtriangle2, 186, mediumtriangle2mask) \
    X_MASKED(mediumtriangle3, 187, mediumtriangle3mask) \
    X_MASKED(mediumtriangle4, 188, mediumtriangle4mask) \
    X_MASKED(mediumtriangle5, 189, mediumtriangle5mask) \
    X_MASKED(mediumtriangle6, 190, mediumtriangle6mask) \
    X_MASKED(mediumtriangle7, 191, mediumtriangle7mask) \
    X_MASKED(mediumtriangle8, 192, mediumtriangle8mask) \
    X_MASKED(rhombus1, 193, rhombus1mask) \
    X_MASKED(rhombus2, 194, rhombus2mask) \
    X_MASKED(rhombus3, 195, rhombus3mask) \
    X_MASKED(rhombus4, 196, rhombus4mask) \
    X_MASKED(smalltriangle1, 197, smalltriangle1mask) \
    X_MASKED(smalltriangle2, 198, smalltriangle2mask) \
    X_MASKED(smalltriangle3, 199, smalltriangle3mask) \
    X_MASKED(smalltriangle4, 200, smalltriangle4mask) \
    X_MASKED(smalltriangle5, 201, smalltriangle5mask) \
    X_MASKED(smalltriangle6, 202, smalltriangle6mask) \
    X_MASKED(smalltriangle7, 203, smalltriangle7mask) \
    X_MASKED(smalltriangle8, 204, smalltriangle8mask) \
    X_MASKED(square1, 205, square1mask) \
    X_MASKED(square2, 206, square2mask) \
    X_PLAIN(largetriangle1mask, 207) \
    X_PLAIN(largetriangle2mask, 208) \
    X_PLAIN(largetriangle3mask, 209) \
    X_PLAIN(largetriangle4mask, 210) \
    X_PLAIN(largetriangle5mask, 211) \
    X_PLAIN(largetriangle6mask, 212) \
    X_PLAIN(largetriangle7mask, 213) \
    X_PLAIN(largetriangle8mask, 214) \
    X_PLAIN(mediumtriangle1mask, 215) \
    X_PLAIN(mediumtriangle2mask, 216) \
    X_PLAIN(mediumtriangle3mask, 217) \
    X_PLAIN(mediumtriangle4mask, 218) \
    X_PLAIN(mediumtriangle5mask, 219) \
    X_PLAIN(mediumtriangle6mask, 220) \
    X_PLAIN(mediumtriangle7mask, 221) \
    X_PLAIN(mediumtriangle8mask, 222) \
    X_PLAIN(rhombus1mask, 223) \
    X_PLAIN(rhombus2mask, 224) \
    X_PLAIN(rhombus3mask, 225) \
    X_PLAIN(rhombus4mask, 226) \
    X_PLAIN(smalltriangle1mask, 227) \
    X_PLAIN(smalltriangle2mask, 228) \
    X_PLAIN(smalltriangle3mask, 229) \
    X_PLAIN(smalltriangle4mask, 230) \
    X_PLAIN(smalltriangle5mask, 231) \
    X_PLAIN(smalltriangle6mask, 232) \
    X_PLAIN(smalltriangle7mask, 233) \
    X_PLAIN(smalltriangle8mask, 234) \
    X_PLAIN(square1mask, 235) \
    X_PLAIN(square2mask, 236) \
    X_PLAIN(cardlargetriangle1mask, 237) \
    X_PLAIN(cardlargetriangle2mask, 238) \
    X_PLAIN(cardlargetriangle3mask, 239) \
    X_PLAIN(cardlargetriangle4mask, 240) \
    X_PLAIN(cardlargetriangle5mask, 241) \
    X_PLAIN(cardlargetriangle6mask, 242) \
    X_PLAIN(cardlargetriangle7mask, 243) \
    X_PLAIN(cardlargetriangle8mask, 244) \
    X_PLAIN(cardmediumtriangle1mask, 245) \
    X_PLAIN(cardmediumtriangle2mask, 246) \
    X_PLAIN(cardmediumtriangle3mask, 247) \
    X_PLAIN(cardmediumtriangle4mask, 248) \
    X_PLAIN(cardmediumtriangle5mask, 249) \
    X_PLAIN(cardmediumtriangle6mask, 250) \
    X_PLAIN(cardmediumtriangle7mask, 251) \
    X_PLAIN(cardmediumtriangle8mask, 252) \
    X_PLAIN(cardrhombus1mask, 253) \
    X_PLAIN(cardrhombus2mask, 254) \
    X_PLAIN(cardrhombus3mask, 255) \
    X_PLAIN(cardrhombus4mask, 256) \
    X_PLAIN(cardsmalltriangle1mask, 257) \
    X_PLAIN(cardsmalltriangle2mask, 258) \
    X_PLAIN(cardsmalltriangle3mask, 259) \
    X_PLAIN(cardsmalltriangle4mask, 260) \
    X_PLAIN(cardsmalltriangle5mask, 261) \
    X_PLAIN(cardsmalltriangle6mask, 262) \
    X_PLAIN(cardsmalltriangle7mask, 263) \
    X_PLAIN(cardsmalltriangle8mask, 264) \
    X_PLAIN(cardsquare1mask, 265) \
    X_PLAIN(cardsquare2mask, 266) \
    X_PLAIN(gethint, 267) \
    X_PLAIN(sidebartab1, 268) \
    X_PLAIN(sidebartab1deselected, 269) \
    X_MASKED(completenote, 270, winnotemask) \
    X_PLAIN(gethinthilite, 271) \
    X_PLAIN(gethintpressed, 272) \
    X_PLAIN(newpuzzle, 273) \
    X_PLAIN(newpuzzlehilite, 274) \
    X_PLAIN(newpuzzlepressed, 275) \
    X_PLAIN(quit, 276) \
    X_PLAIN(quithilite, 277) \
    X_PLAIN(quitpressed, 278) \
    X_PLAIN(hintlargetriangle1mask, 282) \
    X_PLAIN(hintlargetriangle2mask, 283) \
    X_PLAIN(hintlargetriangle3mask, 284) \
    X_PLAIN(hintlargetriangle4mask, 285) \
    X_PLAIN(hintlargetriangle5mask, 286) \
    X_PLAIN(hintlargetriangle6mask, 287) \
    X_PLAIN(hintlargetriangle7mask, 288) \
    X_PLAIN(hintlargetriangle8mask, 289) \
    X_PLAIN(hintmediumtriangle1mask, 290) \
    X_PLAIN(hintmediumtriangle2mask, 291) \
    X_PLAIN(hintmediumtriangle3mask, 292) \
    X_PLAIN(hintmediumtriangle4mask, 293) \
    X_PLAIN(hintmediumtriangle5mask, 294) \
    X_PLAIN(hintmediumtriangle6mask, 295) \
    X_PLAIN(hintmediumtriangle7mask, 296) \
    X_PLAIN(hintmediumtriangle8mask, 297) \
    X_PLAIN(hintrhombus1mask, 298) \
    X_PLAIN(hintrhombus2mask, 299) \
    X_PLAIN(hintrhombus3mask, 300) \
    X_PLAIN(hintrhombus4mask, 301) \
    X_PLAIN(hintsmalltriangle1mask, 302) \
    X_PLAIN(hintsmalltriangle2mask, 303) \
    X_PLAIN(hintsmalltriangle3mask, 304) \
    X_PLAIN(hintsmalltriangle4mask, 305) \
    X_PLAIN(hintsmalltriangle5mask, 306) \
    X_PLAIN(hintsmalltriangle6mask, 307) \
    X_PLAIN(hintsmalltriangle7mask, 308) \
    X_PLAIN(hintsmalltriangle8mask, 309) \
    X_PLAIN(hintsquare1mask, 310) \
    X_PLAIN(hintsquare2mask, 311) \
    X_PLAIN(sidebartab1hilite, 312) \
    X_PLAIN(sidebartab2, 313) \
    X_PLAIN(sidebartab2deselected, 314) \
    X_PLAIN(sidebartab2hilite, 315) \
    X_PLAIN(sidebartab3, 316) \
    X_PLAIN(sidebartab3deselected, 317) \
    X_PLAIN(sidebartab3hilite, 318) \
    X_PLAIN(winnotemask, 319) \
    X_MASKED(winnote, 320, winnotemask) \
    X_PLAIN(overlapnotemask, 321) \
    X_MASKED(overlapnote, 322, overlapnotemask)

#define KOLMIRA_DECLARE_PICTURE(name, ...) platform::PicturePtr name();
KOLMIRA_PICTURE_CATALOGUE(KOLMIRA_DECLARE_PICTURE, KOLMIRA_DECLARE_PICTURE)
#undef KOLMIRA_DECLARE_PICTURE

// The licence text shares its number with the picture `about`, as a resource
// of another kind.
inline constexpr const char* kLicenseTextType = "TEXT";
inline constexpr std::int32_t kLicenseTextId = 168;

// The licence text as stored, with "<b>" … "</b>" runs; fetched once per run,
// even when it comes back empty.
QString kolmira_license();

// Empties every picture slot and the licence text, so a test can load the
// catalogue afresh from another resource fork.
void ResetPictureCatalogue();
