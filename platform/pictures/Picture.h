#pragma once

#include "platform/pictures/PictureRows.h"

#include <QImage>
#include <cstdint>
#include <memory>
#include <optional>
#include <variant>
#include <vector>

namespace platform {

class Graphics;
struct MaskedPixels;

// A picture: a colour plane and, once asked for, a grey mask plane of the same
// size. In the mask, black shows the picture's pixel, white leaves what lies
// beneath, greys blend. Pictures are shared by reference (PicturePtr).
class Picture {
public:
    // depth is accepted for the callers' sake; every new picture is 32-bit RGB.
    Picture(int width, int height, int depth = 32);
    // A picture of one colour (0xRRGGBB) whose plane takes memory only when
    // something reads it or draws into part of it; its composite is made
    // from the colour alone.
    static std::shared_ptr<Picture> Filled(int width, int height, QRgb colour);
    // Colour art read from tiles. Its plane is made from them only when
    // something reads it or draws into it; drawing the picture somewhere
    // copies straight from the tiles.
    static std::shared_ptr<Picture> FromTiles(const TiledPixels& tiles);
    // Colour art seen through grey mask art of its size, drawn through the
    // composite made ahead of the two (the built-in art's, which the
    // resource fork finds together with both planes): neither plane is read
    // to draw it. The composite is dropped when either plane changes.
    static std::shared_ptr<Picture> Masked(const MaskedPixels& pixels);
    // Wraps an existing image without copying it: a grey one (mask art) as
    // it is, any other as RGB32. Used for loaded resources.
    explicit Picture(const QImage& image);
    ~Picture();

    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    int Width() const;
    int Height() const;

    // The drawing surface on the colour plane; never null.
    platform::Graphics& Graphics();

    // The mask, a grey picture of the same size with its own Graphics; never
    // null. Created on first use all black, so asking for it changes nothing
    // until something is drawn into it.
    std::shared_ptr<Picture> Mask();
    bool HasMask() const { return static_cast<bool>(mMask); }

    // The colour plane: RGB32, or one grey byte a pixel for mask art until
    // something draws into it. ImageForWriting always gives RGB32; callers
    // that write into it directly must call Changed() afterwards.
    const QImage& Image() const;
    QImage& ImageForWriting();
    // The plane was written: what was made from it (and, for a mask, from
    // its picture's planes) is made afresh when next drawn.
    void Changed();

    // Whether every pixel shows as it stands: no mask, a mask nothing has
    // been drawn into yet, or one that lost its size; drawing the picture is
    // then a plain copy.
    bool ShowsEveryPixel() const;

    // The picture composited through its mask as premultiplied ARGB (alpha is
    // 255 minus the mask's grey), kept until either plane changes. A picture
    // that shows every pixel is its own composite: its 0xFFRRGGBB pixels are
    // opaque premultiplied ones already, so nothing is copied.
    const QImage& Composited() const;
    // How a same-size draw reads the picture, made ready now: the plane or
    // tiles of a picture that shows every pixel, else its composite's runs
    // (made ahead, or built here from the planes), or for one colour seen
    // through a grey mask the colour and the mask's runs, with no composite
    // made. Valid until the picture or its mask next changes.
    PictureRows Rows() const;
    // Readies the picture for drawing now rather than at its first draw.
    void PrepareDrawing() const { Rows(); }

private:
    // Where the pixels come from: the plane itself, or, until something
    // reads the plane or draws into part of it, one colour or tiles. The
    // plane's memory is set aside from the start but stays untouched until
    // then, so a mask that is wholly replaced at once never spends it.
    struct InPlane {};
    struct OneColour {
        QRgb colour;
    };
    using PixelSource = std::variant<InPlane, OneColour, TiledPixels>;

    // The stretches of a mask that show, row by row (see RunTable).
    struct MaskRuns {
        std::vector<BundleRun> runs;
        std::vector<std::uint32_t> rowRuns;
        RunTable Table() const { return {runs.data(), rowRuns.data()}; }
    };
    // What draws the picture through its mask, kept until either plane
    // changes: nothing yet (std::monostate), a composite made ahead
    // (PackedComposite), or one of these, made here.
    // The composite made from the planes; its runs name their pixels in it.
    struct BuiltComposite {
        QImage image;
        MaskRuns runs;
    };
    // One colour through a grey mask: the mask's runs, the greys they were
    // read from (kept: the mask may be widened or drawn into meanwhile, even
    // by this very picture), a row of the colour and its shade under each grey.
    struct ShadedFill {
        MaskRuns runs;
        QImage greys;
        std::vector<std::uint32_t> colourRow;
        std::vector<std::uint32_t> shades;
    };
    using Drawing = std::variant<std::monostate, BuiltComposite, PackedComposite, ShadedFill>;

    Picture(const QSize& size, const PixelSource& pixels);
    // Makes the plane from a pending colour or tiles.
    void FillIfPending() const;
    // Makes mask the picture's mask.
    void Attach(Picture* mask);
    // What draws the picture this is the mask of is made afresh.
    void OwnerRedraws() const;
    BuiltComposite MakeComposite() const;
    ShadedFill MakeShadedFill(QRgb colour) const;
    // The runs of a masked picture, made or read now when need be.
    PictureRows MaskedRows() const;
    // The stretches of the grey or 32-bit mask that are not wholly hidden,
    // each opaque or partly shown. Where a composite is given, what the mask
    // hides or half-shows of it is written too, and each run names its
    // first pixel in it.
    static MaskRuns ReadMask(const QImage& mask, QImage* composite);

    mutable QImage mPlane;
    mutable PixelSource mPixels;
    mutable Drawing mDrawing;
    std::shared_ptr<Picture> mMask;
    // Set for a mask, which takes grey art drawn over all of it as its plane
    // (sharing it): the picture it belongs to, told of every change, or null
    // once that picture is gone.
    std::optional<Picture*> mMaskOf;
    std::unique_ptr<platform::Graphics> mGraphics;
};

using PicturePtr = std::shared_ptr<Picture>;

} // namespace platform
