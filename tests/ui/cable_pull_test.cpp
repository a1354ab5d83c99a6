// The cable pulled while the editor reads the radio: the Qt port's wait sees the line go, the dialog
// reports the communication failure, and the editor stays usable.

#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <csignal>
#include <memory>
#include <string>

#include "dialog_test_support.h"
#include "page_test_support.h"
#include "person.h"
#include "support/sim_process.h"
#include "ui/document_commands.h"
#include "ui/editor_pages.h"
#include "ui/main_window.h"
#include "ui/message_dialog.h"
#include "ui/rw_dialog.h"

namespace qx {
namespace {

using test::child;

TEST(EditorTransferCablePull, SimulatorGoneMidReadIsReportedAndTheEditorStaysUsable)
{
    test::ensureApplication();
    test::SimProcess sim({"--no-pacing"});
    ASSERT_FALSE(sim.device().empty()) << sim.failure();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());

    MainWindowOptions options;
    options.programDir = dir.path();
    options.com1Device = QString::fromStdString(sim.device());
    options.openUrl = [](const QUrl&) {};
    options.showError = [](const QString&) {};
    installEditorPages(options);
    options.pages[page::Channels] = makeChannelGrid;
    MainWindow window(std::move(options));
    MessageDialog messages(window.codeplug(), &window);
    RwDialog rw(window.codeplug(), messages, &window);
    DocumentCommands commands(window, messages, rw);
    test::MessageRecorder recorder(messages);
    window.show();
    QApplication::setActiveWindow(&window);

    bool pulled = false, stillRunningAfterPull = false, closed = false;
    int progressAtEnd = -1;
    test::ShowWatcher watcher;
    rw.installEventFilter(&watcher);
    watcher.onShow = [&] {
        QTimer::singleShot(0, &rw, [&] {
            // Fires inside the transfer's first wait: the simulator and its end of the line go.
            QTimer::singleShot(0, &rw, [&] {
                pulled = sim.stop(SIGKILL) == 128 + SIGKILL;
                stillRunningAfterPull = rw.transferRunning();
            });
            QTest::mouseClick(rw.startButton(), Qt::LeftButton);
            progressAtEnd = rw.gauge()->value();
            QTest::mouseClick(child<QPushButton>(rw, "bsSkinButton2"), Qt::LeftButton);
            closed = !rw.isVisible();
        });
    };
    QTest::mouseClick(child<QToolButton>(window, "bsSkinSpeedButton4"), Qt::LeftButton);

    ASSERT_TRUE(pulled);
    EXPECT_TRUE(stillRunningAfterPull);
    ASSERT_EQ(recorder.shown.size(), 1u);
    EXPECT_EQ(recorder.shown.front().message, "与对讲机通信失败，请检查连接线及对讲机是否开机。");
    EXPECT_LT(progressAtEnd, 138) << "the read did not finish";
    EXPECT_TRUE(closed) << "the dialog closes after the failure";
    EXPECT_FALSE(rw.transferRunning());

    // The editor still answers a person: a menu item chosen, a page shown.
    EXPECT_TRUE(test::clickMenuAction(window, "DTMF1"));
    EXPECT_EQ(window.pageControl()->currentIndex(), page::Dtmf);
}

}  // namespace
}  // namespace qx
