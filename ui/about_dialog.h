#pragma once
// The about box (TaboutForm): the program icon beside four text lines, and one button. Created once at
// start-up and shown modally by the main window's About item.

#include <QDialog>

#include <array>

class QLabel;
class QPushButton;

namespace qx {

class AboutDialog : public QDialog {
  Q_OBJECT
 public:
  explicit AboutDialog(QWidget* parent = nullptr);

  // Line 1 and 2 name the product, line 3 is the rights notice, line 4 the maker's name.
  void setLine(int line, const QString& text);
  QString line(int line) const;

  // The title is the About text followed by "...".
  void setTitleText(const QString& aboutText);
  void setButtonText(const QString& text);

  // Shows the box modally, centred on the screen.
  void showCentred();

 private:
  void bsSkinButton1Click();

  std::array<QLabel*, 4> lines_{};
  QPushButton* button_ = nullptr;
};

}  // namespace qx
