#include "platform/controls/EdgeLocks.h"

#include <QEvent>
#include <algorithm>
#include <QObject>
#include <QWidget>

namespace platform {

namespace {

// Watches the parent's resizes and moves the control along.
class EdgeLock : public QObject {
public:
    EdgeLock(QWidget* control, Edges edges)
        : QObject(control)
        , mControl(control)
        , mEdges(edges)
    {
        const QWidget* parent = control->parentWidget();
        const QRect r = control->geometry();
        mLeft = r.left();
        mTop = r.top();
        mWidth = r.width();
        mHeight = r.height();
        mRightGap = parent->width() - (r.left() + r.width());
        mBottomGap = parent->height() - (r.top() + r.height());
        control->parentWidget()->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Resize && watched == mControl->parentWidget()) {
            Follow(mControl->parentWidget()->size());
        }
        return false;
    }

private:
    void Follow(const QSize& parent)
    {
        int left = mLeft;
        int width = mWidth;
        if (mEdges.testFlag(Edge::Right)) {
            if (mEdges.testFlag(Edge::Left)) {
                width = parent.width() - mRightGap - mLeft;
            } else {
                left = parent.width() - mRightGap - mWidth;
            }
        }
        int top = mTop;
        int height = mHeight;
        if (mEdges.testFlag(Edge::Bottom)) {
            if (mEdges.testFlag(Edge::Top)) {
                height = parent.height() - mBottomGap - mTop;
            } else {
                top = parent.height() - mBottomGap - mHeight;
            }
        }
        mControl->setGeometry(left, top, std::max(0, width), std::max(0, height));
    }

    QWidget* mControl;
    Edges mEdges;
    int mLeft = 0;
    int mTop = 0;
    int mWidth = 0;
    int mHeight = 0;
    int mRightGap = 0;
    int mBottomGap = 0;
};

} // namespace

void LockEdges(QWidget* control, Edges edges)
{
    if (control != nullptr && control->parentWidget() != nullptr) {
        new EdgeLock(control, edges);
    }
}

} // namespace platform
