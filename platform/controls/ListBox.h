#pragma once

#include <QString>
#include <QTreeWidget>
#include <functional>

namespace platform {

class Graphics;

// A list of rows with text columns under a heading row. Rows are numbered
// from 0. Columns have fixed widths; a column 0 wide is never shown. It draws
// no focus ring, and no row is current until the player picks one.
//
// Events (bound handlers, run through the event guard):
// - CellBackgroundPaint(g, row, column): draws a cell's background on g,
//   which is as large as the cell; true means the handler drew all of it, so
//   not even the selection is drawn over it;
// - HeaderPressed(column): true means the press is handled and the list is
//   not sorted; without a handler, or on false, the list sorts by that column.
class ListBox : public QTreeWidget {
public:
    explicit ListBox(QWidget* parent = nullptr);

    // Widths in pixels, as "100,100,0"; also sets the column count.
    void SetColumnWidths(const QString& widths);
    int ColumnCount() const { return columnCount(); }
    int ColumnWidth(int column) const;
    void SetHasHeading(bool hasHeading);
    QString Heading(int column) const;
    void SetHeading(int column, const QString& text);

    int ListCount() const { return topLevelItemCount(); }
    // Adds a row with its first column; LastIndex() is then its number.
    void AddRow(const QString& firstColumn);
    int LastIndex() const { return ListCount() - 1; }
    void DeleteAllRows() { clear(); }
    QString Cell(int row, int column) const;
    void SetCell(int row, int column, const QString& text);

    // Presses a heading, as a click on it does.
    void PressHeader(int column);
    // The column the rows are sorted by, or -1.
    int SortedColumn() const { return mSortedColumn; }

    // The rectangle of a cell and of a heading, in this widget's coordinates.
    QRect CellRect(int row, int column) const;
    QRect HeadingRect(int column) const;

    std::function<bool(platform::Graphics&, int, int)> OnCellBackgroundPaint;
    std::function<bool(int)> OnHeaderPressed;

protected:
    void focusInEvent(QFocusEvent* event) override;

private:
    int mSortedColumn = -1;
};

} // namespace platform
