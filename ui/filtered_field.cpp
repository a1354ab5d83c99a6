#include "ui/filtered_field.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

namespace qx {

bool isPasteKey(const QKeyEvent& event)
{
    return event.matches(QKeySequence::Paste) ||
           (event.key() == Qt::Key_Insert && (event.modifiers() & Qt::ShiftModifier));
}

bool guardFilteredField(QLineEdit& field, QEvent& event, const CharFilter& accepts,
                        const std::function<void()>& afterInsert)
{
    switch (event.type()) {
    case QEvent::KeyPress:
        return isPasteKey(static_cast<QKeyEvent&>(event));
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        // X11 pastes the selection on the middle button's release.
        return static_cast<QMouseEvent&>(event).button() == Qt::MiddleButton;
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        event.ignore();
        return true;
    case QEvent::InputMethod: {
        auto& ime = static_cast<QInputMethodEvent&>(event);
        if (ime.commitString().isEmpty() && ime.replacementLength() == 0)
            return false;  // composing: nothing enters the text yet
        // End the composition without its text, then let the committed text through the filter.
        QInputMethodEvent ended;
        QCoreApplication::sendEvent(&field, &ended);
        bool inserted = false;
        for (char32_t c : ime.commitString().toUcs4()) {
            if (!accepts(field.text(), c))
                continue;
            const QString before = field.text();
            field.insert(QString::fromUcs4(&c, 1));
            inserted = inserted || field.text() != before;
        }
        if (inserted && afterInsert)
            afterInsert();
        return true;
    }
    default: return false;
    }
}

}  // namespace qx
