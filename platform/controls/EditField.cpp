#include "platform/EditField.h"

namespace platform {

EditField::EditField(QWidget* parent)
    : QLineEdit(parent)
{
}

} // namespace platform
