#pragma once
// Captions taken from a command's menu text, the same in the editor and in qx4100ctl.

#include <functional>
#include <string>
#include <string_view>

namespace qx {

// The Write command's menu item (N2), "频率写入(&W)" built in.
inline constexpr int kWriteCommandString = 18;

// A menu caption as a title, without its keyboard accelerator: "频率写入(&W)" -> "频率写入",
// "&Write to Radio" -> "Write to Radio", "&&" -> "&".
std::string withoutAccelerator(std::string_view caption);

// The caption of a refused write: the Write command's own text in the current language, without its
// accelerator. The write is refused for what the document holds, not for the cable, so the
// communication-error caption would blame the wrong thing. A language lacking the string gives the
// built-in text.
std::string writeCommandCaption(const std::function<std::string(int)>& text);

}  // namespace qx
