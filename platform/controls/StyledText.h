#pragma once

#include <QString>

class QTextDocument;

namespace platform {

// The styled contents of a text area: its text plus runs of character
// attributes. Positions are 0-based character offsets; a run is a start and
// a length. A run reaching outside the text is cut to the text, and an empty
// or negative one changes nothing. Sizes are the game's points, one pixel
// each, as on the screens its windows were laid out for.
class StyledText {
public:
    explicit StyledText(QTextDocument* document);

    QString Text() const;
    // Replaces the whole contents with plain text.
    void SetText(const QString& text);
    int Length() const;

    void SetSize(int start, int length, int points);
    void SetBold(int start, int length, bool bold);

    // The attributes of the character at offset (false / 0 outside the text).
    bool Bold(int offset) const;
    int Size(int offset) const;

private:
    QTextDocument* mDocument;
};

} // namespace platform
