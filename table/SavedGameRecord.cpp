#include "table/SavedGameRecord.h"

#include "model/PieceLargeTriangleClass.h"
#include "model/PieceMediumTriangleClass.h"
#include "model/PieceRhombusClass.h"
#include "model/PieceSmallTriangleClass.h"
#include "model/PieceSquareClass.h"
#include "model/PuzzleClass.h"
#include "platform/store/Database.h"

#include <QString>

namespace {

struct PieceColumns {
    const char* name;
    std::int32_t orientationCount;
};

// Column prefix and orientation range of each piece, in row order.
constexpr std::array<PieceColumns, SavedGameRecord::PieceCount> kPieceColumns{{
    {"LargeTriangle1", PieceLargeTriangleClass::kOrientationCount},
    {"LargeTriangle2", PieceLargeTriangleClass::kOrientationCount},
    {"SmallTriangle1", PieceSmallTriangleClass::kOrientationCount},
    {"SmallTriangle2", PieceSmallTriangleClass::kOrientationCount},
    {"MediumTriangle", PieceMediumTriangleClass::kOrientationCount},
    {"Rhombus", PieceRhombusClass::kOrientationCount},
    {"Square", PieceSquareClass::kOrientationCount},
}};

constexpr std::int32_t kMaxHints = SavedGameRecord::PieceCount;

QString Column(std::size_t piece, const char* ending)
{
    return QString::fromLatin1(kPieceColumns[piece].name) + QLatin1String(ending);
}

} // namespace

void SavedGameRecord::AppendTo(platform::Database& db) const
{
    platform::DatabaseRecord record;
    record.IntegerColumn(QStringLiteral("Number"), mNumber);
    record.IntegerColumn(QStringLiteral("HintCount"), mHintCount);
    for (std::size_t i = 0; i < PieceCount; ++i) {
        record.IntegerColumn(Column(i, "_PosX"), mPieces[i].posX);
        record.IntegerColumn(Column(i, "_PosY"), mPieces[i].posY);
        record.IntegerColumn(Column(i, "_Orientation"), mPieces[i].orientation);
    }
    db.InsertRecord(QStringLiteral("SavedPuzzle"), record);
    db.Commit();
}

std::optional<SavedGameRecord> SavedGameRecord::TakeFirst(platform::Database& db)
{
    const platform::RecordSetPtr rows = db.SQLSelect(QStringLiteral("SELECT * FROM SavedPuzzle"));
    if (!rows || rows->RecordCount() == 0) {
        return std::nullopt;
    }
    SavedGameRecord saved;
    saved.mNumber = rows->Field(QStringLiteral("Number")).Value().IntegerValue();
    saved.mHintCount = rows->Field(QStringLiteral("HintCount")).Value().IntegerValue();
    for (std::size_t i = 0; i < PieceCount; ++i) {
        Place& place = saved.mPieces[i];
        place.posX = rows->Field(Column(i, "_PosX")).Value().IntegerValue();
        place.posY = rows->Field(Column(i, "_PosY")).Value().IntegerValue();
        place.orientation = rows->Field(Column(i, "_Orientation")).Value().IntegerValue();
    }
    rows->Close();
    db.SQLExecute(QStringLiteral("DELETE FROM SavedPuzzle"));
    db.Commit();
    return saved;
}

bool SavedGameRecord::IsSound() const
{
    if (mNumber < PuzzleClass::kFirstNumber || mHintCount < 0 || mHintCount > kMaxHints) {
        return false;
    }
    for (std::size_t i = 0; i < PieceCount; ++i) {
        const std::int32_t o = mPieces[i].orientation;
        if (o < 1 || o > kPieceColumns[i].orientationCount) {
            return false;
        }
    }
    return true;
}
