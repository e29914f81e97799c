#include "platform/controls/TextArea.h"

namespace platform {

TextArea::TextArea(QWidget* parent)
    : QTextEdit(parent)
    , mStyledText(document())
{
    setAcceptRichText(false);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QTextEdit::WidgetWidth);
}

void TextArea::SetReadOnly(bool readOnly)
{
    setReadOnly(readOnly);
    // Read-only text can still be selected and copied.
    setTextInteractionFlags(readOnly ? Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard
                                     : Qt::TextEditorInteraction);
}

void TextArea::SetColors(unsigned textRgb, unsigned backgroundRgb)
{
    QPalette p = palette();
    p.setColor(QPalette::Text, QColor::fromRgb(textRgb));
    p.setColor(QPalette::Base, QColor::fromRgb(backgroundRgb));
    setPalette(p);
}

} // namespace platform
