#pragma once

#include "ArtStyle.h"

#include "model/PiecePattern.h"

// Every piece picture with its mask, and the puzzle card's masks (plain and
// hinted) for every shape and orientation, all drawn from the shared cell
// patterns so that what the player sees is what the game hits and matches.
void AddPieceArt(ArtSet& art);

// Pixel size of one cell on the table, and how many table pixels make one
// pixel of the puzzle card.
inline constexpr int kCellPixels = 10;
inline constexpr int kCardScale = 5;

// Mask greys: black shows the piece, white hides it; pixels centred on a
// diagonal cut are half covered.
inline constexpr int kMaskShown = 0;
inline constexpr int kMaskHidden = 255;
inline constexpr int kMaskHalf = 128;

// The piece mask of a shape in an orientation, 10 pixels per cell.
QImage PieceMask(PieceShape shape, int orientation);
// A mask reduced to one fifth, with hard edges: a card pixel shows the piece
// wherever the piece covers any of its 5 x 5 block. Two pieces that meet
// along a cut then both show the card pixels the cut runs through, so the
// figure drawn from the seven is one solid colour with no seam at the
// joints (greys would let the card show through where two halves meet).
QImage ReduceForCard(const QImage& pieceMask);
// A card mask turned into a hint mask: the outline stays dark, the inside
// turns light, so the hinted piece stands out within the figure.
QImage HintFromCard(const QImage& cardMask);

QColor PieceColour(PieceShape shape);
