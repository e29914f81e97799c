#include "platform/controls/StyledText.h"

#include <QFont>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

namespace platform {

namespace {

// Selects the run cut to the text; false when nothing of it is left.
bool SelectRun(QTextCursor& cursor, int textLength, int start, int length)
{
    const int from = std::clamp(start, 0, textLength);
    const int to = std::clamp(length > 0 ? start + length : start, from, textLength);
    if (to <= from) {
        return false;
    }
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    return true;
}

QTextCharFormat FormatAt(const QTextDocument& document, int offset)
{
    QTextCursor cursor(const_cast<QTextDocument*>(&document));
    // A cursor reports the format of the character before it.
    cursor.setPosition(offset + 1);
    return cursor.charFormat();
}

} // namespace

StyledText::StyledText(QTextDocument* document)
    : mDocument(document)
{
}

QString StyledText::Text() const
{
    return mDocument->toPlainText();
}

void StyledText::SetText(const QString& text)
{
    mDocument->setPlainText(text);
}

int StyledText::Length() const
{
    // The document ends with a paragraph separator that is not text.
    return std::max(0, mDocument->characterCount() - 1);
}

void StyledText::SetSize(int start, int length, int points)
{
    QTextCursor cursor(mDocument);
    if (points > 0 && SelectRun(cursor, Length(), start, length)) {
        QTextCharFormat format;
        format.setProperty(QTextFormat::FontPixelSize, points);
        cursor.mergeCharFormat(format);
    }
}

void StyledText::SetBold(int start, int length, bool bold)
{
    QTextCursor cursor(mDocument);
    if (SelectRun(cursor, Length(), start, length)) {
        QTextCharFormat format;
        format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
        cursor.mergeCharFormat(format);
    }
}

bool StyledText::Bold(int offset) const
{
    if (offset < 0 || offset >= Length()) {
        return false;
    }
    return FormatAt(*mDocument, offset).fontWeight() >= QFont::Bold;
}

int StyledText::Size(int offset) const
{
    if (offset < 0 || offset >= Length()) {
        return 0;
    }
    return FormatAt(*mDocument, offset).intProperty(QTextFormat::FontPixelSize);
}

} // namespace platform
