#include "platform/controls/PagePanel.h"

namespace platform {

PagePanel::PagePanel(QWidget* parent)
    : QWidget(parent)
{
}

void PagePanel::SetValue(int page)
{
    mValue = page;
    ShowCurrentPage();
}

void PagePanel::AddToPage(QWidget* control, int page)
{
    mPages.emplace_back(control, page);
    control->setVisible(page == mValue);
}

int PagePanel::PageOf(const QWidget* control) const
{
    for (const auto& [widget, page] : mPages) {
        if (widget == control) {
            return page;
        }
    }
    return -1;
}

void PagePanel::ShowCurrentPage()
{
    // Hide the old page first, so no control of two pages shows at once.
    for (const auto& [widget, page] : mPages) {
        if (widget && page != mValue) {
            widget->hide();
        }
    }
    for (const auto& [widget, page] : mPages) {
        if (widget && page == mValue) {
            widget->show();
        }
    }
}

} // namespace platform
