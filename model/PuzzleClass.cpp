#include "model/PuzzleClass.h"

#include "app/Globals.h"
#include "model/PieceLargeTriangleClass.h"
#include "model/PieceMediumTriangleClass.h"
#include "model/PieceRhombusClass.h"
#include "model/PieceSmallTriangleClass.h"
#include "model/PieceSquareClass.h"
#include "model/PrefsDatabaseClass.h"
#include "model/SolutionGridClass.h"
#include "model/StatsClass.h"
#include "platform/store/Database.h"
#include "platform/store/DatabaseRecord.h"
#include "platform/pictures/Graphics.h"
#include "platform/NilObjectException.h"
#include "platform/pictures/Picture.h"
#include "platform/pictures/PixelMath.h"
#include "platform/Random.h"
#include "platform/store/RecordSet.h"

#include <QString>
#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace {

constexpr std::int32_t kCellPixels = 10;
constexpr int kPieceCount = 7;
// Each piece is painted into the silhouette's mask twice with the same grey;
// only the soft edges of the piece masks darken on the second pass.
constexpr int kSilhouettePasses = 2;

// Lays a piece's grey cut-out (the inside grey through the piece's mask)
// over the silhouette's grey mask with its top left at (left, top), as
// drawing such a masked picture would, once per pass.
void StampPieceShape(QImage& mask, const PieceClass& piece, int left, int top)
{
    const QImage& art = piece.mPicture->Mask()->Image();
    const QImage pieceMask =
        art.format() == QImage::Format_Grayscale8 ? art : art.convertToFormat(QImage::Format_Grayscale8);
    constexpr std::uint32_t kGreyToRgb = 0x010101u;
    constexpr std::uint32_t kOpaque = 0xFF000000u;
    constexpr std::uint32_t kGreyBits = 0xFFu;
    constexpr std::uint32_t kClear = 255; // a mask grey that hides the cut-out
    const int x0 = std::max(0, left);
    const int x1 = std::min(mask.width(), left + piece.mWidth);
    const int y0 = std::max(0, top);
    const int y1 = std::min(mask.height(), top + piece.mHeight);
    const int artWidth = pieceMask.width();
    const int artHeight = pieceMask.height();
    for (int y = y0; y < y1; ++y) {
        uchar* row = mask.scanLine(y);
        const int py = y - top;
        const uchar* pieceRow = py < artHeight ? pieceMask.constScanLine(py) : nullptr;
        // Beyond the piece's mask, from artEnd on, the cut-out shows whole.
        const int artEnd = pieceRow ? std::clamp(left + artWidth, x0, x1) : x0;
        for (int x = x0; x < x1;) {
            const std::uint32_t grey = x < artEnd ? pieceRow[x - left] : 0;
            if (grey == kClear || grey == 0) {
                // A stretch the cut-out leaves alone, or shows whole and so
                // covers what lay there, is done at once.
                int end = x < artEnd
                    ? left + platform::SameBytesEnd(pieceRow, x + 1 - left, artEnd - left,
                                                    static_cast<unsigned char>(grey))
                    : x + 1;
                if (end >= artEnd && grey == 0) {
                    end = x1;
                }
                if (grey == 0) {
                    std::memset(row + x, static_cast<int>(PuzzleClass::kSilhouetteMaskInside & kGreyBits),
                                static_cast<std::size_t>(end - x));
                }
                x = end;
                continue;
            }
            const std::uint32_t cutOut =
                platform::MaskedPixel(PuzzleClass::kSilhouetteMaskInside, grey);
            std::uint32_t pixel = kOpaque | (row[x] * kGreyToRgb);
            for (int pass = 0; pass < kSilhouettePasses; ++pass) {
                platform::BlendOver(pixel, cutOut);
            }
            row[x] = static_cast<uchar>(pixel & kGreyBits);
            ++x;
        }
    }
}

// One stored piece: its column prefix and the puzzle's piece it fills.
struct StoredPiece {
    const char* columnPrefix;
    PieceClass* piece;
};

// The pieces in the order in which the store columns are visited and the
// silhouette is painted.
std::array<StoredPiece, kPieceCount> StoredPieces(const PuzzleClass& puzzle)
{
    return {{{"LargeTriangle1", puzzle.mPieceLargeTriangle1.get()},
             {"LargeTriangle2", puzzle.mPieceLargeTriangle2.get()},
             {"SmallTriangle1", puzzle.mPieceSmallTriangle1.get()},
             {"SmallTriangle2", puzzle.mPieceSmallTriangle2.get()},
             {"MediumTriangle", puzzle.mPieceMediumTriangle.get()},
             {"Rhombus", puzzle.mPieceRhombus.get()},
             {"Square", puzzle.mPieceSquare.get()}}};
}

// The pieces in the order in which their patterns are added to the grid.
std::array<PieceClass*, kPieceCount> GridPieces(const PuzzleClass& puzzle)
{
    return {puzzle.mPieceSquare.get(), puzzle.mPieceRhombus.get(),
            puzzle.mPieceSmallTriangle1.get(), puzzle.mPieceSmallTriangle2.get(),
            puzzle.mPieceMediumTriangle.get(), puzzle.mPieceLargeTriangle1.get(),
            puzzle.mPieceLargeTriangle2.get()};
}

QString Column(const char* prefix, const char* suffix)
{
    return QString::fromLatin1(prefix) + QString::fromLatin1(suffix);
}

// A stored piece as read from a row, before it is applied to the figure.
struct PieceValues {
    std::int32_t posX = 0;
    std::int32_t posY = 0;
    std::int32_t orientation = 0;
};

// True when the seven pieces, laid out as read, span a box that a table
// could hold. Computed wide so that damaged values cannot overflow.
bool IsFigureSizeSound(const std::array<StoredPiece, kPieceCount>& pieces,
                       const std::array<PieceValues, kPieceCount>& values)
{
    std::int64_t minX = values[0].posX;
    std::int64_t minY = values[0].posY;
    std::int64_t maxX = minX;
    std::int64_t maxY = minY;
    for (int i = 0; i < kPieceCount; ++i) {
        const PieceClass& piece = platform::Deref(pieces[i].piece);
        minX = std::min<std::int64_t>(minX, values[i].posX);
        minY = std::min<std::int64_t>(minY, values[i].posY);
        maxX = std::max<std::int64_t>(maxX, std::int64_t{values[i].posX} + piece.mWidth);
        maxY = std::max<std::int64_t>(maxY, std::int64_t{values[i].posY} + piece.mHeight);
    }
    return maxX - minX <= PuzzleClass::kMaxFigurePixels
        && maxY - minY <= PuzzleClass::kMaxFigurePixels;
}

} // namespace

QString PuzzleClass::PlayableNumbersQuery()
{
    return QStringLiteral("SELECT Number FROM Puzzles WHERE Number >= %1").arg(kFirstNumber);
}

PuzzleClass::PuzzleClass()
{
    mPieceLargeTriangle1 = std::make_shared<PieceLargeTriangleClass>();
    mPieceLargeTriangle2 = std::make_shared<PieceLargeTriangleClass>();
    mPieceSmallTriangle1 = std::make_shared<PieceSmallTriangleClass>();
    mPieceSmallTriangle2 = std::make_shared<PieceSmallTriangleClass>();
    mPieceMediumTriangle = std::make_shared<PieceMediumTriangleClass>();
    mPieceRhombus = std::make_shared<PieceRhombusClass>();
    mPieceSquare = std::make_shared<PieceSquareClass>();
}

PuzzleClass::~PuzzleClass() = default;

platform::Database& PuzzleClass::StoreConnection()
{
    return platform::Deref(platform::Deref(gPrefsDatabase).mDB);
}

void PuzzleClass::AdjustPiecePositions()
{
    const auto pieces = StoredPieces(*this);
    std::int32_t minX = platform::Deref(pieces[0].piece).mPosX;
    std::int32_t minY = pieces[0].piece->mPosY;
    for (const StoredPiece& stored : pieces) {
        const PieceClass& piece = platform::Deref(stored.piece);
        minX = std::min(minX, piece.mPosX);
        minY = std::min(minY, piece.mPosY);
    }
    for (const StoredPiece& stored : pieces) {
        stored.piece->mPosX -= minX;
        stored.piece->mPosY -= minY;
    }
}

void PuzzleClass::CalculatePixelDimensions()
{
    const auto pieces = StoredPieces(*this);
    const PieceClass& first = platform::Deref(pieces[0].piece);
    mPixelWidth = first.mPosX + first.mWidth;
    mPixelHeight = first.mPosY + first.mHeight;
    for (const StoredPiece& stored : pieces) {
        const PieceClass& piece = platform::Deref(stored.piece);
        mPixelWidth = std::max(mPixelWidth, piece.mPosX + piece.mWidth);
        mPixelHeight = std::max(mPixelHeight, piece.mPosY + piece.mHeight);
    }
}

void PuzzleClass::CreateSolutionGrid()
{
    mSolutionGrid = std::make_shared<SolutionGridClass>();
    mSolutionGrid->SetGridSize(mPixelWidth / kCellPixels, mPixelHeight / kCellPixels);
    for (PieceClass* piece : GridPieces(*this)) {
        const PieceClass& p = platform::Deref(piece);
        mSolutionGrid->AddGrid(p.mPosX / kCellPixels, p.mPosY / kCellPixels, p.GetSolutionGrid());
    }
    mSolutionGrid->TrimEmptyCells();
}

void PuzzleClass::Compose()
{
    AdjustPiecePositions();
    CalculatePixelDimensions();
    CreateSolutionGrid();
}

void PuzzleClass::SetFromPieces(const PieceLargeTriangleClass& largeTriangle1,
                                const PieceLargeTriangleClass& largeTriangle2,
                                const PieceMediumTriangleClass& mediumTriangle,
                                const PieceSmallTriangleClass& smallTriangle1,
                                const PieceSmallTriangleClass& smallTriangle2,
                                const PieceRhombusClass& rhombus,
                                const PieceSquareClass& square)
{
    const std::array<std::pair<PieceClass*, const PieceClass*>, kPieceCount> copies{{
        {mPieceLargeTriangle1.get(), &largeTriangle1},
        {mPieceLargeTriangle2.get(), &largeTriangle2},
        {mPieceMediumTriangle.get(), &mediumTriangle},
        {mPieceSmallTriangle1.get(), &smallTriangle1},
        {mPieceSmallTriangle2.get(), &smallTriangle2},
        {mPieceRhombus.get(), &rhombus},
        {mPieceSquare.get(), &square},
    }};
    for (const auto& [own, source] : copies) {
        own->SetPosition(source->mPosX, source->mPosY);
        own->mOrientation = source->mOrientation;
        own->SetPictureFromOrientation();
    }
    Compose();
    mPuzzleNumber = 0;
    mHintCount = 0;
    CreateBoardSilhouette();
}

void PuzzleClass::LoadFromDatabase(std::int32_t number)
{
    if (number < kFirstNumber) {
        return; // no puzzle of the catalogue: its win could not be kept
    }
    platform::RecordSetPtr row = StoreConnection().SQLSelect(
        QStringLiteral("SELECT * FROM Puzzles WHERE Number = ") + QString::number(number));
    if (!row) {
        return; // the store could not answer: keep the puzzle being played
    }
    const bool hasRow = !(row->BOF() && row->EOF());
    const auto pieces = StoredPieces(*this);
    std::array<PieceValues, kPieceCount> values;
    if (hasRow) {
        for (int i = 0; i < kPieceCount; ++i) {
            const char* prefix = pieces[i].columnPrefix;
            values[i].posX = row->Field(Column(prefix, "_PosX")).Value().IntegerValue();
            values[i].posY = row->Field(Column(prefix, "_PosY")).Value().IntegerValue();
            values[i].orientation = row->Field(Column(prefix, "_Orientation")).Value().IntegerValue();
        }
    }
    row->Close();
    if (!hasRow || !IsFigureSizeSound(pieces, values)) {
        return; // no such puzzle, or no figure a table could hold
    }

    for (int i = 0; i < kPieceCount; ++i) {
        PieceClass& piece = *pieces[i].piece;
        piece.mPosX = values[i].posX;
        piece.mPosY = values[i].posY;
        piece.mOrientation = values[i].orientation;
        piece.SetPictureFromOrientation();
    }
    Compose();
    mPuzzleNumber = number;
    mHintCount = 0;
    mIsWon = false;
    CreateBoardSilhouette();
}

bool PuzzleClass::LoadRandomUnsolved()
{
    const StatsClass& stats = platform::Deref(gStats);
    const std::int32_t unsolvedCount = stats.mNumTotal - stats.mNumSolved;
    if (unsolvedCount <= 0) {
        return false;
    }

    // The statistics may lag behind the store; the store's own answer decides
    // what can be loaded, so an empty answer loads nothing.
    std::vector<std::int32_t> unsolved;
    const QString unsolvedQuery = PlayableNumbersQuery() + QLatin1String(" EXCEPT SELECT Number FROM SolvedPuzzles");
    if (platform::RecordSetPtr result = StoreConnection().SQLSelect(unsolvedQuery)) {
        if (!(result->BOF() && result->EOF())) {
            result->MoveFirst();
            for (std::int32_t i = 0; i < result->RecordCount(); ++i) {
                unsolved.push_back(result->Field(QStringLiteral("Number")).Value().IntegerValue());
                result->MoveNext();
            }
        }
        result->Close();
    }
    if (unsolved.empty()) {
        return false;
    }

    std::int32_t candidate = unsolved.front();
    if (unsolvedCount > 1) {
        // One draw among the others is the same choice as drawing among all
        // until the current puzzle is missed, and cannot loop when the store
        // holds nothing but the current puzzle (it is then replayed).
        std::vector<std::int32_t> others;
        std::copy_if(unsolved.begin(), unsolved.end(), std::back_inserter(others),
                     [this](std::int32_t n) { return n != mPuzzleNumber; });
        if (!others.empty()) {
            const auto count = static_cast<std::int32_t>(others.size());
            candidate = others[static_cast<std::size_t>(platform::Deref(gRandom).LessThan(count))];
        }
    }
    LoadFromDatabase(candidate);
    return mPuzzleNumber == candidate;
}

void PuzzleClass::SaveToDatabase()
{
    platform::DatabaseRecord record;
    for (const StoredPiece& stored : StoredPieces(*this)) {
        const PieceClass& piece = platform::Deref(stored.piece);
        record.IntegerColumn(Column(stored.columnPrefix, "_PosX"), piece.mPosX);
        record.IntegerColumn(Column(stored.columnPrefix, "_PosY"), piece.mPosY);
        record.IntegerColumn(Column(stored.columnPrefix, "_Orientation"), piece.mOrientation);
    }
    platform::Database& db = StoreConnection();
    // The new row's id is only the figure's number once the row is in the file.
    if (db.InsertRecord(QStringLiteral("Puzzles"), record) && db.Commit()) {
        mPuzzleNumber = db.LastRowID();
    }
}

void PuzzleClass::MarkSolvedInDatabase()
{
    if (mPuzzleNumber < kFirstNumber) {
        return; // a figure not in the catalogue has no solve to count
    }
    platform::DatabaseRecord record;
    record.IntegerColumn(QStringLiteral("Number"), mPuzzleNumber);
    record.IntegerColumn(QStringLiteral("NumHintsUsed"), mHintCount);
    platform::Database& db = StoreConnection();
    db.InsertRecord(QStringLiteral("SolvedPuzzles"), record);
    db.Commit();
}

void PuzzleClass::ResetAll()
{
    platform::Database& db = StoreConnection();
    db.SQLExecute(QStringLiteral("DELETE FROM SolvedPuzzles"));
    db.Commit();
}

void PuzzleClass::CreateBoardSilhouette()
{
    const SolutionGridClass& grid = platform::Deref(mSolutionGrid);
    const QSize size(grid.GetWidth() * kCellPixels, grid.GetHeight() * kCellPixels);
    // The mask is made as grey bytes and neither the colour plane nor a
    // composite is made: the table draws the one colour through the mask.
    QImage mask(size.expandedTo(QSize(0, 0)), QImage::Format_Grayscale8);
    mask.fill(qGray(kSilhouetteMaskOutside));
    // The silhouette starts at the trimmed grid's cell (0, 0).
    const std::int32_t offX = grid.mNumTrimmedLeft * kCellPixels;
    const std::int32_t offY = grid.mNumTrimmedTop * kCellPixels;
    for (const StoredPiece& stored : StoredPieces(*this)) {
        const PieceClass& piece = platform::Deref(stored.piece);
        if (!piece.mPicture) {
            continue; // art that failed to load: the table cannot show this piece either
        }
        StampPieceShape(mask, piece, piece.mPosX - offX, piece.mPosY - offY);
    }
    mBoardSilhouette = platform::Picture::Filled(size.width(), size.height(), kSilhouetteColour);
    const platform::Picture maskPicture(mask);
    mBoardSilhouette->Mask()->Graphics().DrawPicture(&maskPicture, 0, 0);
    mBoardSilhouette->PrepareDrawing(); // its runs are read now, while the mask is at hand
}
