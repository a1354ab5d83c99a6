#include "ui/grid_editing.h"

#include <string_view>

#include "model/codeplug.h"

namespace qx::grid {

namespace {

constexpr std::u32string_view kAliasRefusedSigns = U"\"\\!$%&'(),:;<=>?@[]^`{|}~";
constexpr long long kUnitsPerMHz = 100000;  // 10 Hz units

bool filled(const Codeplug& doc, int column, int row)
{
    return !doc.channels().cell(column, row).empty();
}

// Power, bandwidth and the three switches: the word a click puts in, given what the cell holds.
std::optional<std::string> toggled(const Codeplug& doc, int column, const std::string& text)
{
    const DisplayWords& w = doc.words();
    switch (column) {
    case col::Power: return text == w.high ? w.low : w.high;
    case col::Bandwidth: return text == w.wide ? w.narrow : w.wide;
    case col::ScanAdd:
    case col::Dtmf:
    case col::PttId: return text == w.off ? w.on : w.off;
    default: return std::nullopt;
    }
}

// Row `row` + 1 gets RX = RX(row) + step (wrapping into the band-1 receive range), normalised,
// with defaults; it becomes the current row.
bool addAfter(Codeplug& doc, int row)
{
    if (row < 1 || row >= kChannelCount)
        return false;
    auto limits = bandLimits(doc.settings().text(keys::BandRx));
    auto rx = parseUnits(doc.channels().cell(col::Rx, row));
    if (!limits || !rx)
        return false;
    long long f = *rx + stepUnits(doc.settings().value(keys::Step));
    if (f > limits->second * kUnitsPerMHz)
        f = limits->first * kUnitsPerMHz;
    const int next = row + 1;
    doc.setCurrentRow(next);
    doc.channels().setCell(col::Rx, next, unitsText(f));
    doc.sendcell(col::Rx, next);
    doc.fillDefaults(next);
    return true;
}

}  // namespace

bool frequencyKeyAccepted(std::string_view text, char32_t key)
{
    if (key == kBackspace || (key >= U'0' && key <= U'9'))
        return true;
    if (key == U'.')
        return text.size() >= 3 && text.find('.') == std::string_view::npos;
    return false;
}

bool aliasKeyAccepted(char32_t key)
{
    if (key == kBackspace || key == kEnter)
        return true;
    if (key < 32 || key == 127)
        return false;
    return kAliasRefusedSigns.find(key) == std::u32string_view::npos;
}

Editor click(Codeplug& doc, int column, int row, bool& suppressToggle)
{
    doc.setCurrent(column, row);
    column = doc.currentColumn();
    row = doc.currentRow();
    const bool hasRx = filled(doc, col::Rx, row);
    Editor editor = Editor::None;
    switch (column) {
    case col::Rx: editor = Editor::Frequency; break;
    case col::Tx: editor = hasRx ? Editor::Frequency : Editor::None; break;
    case col::RxTone:
    case col::TxTone: editor = hasRx ? Editor::Tone : Editor::None; break;
    case col::Alias: editor = hasRx ? Editor::Alias : Editor::None; break;
    case col::Power:
    case col::Bandwidth:
    case col::ScanAdd:
    case col::Dtmf:
    case col::PttId:
        if (hasRx && !suppressToggle) {
            if (auto word = toggled(doc, column, doc.channels().cell(column, row)))
                doc.channels().setCell(column, row, *word);
        }
        break;
    default: break;
    }
    suppressToggle = false;
    return editor;
}

void deleteKey(Codeplug& doc)
{
    const int row = doc.currentRow();
    if (row < 1)
        return;
    TableUpdate update(doc.channels());
    for (int c = col::Rx; c <= col::Alias; ++c)
        doc.channels().setCell(c, row, {});
}

bool backspaceKey(Codeplug& doc)
{
    const int column = doc.currentColumn();
    const int row = doc.currentRow();
    if (column != col::Rx && column != col::Tx)
        return false;
    if (doc.channels().cell(column, row).size() != 9)
        return false;
    doc.channels().setCell(column, row, {});
    return true;
}

bool moveChannel(Codeplug& doc, int delta)
{
    doc.sendallcell();
    const int column = doc.currentColumn();
    const int row = doc.currentRow();
    const int target = row + delta;
    if (column < 1 || !filled(doc, column, row) || target < 1 || target > kChannelCount)
        return false;
    doc.swapChannels(delta > 0 ? row : target);
    doc.setCurrentRow(target);
    return true;
}

long long stepUnits(int stepIndex)
{
    switch (stepIndex) {
    case 0: return 500;
    case 1: return 625;
    case 2: return 1000;
    case 3: return 1250;
    default: return 2500;
    }
}

std::optional<long long> parseUnits(std::string_view mhz)
{
    long long whole = 0;
    long long frac = 0;
    int fracDigits = 0;
    bool digits = false;
    bool point = false;
    for (char c : mhz) {
        if (c == '.' && !point) {
            point = true;
        } else if (c >= '0' && c <= '9') {
            digits = true;
            if (!point) {
                if (whole > 100000000)
                    return std::nullopt;
                whole = whole * 10 + (c - '0');
            } else if (fracDigits < 5) {
                frac = frac * 10 + (c - '0');
                ++fracDigits;
            }
        } else {
            return std::nullopt;
        }
    }
    if (!digits)
        return std::nullopt;
    for (; fracDigits < 5; ++fracDigits)
        frac *= 10;
    return whole * kUnitsPerMHz + frac;
}

std::string unitsText(long long units)
{
    std::string text = std::to_string(units / kUnitsPerMHz);
    std::string frac = std::to_string(kUnitsPerMHz + units % kUnitsPerMHz).substr(1);
    while (!frac.empty() && frac.back() == '0')
        frac.pop_back();
    if (!frac.empty())
        text += "." + frac;
    return text;
}

AutoAddResult autoAddPress(Codeplug& doc)
{
    const std::string range = doc.settings().text(keys::BandRx);
    if (!bandLimits(range))
        return {};
    if (doc.currentRow() < 1)
        doc.setCurrentRow(1);
    const int row = doc.currentRow();
    if (!filled(doc, col::Rx, row)) {
        doc.channels().setCell(col::Rx, row, range.substr(0, 3));
        doc.sendcell(col::Rx, row);
        doc.fillDefaults(row);
        return {true};
    }
    if (!filled(doc, col::RxTone, row)) {
        doc.sendallcell();
        return {};
    }
    return {addAfter(doc, row)};
}

AutoAddResult autoAddNext(Codeplug& doc)
{
    return {addAfter(doc, doc.currentRow())};
}

}  // namespace qx::grid
