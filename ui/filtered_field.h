#pragma once
// The routes by which text can enter a line edit other than typed keys: the paste keys, the middle
// button's selection paste, dropped text and committed input-method text. A field whose keys are
// filtered sends its events through guardFilteredField so text enters only through the filter.

#include <QString>

#include <functional>

class QEvent;
class QKeyEvent;
class QLineEdit;

namespace qx {

// Whether `c` may be added to the field's current `text`.
using CharFilter = std::function<bool(const QString& text, char32_t c)>;

// Ctrl+V, Shift+Insert and the other paste keys of the platform.
bool isPasteKey(const QKeyEvent& event);

// Handles the event if it is one of the routes above: a paste key, the middle button and dropped
// text are refused; committed input-method text is inserted one accepted character at a time, and
// `afterInsert` runs as after a typed key. Returns whether the event was taken.
bool guardFilteredField(QLineEdit& field, QEvent& event, const CharFilter& accepts,
                        const std::function<void()>& afterInsert);

}  // namespace qx
