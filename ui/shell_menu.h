#pragma once
// Builds the main window's menu bar, toolbar and page tabs from the tables of ui/shell_texts.h. Every
// action, menu, button and page gets its component name as object name, so code and tests find them
// with findChild and a language change re-texts them by name.

#include <QString>

class QAction;
class QActionGroup;
class QMenuBar;
class QTabWidget;
class QToolBar;
class QToolButton;
class QWidget;

namespace qx::shell {

// Fills the menu bar. Each check group (the items of one submenu) gets an exclusive QActionGroup
// named after the submenu; nothing is marked yet.
void buildMenuBar(QMenuBar& bar);

// Fills the toolbar with the five buttons and the separator.
void buildToolBar(QToolBar& bar);

// Adds the six pages, each an empty sheet with a layout that holds the page's contents.
void buildPages(QTabWidget& tabs);

// The item of check group `group` whose component name is `name`, compared without regard to case;
// nullptr if the group has none. Looking only inside the group matters: a stored mode of 2 forms the
// name "n2", which is also the Write item, and must not start a write.
QAction* findGroupItem(const QWidget& root, const QString& group, const QString& name);

}  // namespace qx::shell
