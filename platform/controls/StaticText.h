#pragma once

#include <QLabel>

namespace platform {

// A line (or block) of text that the player cannot edit.
class StaticText : public QLabel {
public:
    explicit StaticText(QWidget* parent = nullptr);

    QString Text() const { return text(); }
    void SetText(const QString& text) { setText(text); }
    // 0xRRGGBB.
    void SetTextColor(unsigned rgb);
    void SetBold(bool bold);
};

} // namespace platform
