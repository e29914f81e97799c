#include "app/GlobalsStyledText.h"

#include "platform/controls/StyledText.h"

namespace {

const QString kOpenTag = QStringLiteral("<b>");
const QString kCloseTag = QStringLiteral("</b>");
constexpr int kStyledTextSize = 12;

struct Tag {
    qsizetype at = 0;
    bool open = false;
    int partner = -1; // index of the matching tag, -1 when it has none
};

std::vector<Tag> FindTags(const QString& text)
{
    std::vector<Tag> tags;
    for (qsizetype i = 0; i < text.size();) {
        if (text.mid(i, kOpenTag.size()) == kOpenTag) {
            tags.push_back({i, true});
            i += kOpenTag.size();
        } else if (text.mid(i, kCloseTag.size()) == kCloseTag) {
            tags.push_back({i, false});
            i += kCloseTag.size();
        } else {
            ++i;
        }
    }
    return tags;
}

// Pairs every "</b>" with the nearest unpaired "<b>" before it.
void PairTags(std::vector<Tag>& tags)
{
    std::vector<int> open;
    for (int i = 0; i < static_cast<int>(tags.size()); ++i) {
        if (tags[i].open) {
            open.push_back(i);
        } else if (!open.empty()) {
            tags[i].partner = open.back();
            tags[open.back()].partner = i;
            open.pop_back();
        }
    }
}

} // namespace

std::pair<QString, std::vector<BoldRun>> StripBoldMarkup(const QString& text)
{
    std::vector<Tag> tags = FindTags(text);
    PairTags(tags);

    QString stripped;
    stripped.reserve(text.size());
    std::vector<BoldRun> runs;
    int depth = 0;
    qsizetype copied = 0;
    for (const Tag& tag : tags) {
        if (tag.partner < 0) {
            continue; // not markup: copied with the text around it
        }
        stripped += text.mid(copied, tag.at - copied);
        copied = tag.at + (tag.open ? kOpenTag.size() : kCloseTag.size());
        const int here = static_cast<int>(stripped.size());
        if (tag.open) {
            if (depth++ == 0) {
                runs.emplace_back(here, 0);
            }
        } else if (--depth == 0) {
            runs.back().second = here - runs.back().first;
        }
    }
    stripped += text.mid(copied);
    // A pair with nothing between its tags marks nothing.
    std::erase_if(runs, [](const BoldRun& run) { return run.second <= 0; });
    return {stripped, runs};
}

void SetStyledText(const QString& text, platform::StyledText& target)
{
    const auto [stripped, runs] = StripBoldMarkup(text);
    target.SetText(stripped);
    target.SetSize(0, target.Length(), kStyledTextSize);
    for (const BoldRun& run : runs) {
        target.SetBold(run.first, run.second, true);
    }
}
