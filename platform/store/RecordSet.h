#pragma once

#include "platform/store/Variant.h"

#include <QString>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <utility>
#include <vector>

// The record set's end test is named EOF, which <cstdio> defines as a macro.
// <cstdio> is included first above so that no later include defines it again;
// code that wants the character constant can use std::char_traits<char>::eof().
#ifdef EOF
#undef EOF
#endif

namespace platform {

class Database;

// The rows of one query, read in full when the query runs. Field values of
// the current row can be changed and written back with Edit/Update, which
// rewrites the row by its rowid.
class RecordSet {
public:
    // A field of the current row. Reading Value of a missing column gives nil.
    class FieldRef {
    public:
        Variant Value() const;
        void SetValue(const Variant& value);

    private:
        friend class RecordSet;
        FieldRef(RecordSet* set, int column) : mSet(set), mColumn(column) {}
        RecordSet* mSet;
        int mColumn; // -1: no such column
    };

    bool BOF() const;
    bool EOF() const;
    std::int32_t RecordCount() const;
    void MoveFirst();
    void MoveNext();
    FieldRef Field(const QString& name);
    void Edit();
    // Writes the values set since Edit back into the row; false if that failed.
    bool Update();
    void Close();

private:
    friend class Database;
    RecordSet() = default;

    std::weak_ptr<Database*> mDatabase;
    QString mTable;                  // table of a single-table query, for Update
    std::vector<QString> mColumns;
    std::vector<std::vector<Variant>> mRows;
    std::vector<std::int64_t> mRowIds; // empty when the query had no rowid
    std::vector<std::pair<int, Variant>> mEdits;
    int mCurrent = 0;
    bool mEditing = false;
};

using RecordSetPtr = std::shared_ptr<RecordSet>;

} // namespace platform
