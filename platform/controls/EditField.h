#pragma once

#include <QLineEdit>

namespace platform {

// A one-line field the player types into. Unlike most controls it takes the
// keyboard focus, so it can be typed into as soon as its window is in front.
class EditField : public QLineEdit {
public:
    explicit EditField(QWidget* parent = nullptr);

    QString Text() const { return text(); }
    void SetText(const QString& text) { setText(text); }
};

} // namespace platform
