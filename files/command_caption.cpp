#include "files/command_caption.h"

#include "files/language.h"

namespace qx {

std::string withoutAccelerator(std::string_view caption)
{
    std::string out;
    out.reserve(caption.size());
    for (std::size_t i = 0; i < caption.size(); ++i) {
        const char c = caption[i];
        // "(&W)": the Chinese-style accelerator in brackets goes with its brackets.
        if (c == '(' && i + 3 < caption.size() && caption[i + 1] == '&' && caption[i + 2] != '&' &&
            caption[i + 3] == ')') {
            i += 3;
            continue;
        }
        if (c == '&') {
            if (i + 1 < caption.size() && caption[i + 1] == '&') {
                out += '&';
                ++i;
            }
            continue;
        }
        out += c;
    }
    return out;
}

std::string writeCommandCaption(const std::function<std::string(int)>& text)
{
    std::string item = text(kWriteCommandString);
    if (item.empty())
        item = StringTable::builtIn().text(kWriteCommandString);
    return withoutAccelerator(item);
}

}  // namespace qx
