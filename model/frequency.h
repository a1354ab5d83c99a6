#pragma once
// Normalisation of a typed frequency text into the nine-character megahertz form.

#include <optional>
#include <string>
#include <string_view>

namespace qx {

// Normalises `text` (decimal MHz, digits and at most one ".") against the band range text
// `bandRange` ("400-470MHz") and the `step` option index (0 5 kHz, 1 6.25 kHz, 2 10 kHz,
// 3 12.5 kHz, 4 25 kHz; any other index counts as 25 kHz):
// below the low edge -> low edge; above the high edge -> high edge minus one step; then cut down to
// 100 Hz and raised to the next 5 kHz or 6.25 kHz raster below 550 MHz; formatted as the shortest
// decimal padded with "0" to nine characters ("462.5625" -> "462.56250", "450" -> "450.00000").
// A range without limits clamps nothing. Returns nullopt for an empty or non-numeric text: the
// cell is left as it is. Computes in 64-bit integers.
std::optional<std::string> normaliseFrequency(std::string_view text, std::string_view bandRange, int step);

}  // namespace qx
