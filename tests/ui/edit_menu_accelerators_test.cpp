// The File and Edit menus with the interchange items: in every language file each item's
// accelerator key is unique within its menu, so a key never picks two commands.

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace qx {
namespace {

std::map<int, std::string> readLanguageFile(const char* name)
{
    std::map<int, std::string> texts;
    QFile file(QDir(QStringLiteral(QX_LANG_DIR)).filePath(QString::fromLatin1(name)));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return texts;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        const int eq = line.indexOf(QLatin1Char('='));
        bool ok = false;
        const int number = line.left(eq).toInt(&ok);
        if (eq > 0 && ok)
            texts[number] = line.mid(eq + 1).toStdString();
    }
    return texts;
}

TEST(InterchangeMenus, AcceleratorsAreUniqueWithinFileAndEditInEveryLanguage)
{
    // Items by string number; the fixed items (DTMF, the CHIRP CSV items) carry no language string.
    const std::map<std::string, std::vector<int>> menus = {
        {"File", {13, 14, 15, 173, 174, 16}},
        {"Edit", {170, 171, 172, 17, 18, 19, 20, 99, 100, 21}},
    };
    for (const char* language : {"chinese.lng", "english.lng", "taiwan.lng"}) {
        const std::map<int, std::string> texts = readLanguageFile(language);
        ASSERT_FALSE(texts.empty()) << language;
        for (const auto& [menu, numbers] : menus) {
            std::set<char> used;
            for (int n : numbers) {
                const auto it = texts.find(n);
                ASSERT_NE(it, texts.end()) << language << " " << n;
                const std::string& t = it->second;
                SCOPED_TRACE(std::string(language) + " " + menu + " " + t);
                const auto amp = t.find('&');
                if (amp == std::string::npos || amp + 1 >= t.size())
                    continue;
                const char key = char(std::tolower(static_cast<unsigned char>(t[amp + 1])));
                EXPECT_TRUE(used.insert(key).second) << "unique within the menu";
            }
        }
    }
}

}  // namespace
}  // namespace qx
