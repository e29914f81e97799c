#include "model/StatsClass.h"

#include "app/Globals.h"
#include "model/PrefsDatabaseClass.h"
#include "platform/store/Database.h"
#include "platform/NilObjectException.h"

#include <array>
#include <utility>

namespace {

// Sets target to the count the query answers in its one row; a query the
// store cannot answer leaves target as it was.
void ReadCount(platform::Database& db, const QString& sql, const QString& column, std::int32_t& target)
{
    const platform::RecordSetPtr rs = db.SQLSelect(sql);
    if (!rs) {
        return;
    }
    if (!rs->EOF()) {
        target = rs->Field(column).Value().IntegerValue();
    }
    rs->Close();
}

// The solved records that name a puzzle of the catalogue.
const QString kInCatalogue = QStringLiteral("Number IN (SELECT Number FROM Puzzles)");

} // namespace

StatsClass::StatsClass()
{
    LoadStats();
}

void StatsClass::LoadStats()
{
    platform::Database& db = platform::Deref(platform::Deref(gPrefsDatabase).mDB);
    ReadCount(db, QStringLiteral("SELECT COUNT(Number) AS NumTotal FROM Puzzles"), QStringLiteral("NumTotal"),
              mNumTotal);
    // A puzzle is solved once however many records it has (two copies of the
    // game may each record the same win), and only a puzzle of the catalogue
    // counts, so that "every puzzle solved" means no puzzle is left to play.
    ReadCount(db,
              QStringLiteral("SELECT COUNT(DISTINCT Number) AS NumSolved FROM SolvedPuzzles WHERE ") + kInCatalogue,
              QStringLiteral("NumSolved"), mNumSolved);

    // One counter per hint count a player can reach, 0 to 7. Each solved
    // puzzle counts once, under the fewest hints it was solved with.
    const std::array<std::int32_t*, 8> hintCounters = {&mNum0Hints, &mNum1Hints, &mNum2Hints, &mNum3Hints,
                                                       &mNum4Hints, &mNum5Hints, &mNum6Hints, &mNum7Hints};
    for (std::size_t hints = 0; hints < hintCounters.size(); ++hints) {
        ReadCount(db,
                  QStringLiteral("SELECT COUNT(*) AS NumHintsUsed FROM (SELECT MIN(NumHintsUsed) AS Fewest "
                                 "FROM SolvedPuzzles WHERE ")
                      + kInCatalogue + QStringLiteral(" GROUP BY Number) WHERE Fewest=") + QString::number(hints),
                  QStringLiteral("NumHintsUsed"), *hintCounters[hints]);
    }
}
