#pragma once

#include <QString>
#include <utility>
#include <vector>

namespace platform {
class StyledText;
}

// A run of bold text: its start and length in characters of the text with
// its markup taken out.
using BoldRun = std::pair<int, int>;

// Takes the "<b>" ... "</b>" markup out of text. Each "<b>" pairs with the
// next "</b>"; a pair inside another pair simply adds to its bold run. A tag
// without a partner is not markup and stays in the text as written, so
// broken markup shows as typed and never yields an empty or negative run.
// Answers the stripped text and the runs in the order of their "<b>".
std::pair<QString, std::vector<BoldRun>> StripBoldMarkup(const QString& text);

// Replaces the contents of target with text stripped of its bold markup, all
// in size 12, with the marked runs in bold.
void SetStyledText(const QString& text, platform::StyledText& target);
