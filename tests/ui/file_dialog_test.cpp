// The channel file's open and save dialogs themselves, as a person answers them: the name typed
// into the dialog's name field and Enter pressed.

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QComboBox>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "page_test_support.h"
#include "person.h"
#include "ui/file_dialogs.h"

namespace qx {
namespace {

// What the dialog showed and which questions it asked while it was answered.
struct Answered {
    bool shown = false;
    std::string title;
    QStringList filters;
    std::string typeShown;  // the file type list's text
    std::vector<std::string> questions;  // texts of message boxes that came up after Enter
    bool stillOpenAfterFirstName = false;
    QString result;
};

// Closes a message box that came up (and notes its text); nothing else.
void answerQuestion(Answered& seen)
{
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        seen.questions.push_back(box->text().toStdString());
        QTest::keyClick(box, Qt::Key_Escape);
    }
}

// Puts name into the dialog's name field (pasted whole: typed letter by letter, a path makes the
// dialog select each folder on the way) and presses Enter, as a person does.
void typeNameAndEnter(QFileDialog* dialog, const QString& name, Answered& seen)
{
    auto* field = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(field, nullptr);
    ASSERT_TRUE(field->isVisible());
    QApplication::setActiveWindow(dialog);
    field->setFocus();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    test::paste(field, name, test::PasteWay::CtrlV);
    // A question the dialog asks comes up inside the Enter; this answers it there.
    QTimer::singleShot(0, dialog, [&seen] { answerQuestion(seen); });
    QTest::keyClick(field, Qt::Key_Return);
}

// Opens the dialog of kind and answers it by typing each name in turn.
Answered answer(FileDialogKind kind, const std::vector<QString>& names)
{
    Answered seen;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        seen.shown = true;
        seen.title = dialog->windowTitle().toStdString();
        seen.filters = dialog->nameFilters();
        if (auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo")))
            seen.typeShown = types->currentText().toStdString();
        for (std::size_t i = 0; i < names.size() && dialog->isVisible(); ++i) {
            typeNameAndEnter(dialog, names[i], seen);
            if (i == 0)
                seen.stillOpenAfterFirstName = dialog->isVisible();
        }
        if (dialog->isVisible())
            dialog->reject();  // the test's own end, so a failing case cannot hang
    });
    seen.result = askChannelFile(kind, 1, nullptr);
    return seen;
}

// Qt's dialog shows a filter with runs of spaces simplified, so the two spaces of the filter
// "KTR-644  文件 (*.kt6)" show as one.
const QStringList kShownFilters{QStringLiteral("KTR-644 文件 (*.kt6)")};

class FileDialogTest : public ::testing::Test, test::WithApplication {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        QFile existing(path("old.kt6"));
        ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
        existing.write("kept\r\n");
    }
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

    QTemporaryDir dir;
};

TEST_F(FileDialogTest, SaveTakesTheTypedNameAsItIsAndAsksNothingBeforeReplacing)
{
    struct Row {
        const char* name;
        const char* typed;
    };
    const Row rows[] = {
        {"a new name gets no added suffix", "radio"},
        {"an existing file is replaced without a question", "old.kt6"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const Answered seen = answer(FileDialogKind::Save, {path(row.typed)});
        ASSERT_TRUE(seen.shown);
        EXPECT_EQ(seen.title, "保存");
        EXPECT_EQ(seen.filters, kShownFilters);
        EXPECT_EQ(seen.typeShown, "KTR-644 文件 (*.kt6)");
        EXPECT_TRUE(seen.questions.empty()) << seen.questions.front();
        EXPECT_FALSE(seen.stillOpenAfterFirstName);
        EXPECT_EQ(seen.result, path(row.typed));
    }
    QFile kept(path("old.kt6"));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("kept\r\n")) << "the dialog itself writes nothing";
}

TEST_F(FileDialogTest, OpenTakesOnlyAnExistingFile)
{
    const Answered seen = answer(FileDialogKind::Open, {path("missing.kt6"), path("old.kt6")});
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.title, "打开");
    EXPECT_EQ(seen.filters, kShownFilters);
        EXPECT_EQ(seen.typeShown, "KTR-644 文件 (*.kt6)");
    EXPECT_TRUE(seen.stillOpenAfterFirstName) << "a name without a file is not taken";
    EXPECT_EQ(seen.questions.size(), 1u) << "the dialog says the file is not found";
    EXPECT_EQ(seen.result, path("old.kt6"));
}

TEST_F(FileDialogTest, CancelledDialogGivesNoPath)
{
    Answered seen;
    QTimer::singleShot(0, [&] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            seen.shown = true;
            QTest::keyClick(dialog, Qt::Key_Escape);
        }
    });
    seen.result = askChannelFile(FileDialogKind::Open, 1, nullptr);
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.result, QString());
}

}  // namespace
}  // namespace qx
