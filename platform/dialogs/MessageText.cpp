#include "platform/dialogs/MessageText.h"

#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QtMath>
#include <algorithm>
#include <memory>

namespace platform {

namespace {

// The space above an explanation, as Qt's message box leaves it.
constexpr qreal kExplanationGap = 7;

} // namespace

MessageText::MessageText(const QStringList& paragraphs, QWidget* parent)
    : QTextEdit(parent)
{
    QStringList shown;
    for (const QString& paragraph : paragraphs) {
        if (!paragraph.isEmpty()) {
            shown << paragraph;
        }
    }
    mText = shown.join(QLatin1Char('\n'));
    mTextIndex.reserve(mText.size() + 1);
    for (qsizetype i = 0; i < mText.size(); ++i) {
        mTextIndex.append(i);
        if (mText.at(i) == QLatin1Char('\r') && i + 1 < mText.size() && mText.at(i + 1) == QLatin1Char('\n')) {
            ++i;
        }
    }
    mTextIndex.append(mText.size());

    // Plain text, never markup: a path may hold "<" or "&".
    setPlainText(mText);
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    // Drawn like a label on the box, not like a field to type in.
    setFrameShape(QFrame::NoFrame);
    viewport()->setAutoFillBackground(false);
    document()->setDocumentMargin(0);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setAccessibleName(mText);

    QTextBlockFormat apart;
    apart.setTopMargin(kExplanationGap);
    qsizetype start = 0;
    for (const QString& paragraph : shown) {
        if (start > 0) {
            const auto place = std::lower_bound(mTextIndex.cbegin(), mTextIndex.cend(), start);
            QTextCursor(document()->findBlock(int(place - mTextIndex.cbegin()))).mergeBlockFormat(apart);
        }
        start += paragraph.size() + 1;
    }
}

QSize MessageText::SizeWithin(int widest) const
{
    // Measured on a copy: the view lays out its own document at its own width.
    const std::unique_ptr<QTextDocument> text(document()->clone());
    text->setTextWidth(widest);
    const int width = qCeil(text->idealWidth());
    text->setTextWidth(width);
    return {width, qCeil(text->size().height())};
}

QMimeData* MessageText::createMimeDataFromSelection() const
{
    // The document's own copy would turn a no-break space into a blank and a
    // CR LF into a bare line feed; the player gets the message's characters.
    const QTextCursor selection = textCursor();
    const qsizetype from = mTextIndex.value(selection.selectionStart(), mText.size());
    const qsizetype to = mTextIndex.value(selection.selectionEnd(), mText.size());
    auto* data = new QMimeData;
    data->setText(mText.mid(from, to - from));
    return data;
}

} // namespace platform
