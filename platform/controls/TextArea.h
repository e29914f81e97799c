#pragma once

#include "platform/controls/StyledText.h"

#include <QTextEdit>

namespace platform {

// A multi-line field of styled text with a vertical scroll bar; read-only
// when the game only shows text in it.
class TextArea : public QTextEdit {
public:
    explicit TextArea(QWidget* parent = nullptr);

    QString Text() const { return toPlainText(); }
    void SetReadOnly(bool readOnly);
    // 0xRRGGBB.
    void SetColors(unsigned textRgb, unsigned backgroundRgb);
    platform::StyledText& StyledText() { return mStyledText; }

private:
    platform::StyledText mStyledText;
};

} // namespace platform
