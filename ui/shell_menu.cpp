#include "ui/shell_menu.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <string_view>

#include "ui/shell_texts.h"

namespace qx::shell {
namespace {

bool isCommandSubmenu(const char* name) {
  for (const char* submenu : kCommandSubmenus) {
    if (std::string_view(submenu) == name) return true;
  }
  return false;
}

template <size_t N>
void addRows(QMenuBar& bar, const std::array<MenuRow, N>& rows) {
  QMenu* menu = nullptr;
  QMenu* submenu = nullptr;
  QActionGroup* group = nullptr;
  for (const MenuRow& row : rows) {
    const QString name = QString::fromLatin1(row.name);
    if (row.depth == 0) {
      menu = bar.addMenu(QString::fromUtf8(row.caption));
      menu->setObjectName(name);
      menu->menuAction()->setObjectName(name);
      continue;
    }
    QMenu* parent = row.depth == 1 ? menu : submenu;
    if (!row.caption) {
      parent->addSeparator()->setObjectName(name);
      continue;
    }
    if (row.depth == 1 && &row != &rows.back() && (&row + 1)->depth == 2) {
      submenu = parent->addMenu(QString::fromUtf8(row.caption));
      submenu->setObjectName(name);
      submenu->menuAction()->setObjectName(name);
      if (isCommandSubmenu(row.name)) {
        group = nullptr;
        continue;
      }
      group = new QActionGroup(submenu);
      group->setObjectName(name);
      group->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
      continue;
    }
    QAction* action = parent->addAction(QString::fromUtf8(row.caption));
    action->setObjectName(name);
    if (row.depth == 2 && group) {
      action->setCheckable(true);
      group->addAction(action);
    }
  }
}

}  // namespace

void buildMenuBar(QMenuBar& bar) {
  bar.setObjectName(QStringLiteral("MainMenu1"));
  addRows(bar, kMenuRows);
  addRows(bar, kHelpRows);
}

void buildToolBar(QToolBar& bar) {
  bar.setObjectName(QStringLiteral("bsSkinToolBar1"));
  bar.setMovable(false);
  bar.setFloatable(false);
  bar.setContextMenuPolicy(Qt::PreventContextMenu);
  bar.setIconSize(QSize(22, 22));
  const QStyle* style = QApplication::style();
  const QStyle::StandardPixmap icons[] = {QStyle::SP_FileIcon, QStyle::SP_DialogOpenButton,
                                          QStyle::SP_DialogSaveButton, QStyle::SP_ArrowDown,
                                          QStyle::SP_ArrowUp};
  for (size_t i = 0; i < kToolRows.size(); ++i) {
    if (i == 3) bar.addSeparator();
    auto* button = new QToolButton(&bar);
    button->setObjectName(QString::fromLatin1(kToolRows[i].name));
    button->setIcon(style->standardIcon(icons[i]));
    button->setAutoRaise(true);
    if (kToolRows[i].caption) {
      button->setText(QString::fromUtf8(kToolRows[i].caption));
      button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    } else {
      button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    }
    bar.addWidget(button);
  }
}

void buildPages(QTabWidget& tabs) {
  tabs.setObjectName(QStringLiteral("bsSkinPageControl1"));
  for (const PageRow& row : kPageRows) {
    auto* sheet = new QWidget(&tabs);
    sheet->setObjectName(QString::fromLatin1(row.name));
    auto* layout = new QVBoxLayout(sheet);
    layout->setContentsMargins(6, 6, 6, 6);
    tabs.addTab(sheet, QString::fromUtf8(row.caption));
  }
}

QAction* findGroupItem(const QWidget& root, const QString& group, const QString& name) {
  const auto* actions = root.findChild<QActionGroup*>(group);
  if (!actions) return nullptr;
  for (QAction* action : actions->actions()) {
    if (action->objectName().compare(name, Qt::CaseInsensitive) == 0) return action;
  }
  return nullptr;
}

}  // namespace qx::shell
