#include "table/TableClass.h"

TableClass::TableClass(QWidget* parent)
    : BufferedCanvasClass(parent)
{
}

TableClass::~TableClass() = default;
