// The RFC 4180 reader and writer shared by CHIRP CSV files and the clipboard text.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "interchange/csv.h"
#include "interchange/interchange_support.h"

namespace qx {
namespace {

using Fields = std::vector<std::string>;

struct ReadCase {
    const char* name;
    std::string text;
    std::vector<std::pair<int, Fields>> records;  // line, fields
};

TEST(CsvReader, SplitsRecordsAsRfc4180Says)
{
    const ReadCase cases[] = {
        {"plain fields, CR LF", "a,b,c\r\nd,e,f\r\n", {{1, {"a", "b", "c"}}, {2, {"d", "e", "f"}}}},
        {"LF only and no final line end", "a,b\nc,d", {{1, {"a", "b"}}, {2, {"c", "d"}}}},
        {"a quoted field holds the delimiter", "1,\"Rep, 1\",x\r\n", {{1, {"1", "Rep, 1", "x"}}}},
        {"doubled quotes are one quote", "\"say \"\"hi\"\"\",b\n", {{1, {"say \"hi\"", "b"}}}},
        {"a quoted line end stays in the field and counts a line",
         "\"two\r\nlines\",x\r\nnext\r\n", {{1, {"two\r\nlines", "x"}}, {3, {"next"}}}},
        {"empty fields, also the last", "a,,\r\n,b\r\n", {{1, {"a", "", ""}}, {2, {"", "b"}}}},
        {"an empty quoted field", "\"\",x\n", {{1, {"", "x"}}}},
        {"byte-order mark skipped", "\xEF\xBB\xBFLocation,Name\r\n", {{1, {"Location", "Name"}}}},
        {"comment lines and empty lines skipped, lines still counted",
         "# written by hand\r\n\r\na,b\r\n#x,y\r\nc\r\n", {{3, {"a", "b"}}, {5, {"c"}}}},
        {"a quote inside an unquoted field is ordinary", "ab\"c,d\n", {{1, {"ab\"c", "d"}}}},
        {"text after the closing quote joins the field", "\"ab\"cd,e\n", {{1, {"abcd", "e"}}}},
        {"spaces are kept", " a , b \n", {{1, {" a ", " b "}}}},
        {"a lone CR ends a line", "a\rb\n", {{1, {"a"}}, {2, {"b"}}}},
        {"a \"#\" that is not at the start of a line is data", "a,#b\n", {{1, {"a", "#b"}}}},
        {"a quoted \"#\" field is data", "\"#1\",b\n", {{1, {"#1", "b"}}}},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto read = readCsv(c.text, CsvDialect{}, test::englishStrings());
        ASSERT_TRUE(read.ok()) << read.error().message;
        ASSERT_EQ(read.value().size(), c.records.size());
        for (std::size_t i = 0; i < c.records.size(); ++i) {
            EXPECT_EQ(read.value()[i].line, c.records[i].first);
            EXPECT_EQ(read.value()[i].fields, c.records[i].second);
        }
    }
}

TEST(CsvReader, TabDialectWithoutCommentsReadsClipboardText)
{
    auto read = readCsv("#1\t462.5\t\"a\tb\"\n", CsvDialect{'\t', false}, test::englishStrings());
    ASSERT_TRUE(read.ok());
    ASSERT_EQ(read.value().size(), 1u);
    EXPECT_EQ(read.value()[0].fields, (Fields{"#1", "462.5", "a\tb"}));
}

TEST(CsvReader, RefusesWholeInputWithTheReason)
{
    const StringTable& en = test::englishStrings();
    const std::string atLimit(kMaxInterchangeBytes, 'a');
    EXPECT_TRUE(readCsv(atLimit, CsvDialect{}, en).ok());

    struct Case {
        const char* name;
        std::string text;
        std::string message;
    } cases[] = {
        {"one byte above 1 MiB", atLimit + "a", "The file is larger than 1 MiB."},
        {"a quote never closed names the line it opened on", "a,b\r\nc,\"open\r\nmore\r\n",
         "Line 2: a quoted field is not closed."},
        {"bytes that are not UTF-8 name their line", "a,b\r\nc,\xB2\xE2\r\n", "Line 2 is not UTF-8 text."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto read = readCsv(c.text, CsvDialect{}, en);
        ASSERT_FALSE(read.ok());
        EXPECT_EQ(read.error().message, c.message);
    }
}

TEST(CsvWriter, QuotesOnlyWhatAReaderWouldMisread)
{
    struct Case {
        Fields fields;
        std::string line;
    } cases[] = {
        {{"1", "REP 1", "462.562500"}, "1,REP 1,462.562500"},
        {{"a,b", "say \"hi\"", ""}, "\"a,b\",\"say \"\"hi\"\"\","},
        {{"two\nlines", "#tag"}, "\"two\nlines\",\"#tag\""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(formatCsvRecord(c.fields, ','), c.line);
        auto back = readCsv(c.line + "\r\n", CsvDialect{}, test::englishStrings());
        ASSERT_TRUE(back.ok());
        ASSERT_EQ(back.value().size(), 1u);
        EXPECT_EQ(back.value()[0].fields, c.fields);
    }
    EXPECT_EQ(formatCsvRecord({"a,b", "c\td"}, '\t'), "a,b\t\"c\td\"");
}

}  // namespace
}  // namespace qx
