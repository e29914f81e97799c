#pragma once

// What a player sees of each tangram shape's rules: its name, how many
// orientations a click turns it through before it looks as it began, and
// its picture in each orientation.

#include "platform/pictures/Picture.h"

class PieceClass;

struct ShapeRule {
    // The rule of the piece's shape.
    static const ShapeRule& Of(const PieceClass& piece);

    // The orientation after one clockwise turn (a click with no key held).
    int Clockwise(int orientation) const { return orientation % orientations + 1; }

    const char* name = "";
    int orientations = 1;
    // The picture the table shows for the shape in that orientation.
    platform::PicturePtr (*picture)(int orientation) = nullptr;
};
