#pragma once
// Answers the message dialog by a click on its button the moment it shows, and keeps what it said; a test never blocks on it.

#include <QEvent>
#include <QMetaObject>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <string>
#include <vector>

#include "page_test_support.h"
#include "ui/message_dialog.h"

namespace qx::test {

struct Shown {
    std::string caption;
    std::string message;
};

class MessageRecorder : public QObject {
public:
    // button: "bsSkinButton1" (OK) or "bsSkinButton2" (Cancel).
    explicit MessageRecorder(MessageDialog& dialog, const char* button = "bsSkinButton1")
        : dialog_(dialog), button_(button)
    {
        dialog_.installEventFilter(this);
    }
    void answerWith(const char* button) { button_ = button; }

    std::vector<Shown> shown;
    std::vector<std::string> messages() const
    {
        std::vector<std::string> m;
        for (const Shown& s : shown)
            m.push_back(s.message);
        return m;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == &dialog_ && event->type() == QEvent::Show) {
            shown.push_back({dialog_.windowTitle().toStdString(), dialog_.message().toStdString()});
            // Once the dialog is up and running its own loop, a click on the chosen button.
            QPushButton* button = child<QPushButton>(dialog_, button_);
            QTimer::singleShot(0, button, [button] { QTest::mouseClick(button, Qt::LeftButton); });
        }
        return false;
    }

private:
    MessageDialog& dialog_;
    const char* button_;
};

// Counts the times a widget is shown.
class ShowCounter : public QObject {
public:
    explicit ShowCounter(QWidget& w) { w.installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Show)
            ++count;
        return false;
    }
};

}  // namespace qx::test
