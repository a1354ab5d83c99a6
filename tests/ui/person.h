#pragma once
// What a person does with the mouse and keyboard, on real, shown widgets: menus opened and items
// clicked, lists chosen from their popups, a field left by Tab, text pasted by the keys.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QStyle>
#include <QStyleOptionButton>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QListView>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include <functional>
#include <initializer_list>
#include <vector>

namespace qx::test {

// Runs onShow each time the watched widget is shown.
class ShowWatcher : public QObject {
public:
    std::function<void()> onShow;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Show && onShow)
            onShow();
        return false;
    }
};

// Clicks the menu bar's menu path[0], then each item of path in the menu the last click opened.
inline void clickMenuItem(QMainWindow& window, std::initializer_list<const char*> path)
{
    auto it = path.begin();
    QMenu* menu = window.findChild<QMenu*>(QString::fromLatin1(*it));
    QMenuBar* bar = window.menuBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(menu->menuAction()).center());
    for (++it; it != path.end(); ++it) {
        if (!QTest::qWaitFor([menu] { return menu->isVisible(); }))
            return;
        QAction* action = window.findChild<QAction*>(QString::fromLatin1(*it));
        const QPoint at = menu->actionGeometry(action).center();
        QTest::mouseMove(menu, at);
        QTest::mouseClick(menu, Qt::LeftButton, {}, at);
        if (action->menu())
            menu = action->menu();
    }
}

// Clicks the item named name through the menus that hold it: its menu on the menu bar, then each
// submenu's item, then the item itself; returns once the menus have closed.
inline bool clickMenuAction(QMainWindow& window, const char* name)
{
    QAction* action = window.findChild<QAction*>(QString::fromLatin1(name));
    if (!action)
        return false;
    // The menus from the menu bar down to the one holding the item (the same item can also sit in
    // a context menu, which the menu bar does not reach).
    std::vector<QMenu*> menus;
    std::function<bool(const QList<QAction*>&)> descend = [&](const QList<QAction*>& items) {
        for (QAction* item : items) {
            if (item == action)
                return true;
            if (QMenu* sub = item->menu()) {
                menus.push_back(sub);
                if (descend(sub->actions()))
                    return true;
                menus.pop_back();
            }
        }
        return false;
    };
    QMenuBar* bar = window.menuBar();
    if (!descend(bar->actions()) || menus.empty())
        return false;
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(menus.front()->menuAction()).center());
    for (std::size_t i = 0; i < menus.size(); ++i) {
        QMenu* menu = menus[i];
        if (!QTest::qWaitFor([menu] { return menu->isVisible(); }))
            return false;
        QAction* next = i + 1 < menus.size() ? menus[i + 1]->menuAction() : action;
        const QPoint at = menu->actionGeometry(next).center();
        QTest::mouseMove(menu, at);
        QTest::mouseClick(menu, Qt::LeftButton, {}, at);
    }
    return QTest::qWaitFor([] { return !QApplication::activePopupWidget(); });
}

// Opens the list by a click and clicks the entry with text in its popup.
inline bool chooseFromList(QComboBox* box, const QString& text)
{
    QTest::mouseClick(box, Qt::LeftButton);
    QAbstractItemView* view = box->view();
    // A click right after the list closed can be taken as the second half of a double click;
    // then the list is opened from the keyboard, as a person would.
    if (!QTest::qWaitFor([view] { return view->isVisible(); }, 200))
        QTest::keyClick(box, Qt::Key_Down, Qt::AltModifier);
    if (!QTest::qWaitFor([view] { return view->isVisible(); }))
        return false;
    const int row = box->findText(text);
    if (row < 0)
        return false;
    const QModelIndex index = box->model()->index(row, box->modelColumn());
    view->scrollTo(index);
    const QPoint at = view->visualRect(index).center();
    QTest::mouseMove(view->viewport(), at);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    return QTest::qWaitFor([view] { return !view->isVisible() && !QApplication::activePopupWidget(); });
}

// Clicks a check box on its box (a wide check box only reacts on its box and text).
inline void clickCheck(QCheckBox* box)
{
    QStyleOptionButton option;
    option.initFrom(box);
    const QRect indicator = box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box);
    QTest::mouseClick(box, Qt::LeftButton, {}, indicator.center());
}

// Clicks the tab with text in the tab bar of tabs.
inline void clickTab(QTabWidget* tabs, int index)
{
    QTabBar* bar = tabs->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
}

// Clicks into a field (which takes the focus), as before typing.
inline void clickInto(QWidget* field)
{
    QTest::mouseClick(field, Qt::LeftButton);
}

// Leaves the focused field the way a person does: the Tab key.
inline void tabAway(QWidget* field)
{
    QTest::keyClick(field, Qt::Key_Tab);
}

enum class PasteWay { CtrlV, ShiftInsert, MiddleButton };

// Puts text on the clipboard (and the selection, where the platform has one) and pastes it.
inline void paste(QLineEdit* field, const QString& text, PasteWay way)
{
    QApplication::clipboard()->setText(text);
    if (QApplication::clipboard()->supportsSelection())
        QApplication::clipboard()->setText(text, QClipboard::Selection);
    switch (way) {
    case PasteWay::CtrlV:
        QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
        break;
    case PasteWay::ShiftInsert:
        QTest::keyClick(field, Qt::Key_Insert, Qt::ShiftModifier);
        break;
    case PasteWay::MiddleButton:
        QTest::mouseClick(field, Qt::MiddleButton);
        break;
    }
}

}  // namespace qx::test
