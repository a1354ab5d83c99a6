#pragma once
// The three looks of the editor. A skin changes only the appearance: palette and style sheet of the
// whole application, so every window (dialogs included) follows at once.

#include <QPalette>
#include <QString>

class QComboBox;

namespace qx::skins {

inline constexpr int kFirst = 1;  // "蓝色一族", blue
inline constexpr int kLast = 3;   // 2 "钢板", steel; 3 "咖啡", coffee

// Whether `skin` names one of the three skins.
bool isValid(int skin);

// Entries a tone list shows at a time, wherever it opens.
inline constexpr int kToneListRows = 15;

// Fusion, which every skin draws with, opens a list box's popup as tall as the screen and ignores
// its visible-items limit; this makes `box` keep the limit, with or without a skin applied.
void keepVisibleItemLimit(QComboBox& box);

// The palette and style sheet of a skin; an invalid number gives skin 1's.
QPalette palette(int skin);
QString styleSheet(int skin);

// Puts the skin on the running application (Fusion style, palette, style sheet).
void apply(int skin);

}  // namespace qx::skins
