#include "platform/pictures/Graphics.h"
#include "platform/pictures/Picture.h"
#include "resources/PictureCatalogue.h"

#include <QPainter>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr int kPieceSize = 280;
constexpr int kTableWidth = 800;
constexpr int kTableHeight = 650;
constexpr int kDrawLeft = 260;
constexpr int kDrawTop = 180;
constexpr int kEdgeGrey = 0x80;

// A large triangle piece: shown below the diagonal, hidden above it, with a
// grey edge along it as the piece art has.
std::shared_ptr<platform::Picture> PiecePicture(bool masked)
{
    auto piece = std::make_shared<platform::Picture>(kPieceSize, kPieceSize);
    piece->Graphics().SetForeColor(0xC86432);
    piece->Graphics().FillRect(0, 0, kPieceSize, kPieceSize);
    if (masked) {
        QImage& mask = piece->Mask()->ImageForWriting();
        for (int y = 0; y < kPieceSize; ++y) {
            for (int x = 0; x < kPieceSize; ++x) {
                const int grey = x < y ? 0 : x == y ? kEdgeGrey : 255;
                mask.setPixel(x, y, qRgb(grey, grey, grey));
            }
        }
        piece->Mask()->Changed();
    }
    piece->Composited(); // the cache is built once, not per drag step
    return piece;
}

void DrawPiece(benchmark::State& state, bool masked)
{
    const auto piece = PiecePicture(masked);
    platform::Picture table(kTableWidth, kTableHeight);
    platform::Graphics& g = table.Graphics();
    for (auto _ : state) {
        g.DrawPicture(piece.get(), kDrawLeft, kDrawTop);
        benchmark::DoNotOptimize(table.Image().constBits());
    }
}

void BM_DrawPictureUnmasked(benchmark::State& state)
{
    DrawPiece(state, false);
}

void BM_DrawPictureMasked(benchmark::State& state)
{
    DrawPiece(state, true);
}

// The same masked draw through QPainter, for comparison with our own loops.
void BM_DrawPictureMaskedQPainter(benchmark::State& state)
{
    const auto piece = PiecePicture(true);
    QImage table(kTableWidth, kTableHeight, QImage::Format_RGB32);
    table.fill(Qt::white);
    for (auto _ : state) {
        QPainter painter(&table);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter.drawImage(kDrawLeft, kDrawTop, piece->Composited());
        painter.end();
        benchmark::DoNotOptimize(table.constBits());
    }
}

// The table's background drawn whole into a table-sized picture, as every
// full redraw of the table starts: from the tiles it is kept as, and from
// rows of its own, what keeping it as rows would cost instead.
void DrawTableBackground(benchmark::State& state, bool tiles)
{
    const platform::PicturePtr tiled = tablebackground();
    const auto rows = std::make_shared<platform::Picture>(tiled->Image().copy());
    const platform::Picture& background = tiles ? *tiled : *rows;
    platform::Picture table(background.Width(), background.Height());
    platform::Graphics& g = table.Graphics();
    for (auto _ : state) {
        g.DrawPicture(&background, 0, 0);
        benchmark::DoNotOptimize(table.Image().constBits());
    }
}

void BM_DrawTableBackgroundTiles(benchmark::State& state)
{
    DrawTableBackground(state, true);
}

void BM_DrawTableBackgroundRows(benchmark::State& state)
{
    DrawTableBackground(state, false);
}

} // namespace

BENCHMARK(BM_DrawTableBackgroundTiles)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DrawTableBackgroundRows)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DrawPictureUnmasked)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DrawPictureMasked)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DrawPictureMaskedQPainter)->Unit(benchmark::kMicrosecond);
