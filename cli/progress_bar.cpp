#include "cli/progress_bar.h"

#include <algorithm>

namespace qx::cli {

std::string progressBarText(int value, int max, int width)
{
    const int clamped = max > 0 ? std::clamp(value, 0, max) : 0;
    const int filled = max > 0 ? clamped * width / max : 0;
    const int percent = max > 0 ? clamped * 100 / max : 0;
    std::string text = "[";
    text.append(static_cast<std::size_t>(filled), '#');
    text.append(static_cast<std::size_t>(width - filled), '.');
    text += "] ";
    const std::string number = std::to_string(percent);
    text.append(3 - std::min<std::size_t>(3, number.size()), ' ');
    return text + number + "%";
}

void ProgressBar::update(int value, int max)
{
    if (!enabled_)
        return;
    std::string text = progressBarText(value, max);
    if (text == shown_)
        return;
    shown_ = std::move(text);
    std::fprintf(out_, "\r%s", shown_.c_str());
    std::fflush(out_);
}

void ProgressBar::finish()
{
    if (!enabled_ || shown_.empty())
        return;
    std::fputc('\n', out_);
    std::fflush(out_);
    shown_.clear();
}

}  // namespace qx::cli
