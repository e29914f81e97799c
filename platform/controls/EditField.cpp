#include "platform/controls/EditField.h"

namespace platform {

EditField::EditField(QWidget* parent)
    : QLineEdit(parent)
{
}

} // namespace platform
