#pragma once
// Shared by the page tests: one QApplication for the whole test program, and small helpers that act
// on the real widgets the way a user does.

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QString>
#include <QWidget>

#include <string>

namespace qx::test {

inline void ensureApplication() {
  if (QApplication::instance()) return;
  static int argc = 1;
  static char name[] = "test_ui";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);
}

// First base of a fixture whose members are widgets: the application exists before they do.
struct WithApplication {
  WithApplication() { ensureApplication(); }
};

template <typename W>
W* child(QWidget& root, const char* name) {
  return root.findChild<W*>(QString::fromLatin1(name));
}

// The focus leaving a field, by default as when the user tabs away.
inline void leaveField(QWidget* w, Qt::FocusReason reason = Qt::TabFocusReason) {
  QFocusEvent out(QEvent::FocusOut, reason);
  QApplication::sendEvent(w, &out);
}

inline std::string shown(const QComboBox* box) { return box->currentText().toStdString(); }

}  // namespace qx::test
