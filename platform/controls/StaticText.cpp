#include "platform/controls/StaticText.h"

namespace platform {

StaticText::StaticText(QWidget* parent)
    : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
}

void StaticText::SetTextColor(unsigned rgb)
{
    QPalette p = palette();
    p.setColor(QPalette::WindowText, QColor::fromRgb(rgb));
    setPalette(p);
}

void StaticText::SetBold(bool bold)
{
    QFont f = font();
    f.setBold(bold);
    setFont(f);
}

} // namespace platform
