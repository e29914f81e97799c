#include "platform/controls/ListBox.h"

#include "platform/EventGuard.h"
#include "platform/pictures/Graphics.h"

#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>

namespace platform {

namespace {

// Draws each cell's background through the list's handler, then the text
// (and the selection, unless the handler drew everything).
class CellDelegate : public QStyledItemDelegate {
public:
    explicit CellDelegate(ListBox& list)
        : QStyledItemDelegate(&list)
        , mList(list)
    {
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        QStyleOptionViewItem textOption(option);
        // The list draws no focus ring, on a cell or anywhere else.
        textOption.state &= ~QStyle::State_HasFocus;
        if (mList.OnCellBackgroundPaint && !option.rect.isEmpty()) {
            QImage cell(option.rect.size(), QImage::Format_RGB32);
            cell.fill(option.palette.base().color());
            Graphics g(&cell, {});
            bool drewAll = false;
            const auto handler = mList.OnCellBackgroundPaint;
            RunGuarded([&] { drewAll = handler(g, index.row(), index.column()); });
            painter->drawImage(option.rect.topLeft(), cell);
            if (drewAll) {
                textOption.state &= ~QStyle::State_Selected;
            }
        }
        QStyledItemDelegate::paint(painter, textOption, index);
    }

private:
    ListBox& mList;
};

} // namespace

ListBox::ListBox(QWidget* parent)
    : QTreeWidget(parent)
{
    setRootIsDecorated(false);
    setIndentation(0);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setSortingEnabled(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setItemDelegate(new CellDelegate(*this));
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
    header()->setSectionsClickable(true);
    header()->setMinimumSectionSize(0);
    connect(header(), &QHeaderView::sectionClicked, this, &ListBox::PressHeader);
}

void ListBox::SetColumnWidths(const QString& widths)
{
    const QStringList parts = widths.split(QLatin1Char(','));
    setColumnCount(static_cast<int>(parts.size()));
    for (int column = 0; column < parts.size(); ++column) {
        const int width = std::max(0, parts[column].trimmed().toInt());
        header()->setSectionResizeMode(column, QHeaderView::Fixed);
        header()->resizeSection(column, width);
        header()->setSectionHidden(column, width == 0);
    }
}

int ListBox::ColumnWidth(int column) const
{
    return header()->isSectionHidden(column) ? 0 : header()->sectionSize(column);
}

void ListBox::SetHasHeading(bool hasHeading)
{
    setHeaderHidden(!hasHeading);
}

QString ListBox::Heading(int column) const
{
    return headerItem()->text(column);
}

void ListBox::SetHeading(int column, const QString& text)
{
    headerItem()->setText(column, text);
}

void ListBox::AddRow(const QString& firstColumn)
{
    auto* item = new QTreeWidgetItem(this);
    item->setText(0, firstColumn);
}

QString ListBox::Cell(int row, int column) const
{
    const QTreeWidgetItem* item = topLevelItem(row);
    return item != nullptr ? item->text(column) : QString();
}

void ListBox::SetCell(int row, int column, const QString& text)
{
    if (QTreeWidgetItem* item = topLevelItem(row)) {
        item->setText(column, text);
    }
}

void ListBox::PressHeader(int column)
{
    bool handled = false;
    if (OnHeaderPressed) {
        const auto handler = OnHeaderPressed;
        RunGuarded([&] { handled = handler(column); });
    }
    if (!handled && column >= 0 && column < columnCount()) {
        sortItems(column, Qt::AscendingOrder);
        mSortedColumn = column;
    }
}

void ListBox::focusInEvent(QFocusEvent* event)
{
    const bool hadCurrentRow = currentIndex().isValid();
    QTreeWidget::focusInEvent(event);
    // Qt makes the first row current when the list takes the focus; here a
    // row becomes current only when the player picks one.
    if (!hadCurrentRow) {
        selectionModel()->clearCurrentIndex();
    }
}

QRect ListBox::CellRect(int row, int column) const
{
    const QTreeWidgetItem* item = topLevelItem(row);
    if (item == nullptr) {
        return {};
    }
    const QRect inViewport = visualItemRect(item);
    const QRect cell(header()->sectionViewportPosition(column), inViewport.top(),
                     header()->sectionSize(column), inViewport.height());
    return cell.translated(viewport()->pos());
}

QRect ListBox::HeadingRect(int column) const
{
    return QRect(header()->sectionViewportPosition(column), 0, header()->sectionSize(column),
                 header()->height())
        .translated(header()->pos());
}

} // namespace platform
