#pragma once
// What the channel grid does to the document, apart from drawing: key filters, click toggles, the
// row operations and auto add. Pure functions over the Codeplug, so the widget only places editors
// and moves its selection by what these return.

#include <optional>
#include <string>
#include <string_view>

namespace qx {
class Codeplug;
}

namespace qx::grid {

inline constexpr char32_t kBackspace = 8;
inline constexpr char32_t kEnter = 13;

// The in-place editor that serves a cell after a click.
enum class Editor { None, Frequency, Tone, Alias };

// Frequency editor filter: Backspace and digits pass; "." only when `text` already has at least
// three characters and no "." yet. Enter is handled by the caller; everything else is refused.
bool frequencyKeyAccepted(std::string_view text, char32_t key);

// Alias filter (grid column 10, alias editor, single-channel alias field): refuses control
// characters other than Backspace and Enter, and the signs that have no place in an alias.
bool aliasKeyAccepted(char32_t key);

// Click steps 2 to 4 on the model: the current cell becomes (column, row); a toggle column of a
// filled channel flips unless `suppressToggle` is set; the flag is cleared. Returns the editor to show.
Editor click(Codeplug& doc, int column, int row, bool& suppressToggle);

// Delete key: empties columns 1 to 10 of the current row. The extras follow at the next commit.
void deleteKey(Codeplug& doc);

// Backspace key: empties a committed (nine-character) frequency in column 1 or 3 of the current row.
// Returns whether it did.
bool backspaceKey(Codeplug& doc);

// Move up (delta -1) or down (+1): commits, then swaps the current channel with its neighbour when
// the current cell is filled and the neighbour exists; the current row follows the moved channel.
// Returns whether it moved.
bool moveChannel(Codeplug& doc, int delta);

// Step of the `step` option in units of 10 Hz (5 kHz is 500); 25 kHz for an unknown index.
long long stepUnits(int stepIndex);

// Decimal megahertz text -> units of 10 Hz, digits past the fifth decimal cut; nullopt when no number.
std::optional<long long> parseUnits(std::string_view mhz);
// Units of 10 Hz -> the shortest decimal megahertz text ("462.5625", "450").
std::string unitsText(long long units);

// What auto add did; `select` asks the grid to select (current column, current row).
struct AutoAddResult {
    bool select = false;
};

// Auto add button pressed. Does nothing when the band-1 receive range gives no limits.
AutoAddResult autoAddPress(Codeplug& doc);
// One repeat of auto add: the next channel one step above the current row's RX, wrapping to the
// low edge of the band-1 receive range above its high edge. Nothing at row 128 or without limits.
AutoAddResult autoAddNext(Codeplug& doc);

}  // namespace qx::grid
