#pragma once
// The program's icon: a handheld radio, drawn in code so the editor needs no image files.

#include <QIcon>
#include <QPixmap>

namespace qx {

QPixmap programPixmap(int size);
QIcon programIcon();

}  // namespace qx
