#include "platform/store/RecordSet.h"

#include "platform/store/Database.h"

namespace platform {

Variant RecordSet::FieldRef::Value() const
{
    if (mColumn < 0 || mSet->EOF()) {
        return Variant();
    }
    return mSet->mRows[static_cast<std::size_t>(mSet->mCurrent)][static_cast<std::size_t>(mColumn)];
}

void RecordSet::FieldRef::SetValue(const Variant& value)
{
    if (mColumn < 0 || mSet->EOF()) {
        return; // no such column, or no row to change
    }
    mSet->mRows[static_cast<std::size_t>(mSet->mCurrent)][static_cast<std::size_t>(mColumn)] = value;
    for (auto& edit : mSet->mEdits) {
        if (edit.first == mColumn) {
            edit.second = value;
            return;
        }
    }
    mSet->mEdits.emplace_back(mColumn, value);
}

bool RecordSet::BOF() const
{
    // Rows are only ever walked forward from the first, so the set stands
    // before its first row only when it has none.
    return mRows.empty();
}

bool RecordSet::EOF() const
{
    return static_cast<std::size_t>(mCurrent) >= mRows.size();
}

std::int32_t RecordSet::RecordCount() const
{
    return static_cast<std::int32_t>(mRows.size());
}

void RecordSet::MoveFirst()
{
    mCurrent = 0;
    mEdits.clear();
    mEditing = false;
}

void RecordSet::MoveNext()
{
    if (!EOF()) {
        ++mCurrent;
    }
    mEdits.clear();
    mEditing = false;
}

RecordSet::FieldRef RecordSet::Field(const QString& name)
{
    // Column names in SQL ignore case, and so does the lookup.
    for (std::size_t c = 0; c < mColumns.size(); ++c) {
        if (mColumns[c].compare(name, Qt::CaseInsensitive) == 0) {
            return FieldRef(this, static_cast<int>(c));
        }
    }
    return FieldRef(this, -1);
}

void RecordSet::Edit()
{
    mEdits.clear();
    mEditing = true;
}

bool RecordSet::Update()
{
    const std::shared_ptr<Database*> database = mDatabase.lock();
    const bool editable = database != nullptr && !mTable.isEmpty() && !EOF()
        && static_cast<std::size_t>(mCurrent) < mRowIds.size();
    if (!editable) {
        return false;
    }
    std::vector<std::pair<QString, Variant>> values;
    values.reserve(mEdits.size());
    for (const auto& [column, value] : mEdits) {
        values.emplace_back(mColumns[static_cast<std::size_t>(column)], value);
    }
    const bool ok = (*database)->UpdateRow(mTable, mRowIds[static_cast<std::size_t>(mCurrent)], values);
    if (ok) {
        mEdits.clear();
        mEditing = false;
    }
    return ok;
}

void RecordSet::Close()
{
    mDatabase.reset();
    mTable.clear();
    mColumns.clear();
    mRows.clear();
    mRowIds.clear();
    mEdits.clear();
    mCurrent = 0;
    mEditing = false;
}

} // namespace platform
