#include "files/encoding.h"

#include <iconv.h>

#include <cerrno>
#include <cstring>

namespace qx {

namespace {

// Owns one iconv descriptor for the length of a conversion.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter()
    {
        if (valid())
            iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    Result<std::string> run(std::string_view in, const char* what)
    {
        if (!valid())
            return makeError(std::string("no ") + what + " conversion available: " + std::strerror(errno));
        std::string out;
        out.resize(in.size() * 4 + 16);  // GB18030 and UTF-8 both need at most four bytes a character
        char* src = const_cast<char*>(in.data());
        std::size_t srcLeft = in.size();
        char* dst = out.data();
        std::size_t dstLeft = out.size();
        while (srcLeft > 0) {
            if (iconv(cd_, &src, &srcLeft, &dst, &dstLeft) == static_cast<std::size_t>(-1)) {
                const std::size_t offset = in.size() - srcLeft;
                if (errno == E2BIG) {
                    const std::size_t used = out.size() - dstLeft;
                    out.resize(out.size() * 2);
                    dst = out.data() + used;
                    dstLeft = out.size() - used;
                    continue;
                }
                if (errno == EINVAL)
                    return makeError(std::string("incomplete ") + what + " sequence at byte " + std::to_string(offset));
                return makeError(std::string("invalid ") + what + " sequence at byte " + std::to_string(offset));
            }
        }
        // Flush any shift state (none for these encodings, but the call is cheap and correct).
        if (iconv(cd_, nullptr, nullptr, &dst, &dstLeft) == static_cast<std::size_t>(-1))
            return makeError(std::string("cannot finish ") + what + " conversion");
        out.resize(out.size() - dstLeft);
        return out;
    }

private:
    iconv_t cd_;
};

}  // namespace

bool isValidUtf8(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        std::size_t len = 0;
        char32_t cp = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            len = 2;
            cp = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            len = 3;
            cp = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            len = 4;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (i + len > text.size())
            return false;
        for (std::size_t k = 1; k < len; ++k) {
            const auto cc = static_cast<unsigned char>(text[i + k]);
            if ((cc & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        static constexpr char32_t kMinimum[5] = {0, 0, 0x80, 0x800, 0x10000};
        if (cp < kMinimum[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += len;
    }
    return true;
}

std::string_view utf8Prefix(std::string_view text, std::size_t maxBytes)
{
    if (text.size() <= maxBytes)
        return text;
    std::size_t end = maxBytes;
    // Step back over continuation bytes so the cut falls before a lead byte.
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return text.substr(0, end);
}

Result<std::string> utf8ToGb18030(std::string_view utf8)
{
    // glibc's UTF-8 decoder accepts surrogates; check first so bad text never reaches the disk.
    if (!isValidUtf8(utf8))
        return makeError("text is not valid UTF-8");
    Converter conv("GB18030", "UTF-8");
    return conv.run(utf8, "UTF-8");
}

Result<std::string> gb18030ToUtf8(std::string_view gb18030)
{
    Converter conv("UTF-8", "GB18030");
    return conv.run(gb18030, "GB18030");
}

}  // namespace qx
