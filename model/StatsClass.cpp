#include "model/StatsClass.h"

#include "app/Globals.h"
#include "model/PrefsDatabaseClass.h"
#include "platform/store/Database.h"
#include "platform/NilObjectException.h"

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
    ReadCounts(db, QStringLiteral("SELECT COUNT(Number) AS NumTotal FROM Puzzles"),
               {{QStringLiteral("NumTotal"), &mNumTotal}});

    // A puzzle is solved once however many records it has (two copies of the
    // game may each record the same win), under the fewest hints it was
    // solved with; and only a puzzle of the catalogue counts, so that "every
    // puzzle solved" means no puzzle is left to play. One counter per hint
    // count a player can reach, 0 to 7.
    const std::array<std::int32_t*, 8> hintCounters = {&mNum0Hints, &mNum1Hints, &mNum2Hints, &mNum3Hints,
                                                       &mNum4Hints, &mNum5Hints, &mNum6Hints, &mNum7Hints};
    QString columns = QStringLiteral("COUNT(*) AS NumSolved");
    std::vector<std::pair<QString, std::int32_t*>> targets = {{QStringLiteral("NumSolved"), &mNumSolved}};
    for (std::size_t hints = 0; hints < hintCounters.size(); ++hints) {
        const QString column = QStringLiteral("Hints%1").arg(hints);
        columns += QStringLiteral(", COUNT(CASE WHEN Fewest=%1 THEN 1 END) AS %2").arg(hints).arg(column);
        targets.emplace_back(column, hintCounters[hints]);
    }
    ReadCounts(db,
               QStringLiteral("SELECT ") + columns
                   + QStringLiteral(" FROM (SELECT MIN(NumHintsUsed) AS Fewest FROM SolvedPuzzles"
                                    " WHERE Number IN (SELECT Number FROM Puzzles) GROUP BY Number)"),
               targets);
}
