#pragma once
// Text conversion between the core's UTF-8 and the GB18030 bytes of the channel file and the
// configuration file. GB18030 is byte-identical to GBK for every GBK character and can carry any
// Unicode character, so no text a user types is lost on disk.

#include <string>
#include <string_view>

#include "model/result.h"

namespace qx {

// UTF-8 text to GB18030 bytes. Fails on text that is not valid UTF-8.
Result<std::string> utf8ToGb18030(std::string_view utf8);

// GB18030 bytes to UTF-8 text. Fails on a byte sequence that is not GB18030 (cut-off or invalid).
Result<std::string> gb18030ToUtf8(std::string_view gb18030);

// True when text is well-formed UTF-8 (no overlong forms, no surrogates, nothing above U+10FFFF).
bool isValidUtf8(std::string_view text);

// The longest prefix of UTF-8 text that is at most maxBytes long and ends on a character boundary.
std::string_view utf8Prefix(std::string_view text, std::size_t maxBytes);

}  // namespace qx
