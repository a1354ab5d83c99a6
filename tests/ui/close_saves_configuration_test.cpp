// Closing the main window saves the configuration while the window still exists, so a failure's
// warning stands over a live window instead of being raised from its destruction.

#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

#include "page_test_support.h"
#include "ui/main_window.h"

namespace qx {
namespace {

TEST(CloseSavesConfiguration, AnUnwritableConfigurationIsReportedWhenExitIsChosen)
{
    test::ensureApplication();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // A folder where the file should be makes the write fail whoever runs the test.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("myini.ini")));
    QStringList errors;
    bool shownOverTheWindow = false;
    MainWindow* window = nullptr;
    MainWindowOptions options;
    options.programDir = dir.path();
    options.openUrl = [](const QUrl&) {};
    options.showError = [&](const QString& text) {
        errors << text;
        shownOverTheWindow = window && window->isVisible();
    };
    auto owned = std::make_unique<MainWindow>(std::move(options));
    window = owned.get();
    window->show();
    QApplication::setActiveWindow(window);

    // File (文件(&F)) > Exit (退出(&E)) by their keyboard accelerators.
    QTest::keyClick(window, Qt::Key_F, Qt::AltModifier);
    QWidget* menu = QApplication::activePopupWidget();
    ASSERT_NE(menu, nullptr) << "the File menu opened";
    QTest::keyClick(menu, Qt::Key_E);
    QTRY_VERIFY(!window->isVisible());

    ASSERT_EQ(errors.size(), 1) << "reported by the close, before the window is destroyed";
    EXPECT_TRUE(errors[0].startsWith(QStringLiteral("Unable to write to "))) << errors[0].toStdString();
    EXPECT_TRUE(shownOverTheWindow);
    window = nullptr;
    owned.reset();
    EXPECT_EQ(errors.size(), 1) << "the destruction does not save again";
}

}  // namespace
}  // namespace qx
