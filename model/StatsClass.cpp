#include "model/StatsClass.h"

#include "app/Globals.h"
#include "model/PrefsDatabaseClass.h"
#include "model/PuzzleClass.h"
#include "platform/store/Database.h"
#include "platform/NilObjectException.h"

#include <QStringList>
#include <array>
#include <utility>
#include <vector>

namespace {

// Sets each target to the count the query answers in the column of that
// name in its one row; a query the store cannot answer leaves every target
// as it was.
void ReadCounts(platform::Database& db, const QString& sql,
                const std::vector<std::pair<QString, std::int32_t*>>& targets)
{
    const platform::RecordSetPtr rs = db.SQLSelect(sql);
    if (!rs) {
        return;
    }
    if (!rs->EOF()) {
        for (const auto& [column, target] : targets) {
            *target = rs->Field(column).Value().IntegerValue();
        }
    }
    rs->Close();
}

} // namespace

StatsClass::StatsClass()
{
    LoadStats();
}

void StatsClass::LoadStats()
{
    platform::Database& db = platform::Deref(platform::Deref(gPrefsDatabase).mDB);
    // Offered, counted and recorded are one set of puzzles, so that "every
    // puzzle solved" means no puzzle is left to play.
    const QString playable = PuzzleClass::PlayableNumbersQuery();
    ReadCounts(db, QStringLiteral("SELECT COUNT(*) AS NumTotal FROM (") + playable + QLatin1Char(')'),
               {{QStringLiteral("NumTotal"), &mNumTotal}});

    // A puzzle is solved once however many records it has (two copies of the
    // game may each record the same win), under the fewest hints it was
    // solved with. One counter per hint count a player can reach, 0 to 7; a
    // record with any other count (another program's) decides no counter,
    // and a puzzle with only such records is solved under none, so the
    // counters never add up to more than the solved puzzles.
    const std::array<std::int32_t*, 8> hintCounters = {&mNum0Hints, &mNum1Hints, &mNum2Hints, &mNum3Hints,
                                                       &mNum4Hints, &mNum5Hints, &mNum6Hints, &mNum7Hints};
    QString columns = QStringLiteral("COUNT(*) AS NumSolved");
    QStringList reachable;
    std::vector<std::pair<QString, std::int32_t*>> targets = {{QStringLiteral("NumSolved"), &mNumSolved}};
    for (std::size_t hints = 0; hints < hintCounters.size(); ++hints) {
        const QString column = QStringLiteral("Hints%1").arg(hints);
        columns += QStringLiteral(", COUNT(CASE WHEN Fewest=%1 THEN 1 END) AS %2").arg(hints).arg(column);
        reachable << QString::number(hints);
        targets.emplace_back(column, hintCounters[hints]);
    }
    ReadCounts(db,
               QStringLiteral("SELECT ") + columns
                   + QStringLiteral(" FROM (SELECT MIN(CASE WHEN NumHintsUsed IN (%1) THEN NumHintsUsed END) AS Fewest"
                                    " FROM SolvedPuzzles WHERE Number IN (%2) GROUP BY Number)")
                         .arg(reachable.join(QLatin1Char(',')), playable),
               targets);
}

bool StatsClass::IsGameOver(const PuzzleClass& onTable) const
{
    return AllSolved() && !onTable.IsInPlay();
}
