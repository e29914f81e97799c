#pragma once

#include <QPointer>
#include <QWidget>
#include <utility>
#include <vector>

namespace platform {

// A panel of numbered pages (from 0): only the controls of the current page
// are on show. Value is the current page.
class PagePanel : public QWidget {
public:
    explicit PagePanel(QWidget* parent = nullptr);

    int PanelCount() const { return mPanelCount; }
    void SetPanelCount(int count) { mPanelCount = count; }
    int Value() const { return mValue; }
    void SetValue(int page);

    // Puts a control (already a child of this panel) on a page.
    void AddToPage(QWidget* control, int page);
    int PageOf(const QWidget* control) const;

private:
    void ShowCurrentPage();

    std::vector<std::pair<QPointer<QWidget>, int>> mPages;
    int mPanelCount = 1;
    int mValue = 0;
};

} // namespace platform
