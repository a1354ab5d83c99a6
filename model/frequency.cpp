#include "model/frequency.h"

#include <algorithm>
#include <cstdint>

#include "model/radio_settings.h"

namespace qx {
namespace {

// Frequencies in units of 10 Hz.
constexpr std::int64_t kPerMHz = 100000;
constexpr std::int64_t kRasterCeiling = 55000000;  // 550 MHz: no raster above
// Whole megahertz beyond this are held at it, so the arithmetic below cannot overflow.
constexpr std::int64_t kMaxWholeMHz = 999999999999LL;

std::int64_t stepUnits(int step)
{
    switch (step) {
    case 0: return 500;   // 5 kHz
    case 1: return 625;   // 6.25 kHz
    case 2: return 1000;  // 10 kHz
    case 3: return 1250;  // 12.5 kHz
    default: return 2500; // 25 kHz
    }
}

struct Parsed {
    std::int64_t whole = 0;      // whole megahertz
    std::int64_t tenThousandths = 0;  // the first four fraction digits (100 Hz units)
    bool fractionNonZero = false; // some fraction digit is not zero
};

std::optional<Parsed> parse(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return std::nullopt;
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);

    Parsed p;
    bool seenPoint = false;
    bool seenDigit = false;
    int fractionDigits = 0;
    for (char c : text) {
        if (c == '.') {
            if (seenPoint)
                return std::nullopt;
            seenPoint = true;
            continue;
        }
        if (c < '0' || c > '9')
            return std::nullopt;
        seenDigit = true;
        const int d = c - '0';
        if (!seenPoint) {
            p.whole = p.whole >= kMaxWholeMHz ? kMaxWholeMHz : std::min(p.whole * 10 + d, kMaxWholeMHz);
        } else {
            if (d != 0)
                p.fractionNonZero = true;
            if (fractionDigits < 4)
                p.tenThousandths = p.tenThousandths * 10 + d;
            ++fractionDigits;
        }
    }
    if (!seenDigit)
        return std::nullopt;
    for (; fractionDigits < 4; ++fractionDigits)
        p.tenThousandths *= 10;
    return p;
}

std::string format(std::int64_t units)
{
    std::string text = std::to_string(units / kPerMHz);
    std::string fraction = std::to_string(units % kPerMHz);
    fraction.insert(0, 5 - fraction.size(), '0');
    while (!fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
    text += '.';
    text += fraction;
    for (int added = 0; text.size() < 9 && added < 6; ++added)
        text += '0';
    return text;
}

}  // namespace

std::optional<std::string> normaliseFrequency(std::string_view text, std::string_view bandRange, int step)
{
    const auto parsed = parse(text);
    if (!parsed)
        return std::nullopt;

    std::int64_t n = (parsed->whole * 10000 + parsed->tenThousandths) * 10;
    if (const auto limits = bandLimits(bandRange)) {
        const auto [low, high] = *limits;
        // Two steps in this order, so an inverted range ("470-400MHz") ends below its high end.
        const bool belowLow = parsed->whole < low;
        if (belowLow)
            n = low * kPerMHz;
        const bool aboveHigh = belowLow ? low > high
                                        : parsed->whole > high || (parsed->whole == high && parsed->fractionNonZero);
        if (aboveHigh) {
            // Cut down to 100 Hz like a typed value.
            n = (high * kPerMHz - stepUnits(step)) / 10 * 10;
        }
    }
    while (n < kRasterCeiling && n % 500 != 0 && n % 625 != 0)
        n += 5;
    return format(n);
}

}  // namespace qx
