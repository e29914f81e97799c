#include "model/PrefsDatabaseClass.h"

#include "platform/store/Database.h"
#include "platform/store/DatabaseDraft.h"
#include "platform/store/DatabaseRecord.h"
#include "platform/Date.h"
#include "platform/dialogs/MsgBox.h"
#include "platform/PreferencesFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <array>
#include <vector>

namespace {

const char* const kFolderName = "Kolmira";
const char* const kFileName = "Kolmira.dat";
const char* const kVersionNumber = "1.0";
const char* const kCreateError = "Error creating preferences.";
const char* const kOpenError = "Error opening preferences.";
const char* const kWriteError = "Error saving progress.";
const char* const kGameNotSavedError = "Error saving the game in progress.";
const char* const kRepaired = "Preferences repaired.";
const char* const kKeptInMemory = "Your progress is kept until you quit, but nothing more is written to the file.";

// The seven pieces in the order of their columns, each with position and
// orientation.
constexpr std::array<const char*, 7> kPieceNames = {
    "LargeTriangle1", "LargeTriangle2", "MediumTriangle", "SmallTriangle1",
    "SmallTriangle2", "Rhombus", "Square"};
constexpr std::array<const char*, 3> kPieceColumnSuffixes = {"_PosX", "_PosY", "_Orientation"};

// Number, then three values for each of the seven pieces.
constexpr int kPuzzleRowValues = 22;
constexpr int kBuiltInPuzzleCount = 30;

// The built-in catalogue, one row per puzzle in the column order of Puzzles.
constexpr std::array<std::array<int, kPuzzleRowValues>, kBuiltInPuzzleCount> kBuiltInPuzzles = {{
    {{1, -80, -80, 4, 0, 0, 8, 0, 140, 1, 100, 200, 8, -40, 300, 2, -50, 200, 1, 80, 280, 1}},
    {{2, 220, 300, 1, 220, 180, 5, 230, 100, 2, 400, 170, 3, 290, 60, 1, 150, 100, 2, 360, 100, 2}},
    {{3, 180, 280, 5, 170, 70, 2, 250, 210, 1, 180, 300, 1, 70, 70, 5, 110, 200, 4, 90, 150, 1}},
    {{4, 80, 340, 2, 80, -40, 4, 120, 140, 3, 60, 440, 8, 260, 40, 8, 110, 240, 1, 40, 20, 1}},
    {{5, 50, 60, 6, 170, 140, 2, 250, 80, 6, 350, 140, 7, 110, 240, 5, 460, 0, 4, 390, 70, 2}},
    {{6, 60, 20, 6, 180, 20, 4, 60, 160, 5, 260, 200, 8, 420, 200, 2, 350, 40, 3, 340, 180, 1}},
    {{7, 0, 120, 1, 0, 0, 5, 30, 310, 3, 30, 270, 7, 30, 510, 2, 20, 410, 1, 50, 590, 1}},
    {{8, 70, 240, 5, 70, 0, 5, 110, 140, 1, 100, 230, 7, 250, 300, 3, 0, 230, 2, 210, 230, 2}},
    {{9, 0, 120, 2, 80, 240, 6, 20, 320, 7, 80, 80, 6, 180, 80, 6, 130, 120, 1, 110, 0, 1}},
    {{10, 0, 190, 1, 280, 190, 1, 180, 230, 5, 140, 70, 5, 210, 0, 5, 210, 30, 4, 210, 150, 1}},
    {{11, 60, 30, 7, 70, 180, 5, 210, 40, 6, 210, 0, 5, 40, 170, 3, 0, 30, 2, 210, 170, 2}},
    {{12, 150, 180, 6, 70, 260, 2, 180, 60, 6, 140, 120, 7, 180, 160, 5, 0, 210, 1, 180, 0, 1}},
    {{13, 40, 120, 4, 80, 0, 5, 180, 200, 3, 20, 200, 8, 280, 300, 2, 270, 200, 1, 0, 280, 1}},
    {{14, 0, 140, 6, 120, 140, 4, 150, 80, 5, 200, 320, 3, 60, 320, 7, 40, 60, 3, 130, 0, 1}},
    {{15, 80, 140, 8, 0, 60, 4, 80, 0, 5, 180, 300, 6, 40, 400, 4, 130, 340, 1, 60, 320, 1}},
    {{16, 40, 180, 8, 60, 0, 4, 300, 80, 3, 300, 180, 2, 0, 240, 4, 230, 20, 3, 420, 160, 1}},
    {{17, 0, 200, 7, 80, 0, 5, 150, 270, 8, 260, 340, 3, 150, 370, 1, 220, 200, 2, 150, 200, 2}},
    {{18, 60, 180, 5, 100, 60, 6, 40, 140, 7, 260, 140, 7, 0, 100, 6, 370, 0, 4, 300, 70, 2}},
    {{19, 0, 170, 7, 160, 170, 3, 120, 150, 1, 180, 0, 7, 190, 70, 3, 80, 0, 2, 150, 310, 2}},
    {{20, 40, 240, 5, 50, 90, 3, 80, 0, 1, 70, 90, 7, 0, 160, 7, 180, 160, 2, 40, 230, 2}},
    {{21, 20, 180, 8, 40, 0, 4, 120, 340, 5, 220, 80, 8, 180, 280, 2, 10, 320, 3, 0, 60, 1}},
    {{22, 0, 20, 6, 120, 20, 4, 200, 160, 8, 370, 90, 7, 0, 0, 5, 270, 90, 2, 410, 20, 2}},
    {{23, 140, 0, 1, 280, 20, 5, 80, 80, 5, 490, 110, 1, 0, 120, 7, 420, 10, 4, 40, 50, 2}},
    {{24, 110, 20, 6, 0, 210, 5, 50, 100, 7, 210, 240, 5, 140, 0, 5, 210, 270, 4, 140, 200, 2}},
    {{25, 40, 0, 4, 240, 0, 4, 180, 80, 3, 520, 80, 8, 420, 140, 6, 410, 20, 3, 0, 60, 1}},
    {{26, 20, 140, 3, 0, 280, 7, 20, 80, 4, 50, 490, 3, 80, 40, 5, 80, 420, 2, 150, 0, 2}},
    {{27, 20, 240, 5, 60, 120, 6, 0, 200, 7, 120, 100, 2, 60, 0, 8, 110, 0, 1, 40, 80, 1}},
    {{28, 230, 0, 7, 110, 0, 3, 140, 170, 5, 130, 0, 7, 0, 70, 3, 30, 0, 2, 100, 140, 2}},
    {{29, 0, 240, 8, 120, 240, 2, 100, 0, 5, 60, 200, 4, 200, 100, 6, 150, 140, 1, 80, 120, 1}},
    {{30, 280, 160, 6, 0, 160, 4, 180, 0, 5, 340, 140, 2, 180, 140, 8, 70, 80, 3, 260, 120, 1}},
}};

QStringList PieceColumnNames()
{
    QStringList names;
    for (const char* piece : kPieceNames) {
        for (const char* suffix : kPieceColumnSuffixes) {
            names << QLatin1String(piece) + QLatin1String(suffix);
        }
    }
    return names;
}

QString PieceColumnDefinitions()
{
    QStringList definitions;
    for (const QString& name : PieceColumnNames()) {
        definitions << name + QLatin1String(" Integer");
    }
    return definitions.join(QLatin1String(", "));
}

// The five tables, in the order they are created. The texts are kept exactly
// as earlier versions of the game wrote them into existing files.
QStringList SchemaStatements()
{
    return {
        QStringLiteral("CREATE TABLE Version (VersionNumber TEXT, Timestamp TEXT DEFAULT CURRENT_TIMESTAMP)"),
        QStringLiteral("CREATE TABLE Prefs (PrefName TEXT UNIQUE, Timestamp TEXT DEFAULT CURRENT_TIMESTAMP, "
                       "PrefValue BLOB)"),
        QStringLiteral("CREATE TABLE SavedPuzzle (Number Integer, HintCount Integer, ")
            + PieceColumnDefinitions() + QLatin1String(")"),
        QStringLiteral("CREATE TABLE Puzzles(Number Integer, ") + PieceColumnDefinitions()
            + QLatin1String(", PRIMARY KEY(Number))"),
        QStringLiteral("CREATE TABLE SolvedPuzzles (Number INTEGERPRIMARYKEY, NumHintsUsed INTEGER)"),
    };
}

struct TableColumns {
    const char* table;
    QStringList columns;
};

// What the game reads and writes in each table.
std::array<TableColumns, 5> ExpectedTables()
{
    return {{
        {"Version", {"VersionNumber", "Timestamp"}},
        {"Prefs", {"PrefName", "Timestamp", "PrefValue"}},
        {"SavedPuzzle", QStringList{"Number", "HintCount"} + PieceColumnNames()},
        {"Puzzles", QStringList{"Number"} + PieceColumnNames()},
        {"SolvedPuzzles", {"Number", "NumHintsUsed"}},
    }};
}

// A name goes into the statement between single quotes; doubling any quote
// in it keeps the statement intact whatever the name holds.
QString Quoted(const QString& text)
{
    QString escaped = text;
    escaped.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + escaped + QLatin1Char('\'');
}

} // namespace

QString PrefsDatabaseClass::StoreFolderPath()
{
    return platform::PreferencesFolder::Preferences() + QLatin1Char('/') + QLatin1String(kFolderName);
}

QString PrefsDatabaseClass::StoreFilePath()
{
    return StoreFolderPath() + QLatin1Char('/') + QLatin1String(kFileName);
}

PrefsDatabaseClass::PrefsDatabaseClass()
    : mDB(std::make_shared<platform::Database>())
{
    // One moment stamps the version row, taken before anything else happens.
    const QString versionStamp = platform::Date().SQLDateTime();
    QDir().mkpath(StoreFolderPath()); // a failure shows when the file is created
    const QString file = StoreFilePath();
    const bool inPlace = QFileInfo::exists(file) || CreateStoreFile(file, versionStamp);
    mDB->SetRefusalHandler([this](const QString& reason) { TellRefusal(reason); });
    if (inPlace) {
        OpenStoreFile(file, versionStamp);
        return;
    }
    const platform::FileProblem problem = mDB->Problem();
    const bool knownWhy = problem == platform::FileProblem::DiskFull || problem == platform::FileProblem::DiskError
        || problem == platform::FileProblem::FolderIsAFile || problem == platform::FileProblem::PathTooLong;
    Tell(QLatin1String(kCreateError),
         QStringLiteral("Kolmira could not create its file %1 (%2), so progress will not be kept.")
             .arg(file, knownWhy ? platform::Describe(problem) : QStringLiteral("its folder cannot be written")));
    UseFallbackStore(versionStamp);
}

PrefsDatabaseClass::~PrefsDatabaseClass()
{
    mDB->SetRefusalHandler({});
    mDB->Close();
}

bool PrefsDatabaseClass::UsesFallbackStore() const
{
    return !mDB->KeepsToFile();
}

void PrefsDatabaseClass::GameClosing()
{
    mGameClosing = true;
}

void PrefsDatabaseClass::Tell(const QString& message, const QString& explanation)
{
    platform::MsgBox(message + QLatin1Char('\n') + explanation);
}

void PrefsDatabaseClass::TellRefusal(const QString& reason) const
{
    const QString& file = mDB->DatabaseFile;
    if (mGameClosing) {
        Tell(QLatin1String(kGameNotSavedError),
             QStringLiteral("Kolmira could not write to its file %1 (%2), so the game in progress was not saved.")
                 .arg(file, reason));
        return;
    }
    Tell(QLatin1String(kWriteError),
         QStringLiteral("Kolmira cannot use its file %1 any more (%2). %3").arg(file, reason, QLatin1String(kKeptInMemory)));
}

bool PrefsDatabaseClass::CreateStoreFile(const QString& file, const QString& versionStamp)
{
    platform::DatabaseDraft draft(file);
    mDB->DatabaseFile = draft.Path();
    // Nothing of a draft needs to survive a crash, so it is written without
    // journal or syncs on disk, and synced once, whole, as it is put in place.
    bool built = mDB->CreateDatabaseFile();
    if (built) {
        mDB->UseDraftWrites();
        built = CreateSchema(versionStamp);
    }
    if (built) {
        InsertDemoPuzzlesIntoDatabase(); // commits the schema and the puzzles together
        built = mDB->KeepsToFile() && !mDB->Error();
    }
    mDB->Close();
    mDB->DatabaseFile = file;
    // A store another copy of the game put in place meanwhile is as good as ours.
    return built && draft.PutInPlace() != platform::DatabaseDraft::Placed::Failed;
}

void PrefsDatabaseClass::OpenStoreFile(const QString& file, const QString& versionStamp)
{
    // An existing store is only read here: whatever is wrong with it, the
    // player's file stays as it is.
    mDB->DatabaseFile = file;
    if (!mDB->Connect() || !HasExpectedSchema()) {
        const platform::FileProblem problem = mDB->Problem();
        // A file that another program keeps, or that cannot be read, is no
        // sign of damage: the player must not be led to delete a sound store.
        const bool notDamage = problem == platform::FileProblem::InUse || problem == platform::FileProblem::Unreadable;
        Tell(QLatin1String(kOpenError),
             QStringLiteral("Kolmira could not read its file %1 (%2). The file is left as it is, and progress "
                            "will not be kept.")
                 .arg(file, notDamage ? platform::Describe(problem) : QStringLiteral("it is damaged or not its own")));
        UseFallbackStore(versionStamp);
        return;
    }
    const bool complete = HoldsBuiltInPuzzles();
    // (A file given up during these reads is no longer the connection's: it
    // can say nothing of its write protection, and its refusal has been told.)
    if (const platform::FileProblem readOnly = mDB->WhyReadOnly(); readOnly != platform::FileProblem::None) {
        Tell(QLatin1String(kOpenError), QStringLiteral("Kolmira can read its file %1 but not write to it (%2). %3")
                                            .arg(file, platform::Describe(readOnly), QLatin1String(kKeptInMemory)));
        // The player's history stays in view: the game plays on from the copy.
        mDB->MoveToMemoryCopy();
    }
    if (!complete) {
        RestoreBuiltInPuzzles(versionStamp);
    }
}

void PrefsDatabaseClass::RestoreBuiltInPuzzles(const QString& versionStamp)
{
    // Rows 1 to 30 hold nothing of the player's: the catalogue writes them
    // back whole, in one transaction, or not at all. Puzzles above 30 stay
    // as they are.
    const bool onFile = mDB->KeepsToFile();
    mDB->SQLExecute(QStringLiteral("DELETE FROM Puzzles WHERE Number BETWEEN 1 AND %1").arg(kBuiltInPuzzleCount));
    // A rule of the file's own can also drop or change a row without a word
    // (a trigger that ignores it): only rows read back exactly as the
    // catalogue has them are committed.
    const bool written = !mDB->Error() && WriteBuiltInPuzzles();
    const bool readBack = written && HoldsBuiltInPuzzles();
    if (!readBack || !mDB->Commit()) {
        // Turned away by the store itself (a rule another program gave it,
        // say), which any store with it would do again: the file keeps every
        // row it had, and the game plays on the catalogue in memory.
        QString why = written && !readBack ? QStringLiteral("the file does not keep them as they are written")
                                           : mDB->ErrorMessage();
        why.replace(0, 1, why.left(1).toLower());
        mDB->Rollback();
        Tell(QLatin1String(kOpenError),
             QStringLiteral("Kolmira's file %1 lacks some of its built-in puzzles or holds them damaged, and they "
                            "cannot be written back (%2). The file is left as it is, and progress will not be kept.")
                 .arg(mDB->DatabaseFile, why));
        UseFallbackStore(versionStamp);
        return;
    }
    // Only a restore the file took is told of here; a refusal has its own message.
    if (onFile && mDB->KeepsToFile()) {
        Tell(QLatin1String(kRepaired),
             QStringLiteral("Kolmira's file %1 lacked some of its built-in puzzles or held them damaged. They are "
                            "restored, and your progress is kept.").arg(mDB->DatabaseFile));
    }
}

bool PrefsDatabaseClass::CreateSchema(const QString& versionStamp)
{
    const QStringList statements = SchemaStatements();
    QStringList run{statements.at(0)};
    run << QStringLiteral("INSERT INTO Version (VersionNumber, Timestamp) VALUES ('")
            + QLatin1String(kVersionNumber) + QLatin1String("', '") + versionStamp + QLatin1String("')");
    run << statements.mid(1);
    // Every statement must have run for the store to be usable; they stay
    // uncommitted until the built-in puzzles join them.
    for (const QString& statement : run) {
        mDB->SQLExecute(statement);
        if (mDB->Error()) {
            mDB->Rollback();
            return false;
        }
    }
    return true;
}

bool PrefsDatabaseClass::HoldsBuiltInPuzzles()
{
    // The game never changes a built-in row, so any other value, or text
    // where a number belongs, is damage that no figure could be built from.
    const platform::RecordSetPtr rs = mDB->SQLSelect(
        QStringLiteral("SELECT * FROM Puzzles WHERE Number BETWEEN 1 AND %1 ORDER BY Number").arg(kBuiltInPuzzleCount));
    if (!rs || rs->RecordCount() != kBuiltInPuzzleCount) {
        return false;
    }
    // Each column is found by its name once; its field then reads every row.
    std::vector<platform::RecordSet::FieldRef> fields;
    for (const QString& column : QStringList{QStringLiteral("Number")} + PieceColumnNames()) {
        fields.push_back(rs->Field(column));
    }
    for (const auto& row : kBuiltInPuzzles) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            const platform::Variant value = fields[i].Value();
            if (value.GetType() != platform::Variant::Type::Integer || value.Int64Value() != row[i]) {
                return false;
            }
        }
        rs->MoveNext();
    }
    rs->Close();
    return true;
}

bool PrefsDatabaseClass::HasExpectedSchema()
{
    for (const TableColumns& expected : ExpectedTables()) {
        const platform::RecordSetPtr rs = mDB->SQLSelect(
            QStringLiteral("SELECT name FROM pragma_table_info(") + Quoted(QLatin1String(expected.table))
            + QLatin1String(")"));
        if (!rs) {
            return false;
        }
        QStringList present;
        for (; !rs->EOF(); rs->MoveNext()) {
            present << rs->Field(QStringLiteral("name")).Value().StringValue();
        }
        rs->Close();
        for (const QString& column : expected.columns) {
            if (!present.contains(column, Qt::CaseInsensitive)) {
                return false;
            }
        }
    }
    return true;
}

void PrefsDatabaseClass::UseFallbackStore(const QString& versionStamp)
{
    // The same connection object stays in mDB; it only moves to memory, so
    // the game plays on with the built-in puzzles and writes nothing to disk.
    if (mDB->ConnectInMemory() && CreateSchema(versionStamp)) {
        InsertDemoPuzzlesIntoDatabase();
    }
}

void PrefsDatabaseClass::InsertDemoPuzzlesIntoDatabase()
{
    // A catalogue that was not written whole is not committed: its caller
    // rolls it back together with what went before it.
    if (WriteBuiltInPuzzles()) {
        mDB->Commit();
    }
}

bool PrefsDatabaseClass::WriteBuiltInPuzzles()
{
    // One statement for all the rows: the engine reads the SQL once. The
    // columns are named, so a column another program added to the table
    // takes its default instead of turning the rows away.
    QStringList rows;
    for (const auto& row : kBuiltInPuzzles) {
        QStringList values;
        for (const int value : row) {
            values << QString::number(value);
        }
        rows << QLatin1Char('(') + values.join(QLatin1Char(',')) + QLatin1Char(')');
    }
    const QStringList columns = QStringList{QStringLiteral("Number")} + PieceColumnNames();
    mDB->SQLExecute(QStringLiteral("INSERT INTO Puzzles (") + columns.join(QLatin1String(", "))
                    + QLatin1String(") VALUES") + rows.join(QLatin1Char(',')));
    return !mDB->Error();
}

void PrefsDatabaseClass::SetPref(const QString& name, const platform::Variant& value)
{
    const QString stamp = platform::Date().SQLDateTime();
    const platform::RecordSetPtr rs =
        mDB->SQLSelect(QStringLiteral("SELECT * FROM Prefs WHERE PrefName = ") + Quoted(name));
    if (!rs) {
        return; // the store answers nothing; there is no row to write into
    }
    if (rs->BOF() && rs->EOF()) {
        platform::DatabaseRecord record;
        record.Column(QStringLiteral("PrefName"), name);
        record.Column(QStringLiteral("PrefValue"), value.StringValue());
        record.Column(QStringLiteral("Timestamp"), stamp);
        mDB->InsertRecord(QStringLiteral("Prefs"), record);
    } else {
        rs->Edit();
        rs->Field(QStringLiteral("PrefValue")).SetValue(value);
        rs->Field(QStringLiteral("Timestamp")).SetValue(platform::Variant(stamp));
        rs->Update();
    }
    mDB->Commit();
    rs->Close();
}

platform::Variant PrefsDatabaseClass::GetPref(const QString& name)
{
    const platform::RecordSetPtr rs =
        mDB->SQLSelect(QStringLiteral("SELECT PrefValue FROM Prefs WHERE PrefName = ") + Quoted(name));
    if (!rs) {
        return platform::Variant();
    }
    platform::Variant answer;
    if (!(rs->BOF() && rs->EOF())) {
        answer = rs->Field(QStringLiteral("PrefValue")).Value();
    }
    rs->Close();
    return answer;
}

bool PrefsDatabaseClass::IsPuzzleSolved(std::int32_t number)
{
    const platform::RecordSetPtr rs = mDB->SQLSelect(
        QStringLiteral("SELECT Number FROM SolvedPuzzles WHERE Number = ") + QString::number(number));
    if (!rs) {
        return false;
    }
    const bool solved = !(rs->BOF() && rs->EOF());
    rs->Close();
    return solved;
}
