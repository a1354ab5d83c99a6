#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "files/language.h"
#include "model/codeplug.h"
#include "dialog_test_support.h"
#include "page_test_support.h"
#include "support/sim_process.h"
#include "ui/message_dialog.h"
#include "ui/rw_dialog.h"

namespace qx {
namespace {

struct WithApplication {
    WithApplication() { test::ensureApplication(); }
};

// What the dialog looked like while it ran.
struct Observed {
    bool shown = false;
    bool closeButtonRefusedWhileRunning = false;
    bool escapeRefusedWhileRunning = false;
    bool startDisabledWhileRunning = false;
    int progressMax = 0;
    int progressEnd = 0;
    std::string bandCheck;
    bool closedAfterwards = false;
};

enum class Closing { ByItsButton, ByEscape };

void clickCloseButton(RwDialog& dialog)
{
    QTest::mouseClick(test::child<QPushButton>(dialog, "bsSkinButton2"), Qt::LeftButton);
}

class RwDialogTest : public ::testing::Test, private WithApplication {
protected:
    void SetUp() override { doc.settings().setBandList(keys::BandRx, {"400-470MHz"}, 0); }

    void channel(Codeplug& d, int row, const char* rx, const char* alias = "")
    {
        d.channels().setCell(col::Rx, row, rx);
        d.fillDefaults(row);
        d.channels().setCell(col::Alias, row, alias);
    }

    // Runs one command; once the dialog shows, clicks start (trying the close button and Escape
    // during the transfer), then closes it the given way.
    Observed transfer(Codeplug& d, TransferMode mode, const std::string& device,
                      Closing closing = Closing::ByItsButton)
    {
        RwDialog dialog(d, messages);
        Observed seen;
        dialog.setShownHook([&] {
            seen.shown = true;
            seen.bandCheck = dialog.bandCheckResult();
            QTimer::singleShot(0, &dialog, [&] {
                // Fires inside the transfer's first wait.
                QTimer::singleShot(0, &dialog, [&] {
                    seen.startDisabledWhileRunning = !dialog.startButton()->isEnabled();
                    clickCloseButton(dialog);
                    seen.closeButtonRefusedWhileRunning = dialog.isVisible() && dialog.transferRunning();
                    QTest::keyClick(&dialog, Qt::Key_Escape);
                    seen.escapeRefusedWhileRunning = dialog.isVisible() && dialog.transferRunning();
                });
                QTest::mouseClick(dialog.startButton(), Qt::LeftButton);
                seen.progressMax = dialog.gauge()->maximum();
                seen.progressEnd = dialog.gauge()->value();
                if (closing == Closing::ByItsButton)
                    clickCloseButton(dialog);
                else
                    QTest::keyClick(&dialog, Qt::Key_Escape);
                seen.closedAfterwards = !dialog.isVisible();
            });
        });
        TransferRequest request;
        request.mode = mode;
        request.device = device;
        request.title = mode == TransferMode::Read ? "频率读出(&R)" : "频率写入(&W)";
        request.startText = mode == TransferMode::Read ? "读频" : "写频";
        dialog.run(request);
        return seen;
    }

    Codeplug doc;
    MessageDialog messages{doc};
    test::MessageRecorder recorder{messages};
};

TEST_F(RwDialogTest, PortThatCannotBeOpenedShowsThePortErrorAndNoDialog)
{
    const Observed seen = transfer(doc, TransferMode::Read, "/dev/qx-no-such-port");
    EXPECT_FALSE(seen.shown);
    EXPECT_EQ(recorder.messages(), std::vector<std::string>{"无法打开串口，请检查端口设置。"});
    EXPECT_EQ(recorder.shown.front().caption, "通信错误");
}

TEST_F(RwDialogTest, WriteThenReadBackThroughTheDialog)
{
    test::SimProcess sim({"--no-pacing"});
    ASSERT_FALSE(sim.device().empty()) << sim.failure();

    channel(doc, 1, "145.50000");  // outside the band
    channel(doc, 2, "438.50000", "BASE");
    channel(doc, 3, "462.56250", "CAR7");
    doc.channels().setCell(col::Power, 3, doc.words().low);
    doc.channels().setCell(col::TxTone, 3, "D023N");
    doc.extras().setCell(xcol::TxCode, 3, std::to_string(doc.tones().indexOf("D023N")));

    const Observed wrote = transfer(doc, TransferMode::Write, sim.device());
    EXPECT_TRUE(wrote.shown);
    EXPECT_EQ(wrote.bandCheck, "02");
    EXPECT_TRUE(wrote.startDisabledWhileRunning);
    EXPECT_TRUE(wrote.closeButtonRefusedWhileRunning);
    EXPECT_TRUE(wrote.escapeRefusedWhileRunning);
    EXPECT_EQ(wrote.progressMax, 148);
    EXPECT_EQ(wrote.progressEnd, 148);
    EXPECT_TRUE(wrote.closedAfterwards);
    EXPECT_TRUE(recorder.shown.empty()) << recorder.shown.front().message;

    Codeplug back;
    MessageDialog backMessages{back};
    test::MessageRecorder backRecorder{backMessages};
    {
        RwDialog dialog(back, backMessages);
        bool channelsRead = false;
        dialog.setChannelsReadHook([&] { channelsRead = true; });
        dialog.setShownHook([&] {
            QTimer::singleShot(0, &dialog, [&] {
                QTest::mouseClick(dialog.startButton(), Qt::LeftButton);
                EXPECT_EQ(dialog.gauge()->maximum(), 138);
                EXPECT_EQ(dialog.gauge()->value(), 138);
                QTest::keyClick(&dialog, Qt::Key_Escape);
            });
        });
        TransferRequest request;
        request.device = sim.device();
        request.title = "频率读出(&R)";
        request.startText = "读频";
        ASSERT_TRUE(dialog.run(request));
        EXPECT_FALSE(dialog.isVisible()) << "Escape closes the dialog after the transfer";
        EXPECT_EQ(dialog.windowTitle().toStdString(), "频率读出(&R)");
        EXPECT_EQ(dialog.startButton()->text().toStdString(), "读频");
        EXPECT_TRUE(channelsRead);
    }
    EXPECT_TRUE(backRecorder.shown.empty());
    for (int row = 1; row <= 4; ++row) {
        for (int c = col::Rx; c <= col::Alias; ++c)
            EXPECT_EQ(back.channels().cell(c, row), doc.channels().cell(c, row)) << "row " << row << " col " << c;
    }
}

TEST_F(RwDialogTest, FailedTransferShowsTheFailureAfterTheEnd)
{
    test::SimProcess sim({"--no-pacing", "--fault", "none:ident,times=all"});
    ASSERT_FALSE(sim.device().empty()) << sim.failure();
    const Observed seen = transfer(doc, TransferMode::Read, sim.device(), Closing::ByEscape);
    EXPECT_TRUE(seen.shown);
    EXPECT_EQ(recorder.messages(), std::vector<std::string>{"与对讲机通信失败，请检查连接线及对讲机是否开机。"});
    EXPECT_TRUE(seen.closedAfterwards) << "closing is allowed again after a failure";
}

TEST_F(RwDialogTest, BandCheckWithoutAChannelInTheBandSwitchesToVfo)
{
    test::SimProcess sim({"--no-pacing", "--fault", "none:ident,times=all"});
    channel(doc, 1, "145.50000");
    doc.settings().assign(keys::VfoMr, 0);
    RwDialog dialog(doc, messages);
    std::string result;
    dialog.setShownHook([&] {
        result = dialog.bandCheckResult();
        QTimer::singleShot(0, &dialog, [&] { clickCloseButton(dialog); });
    });
    TransferRequest request;
    request.device = sim.device();
    dialog.run(request);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(result, "FF");
    EXPECT_EQ(doc.settings().value(keys::VfoMr), 1);
    EXPECT_EQ(doc.settings().value(keys::MrFreqMrCh), 1);
}

}  // namespace
}  // namespace qx
