#pragma once
// Placing the editor's windows on the screen.

class QWidget;

namespace qx {

// Moves `window`, frame included, to the middle of the primary screen's available area.
void centreOnScreen(QWidget& window);

}  // namespace qx
