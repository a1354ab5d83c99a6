// Texts the shell shows: messages as plain text, captions without accelerators, and English menu
// accelerators that work as English ones do.

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "files/command_caption.h"
#include "files/language.h"
#include "model/codeplug.h"
#include "page_test_support.h"
#include "ui/message_dialog.h"

namespace qx {
namespace {

TEST(MessageDialogText, FileDerivedTextIsShownAsPlainText)
{
    test::ensureApplication();
    Codeplug doc;
    MessageDialog messages(doc);
    const QString path = QStringLiteral("/tmp/<b>bold</b>&amp;.kt6");
    Qt::TextFormat format = Qt::AutoText;
    QString shown;
    QTimer::singleShot(0, &messages, [&] {
        auto* label = test::child<QLabel>(messages, "cap1");
        format = label->textFormat();
        shown = label->text();
        QTest::mouseClick(test::child<QPushButton>(messages, "bsSkinButton1"), Qt::LeftButton);
    });
    messages.ask(QStringLiteral("caption"), path, pending::Information);
    EXPECT_EQ(format, Qt::PlainText);
    EXPECT_EQ(shown, path);
}

TEST(CommandCaption, TheAcceleratorIsDropped)
{
    struct Row {
        const char* caption;
        const char* title;
    };
    const Row rows[] = {{"频率写入(&W)", "频率写入"},  {"&Write to Radio", "Write to Radio"},
                        {"頻率寫入(&W)", "頻率寫入"},  {"Save && Quit", "Save & Quit"},
                        {"F&unctions", "Functions"}, {"DTMF", "DTMF"}};
    for (const Row& r : rows)
        EXPECT_EQ(withoutAccelerator(r.caption), r.title) << r.caption;
}

TEST(CommandCaption, ARefusedWriteIsCaptionedWithTheWriteCommand)
{
    const std::map<int, std::string> english = {{18, "&Write to Radio"}};
    const auto lookup = [&english](int n) {
        const auto it = english.find(n);
        return it == english.end() ? std::string() : it->second;
    };
    EXPECT_EQ(writeCommandCaption(lookup), "Write to Radio");
    EXPECT_EQ(writeCommandCaption([](int) { return std::string(); }), "频率写入") << "the built-in text";
}

// The English menus: each item's accelerator lies inside its word and is unique within its menu.
TEST(EnglishMenus, AcceleratorsAreInsideTheWordsAndUniquePerMenu)
{
    std::map<int, std::string> texts;
    QFile file(QDir(QStringLiteral(QX_LANG_DIR)).filePath(QStringLiteral("english.lng")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        const int eq = line.indexOf(QLatin1Char('='));
        bool ok = false;
        const int number = line.left(eq).toInt(&ok);
        if (eq > 0 && ok)
            texts[number] = line.mid(eq + 1).toStdString();
    }
    // The menus' items by string number (items with a fixed text carry no language string).
    const std::map<std::string, std::vector<int>> menus = {
        {"menu bar", {9, 10, 11, 12}},
        {"File", {13, 14, 15, 16}},
        {"Edit", {17, 18, 19, 20, 99, 100, 21}},
        {"Options", {22, 141, 23, 24}},
        {"Help", {12, 1}},
    };
    for (const auto& [menu, numbers] : menus) {
        std::set<char> used;
        for (int n : numbers) {
            SCOPED_TRACE(menu + " " + std::to_string(n) + " " + texts[n]);
            const std::string& t = texts[n];
            ASSERT_FALSE(t.empty());
            EXPECT_EQ(t.find("(&"), std::string::npos) << "no bracketed accelerator";
            const auto amp = t.find('&');
            if (amp == std::string::npos)
                continue;
            ASSERT_LT(amp + 1, t.size());
            const char key = char(std::tolower(static_cast<unsigned char>(t[amp + 1])));
            EXPECT_TRUE(std::isalpha(static_cast<unsigned char>(key))) << "inside a word";
            EXPECT_TRUE(used.insert(key).second) << "unique within the menu";
        }
    }
}

}  // namespace
}  // namespace qx
