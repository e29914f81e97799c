#pragma once

// What the screen must show of one piece lying at a place: its picture's
// colour on every pixel that the picture's mask lets through whole. Edge
// pixels that the mask half lets through blend with what lies beneath, and
// pixels where the table may lay a note over the piece show the note, so
// neither says where the piece lies.

#include <QImage>
#include <QPoint>
#include <QRect>
#include <vector>

namespace platform {
class Picture;
}

class PieceLook {
public:
    // The picture with its top-left corner at `at` on the screen; only its
    // pixels inside `within` and outside every rectangle of `hidden` count.
    PieceLook(platform::Picture& picture, QPoint at, const QRect& within, const std::vector<QRect>& hidden);

    // The screen rectangle that holds every pixel that counts.
    QRect Area() const { return mArea; }
    // Whether a grab of Area() shows the piece on every pixel that counts.
    bool IsShownIn(const QImage& shot) const;
    // How many pixels count.
    std::size_t PixelCount() const { return mPixels.size(); }

private:
    struct Pixel {
        QPoint at; // in Area()
        QRgb colour = 0;
    };

    QRect mArea;
    std::vector<Pixel> mPixels;
};
