#pragma once

#include "table/BufferedCanvasClass.h"

#include <cstdint>

class PuzzleClass;

// The small picture of the current puzzle in the sidebar: the figure in dark
// red at one fifth of the table's scale, centred on the card, each piece
// drawn through its card mask until its hint is taken and through its hint
// mask from then on.
class PuzzleCardClass : public BufferedCanvasClass {
public:
    // One card pixel stands for this many table pixels.
    static constexpr int kScale = 5;
    // Card pixels per grid cell of 10 table pixels.
    static constexpr int kCardPixelsPerCell = 2;
    static constexpr std::uint32_t kFigureColor = 0x2A0000;

    explicit PuzzleCardClass(QWidget* parent = nullptr);
    ~PuzzleCardClass() override;

    void Event_Paint(platform::Graphics& g) override;
    void Event_Open() override;
    // Redraws the whole card from the current puzzle and its hint count,
    // and shows it; with no puzzle loaded, the bare card.
    virtual void DrawPuzzleToCard();

private:
    // The figure with the hints taken, over the card's background.
    void DrawFigure(const PuzzleClass& puzzle);
};
