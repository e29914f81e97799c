#pragma once

#include "table/BufferedCanvasClass.h"

// The play table on which the player moves the seven pieces.
class TableClass : public BufferedCanvasClass {
public:
    explicit TableClass(QWidget* parent = nullptr);
    ~TableClass() override;
};
