#pragma once
// Controls carry their component names as object names, so tests and re-texting find them.

#include <QString>

namespace qx {

template <typename W>
W* named(W* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

}  // namespace qx
