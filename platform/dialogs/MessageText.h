#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QTextEdit>

class QMimeData;

namespace platform {

// The words of a message box, as plain text the player can read, select and
// copy. A store path has no blank to break a line at, so a word too long for
// the box breaks between two characters, never inside one (an emoji, a
// letter and its accent); nothing is added to the text, so what is copied,
// and what a screen reader reads, is the message itself.
class MessageText final : public QTextEdit {
public:
    // The paragraphs follow one another, one to a line; the later ones
    // explain the first and stand apart from it.
    explicit MessageText(const QStringList& paragraphs, QWidget* parent = nullptr);

    // The size the text takes when its lines may be at most widest pixels
    // long: as wide as its longest line, as tall as all of them.
    QSize SizeWithin(int widest) const;

protected:
    QMimeData* createMimeDataFromSelection() const override;

private:
    QString mText;
    // For each place in the document, where it is in mText: the two are one
    // to one but for a CR LF pair, which the document keeps as one break.
    QList<qsizetype> mTextIndex;
};

} // namespace platform
