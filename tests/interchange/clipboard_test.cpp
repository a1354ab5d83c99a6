// The clipboard text of channels: copying a range, pasting it back, and pasting what spreadsheets
// and other languages' copies give.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "interchange/clipboard.h"
#include "interchange/interchange_support.h"

namespace qx {
namespace {

constexpr const char* kEnglishHeader =
    "RX Freq\tRX QT/DQT\tTX Freq\tTX QT/DQT\tTX Power\tBandwidth\tScan Add\tDTMF\tPTT ID\tAlias\tTail Elim.\tVOX\t"
    "Busy Lock\tVoice Mode\n";

Codeplug sampleDocument(const StringTable& strings = test::englishStrings())
{
    Codeplug doc = test::bandDocument(4, strings);
    const DisplayWords& w = doc.words();
    doc.channels().setCell(col::Rx, 1, "462.56250");
    doc.fillDefaults(1);
    doc.channels().setCell(col::Rx, 3, "446.00625");
    doc.fillDefaults(3);
    doc.channels().setCell(col::Tx, 3, "");
    doc.channels().setCell(col::RxTone, 3, "D023I");
    doc.extras().setCell(xcol::RxCode, 3, std::to_string(doc.tones().indexOf("D023I")));
    doc.channels().setCell(col::TxTone, 3, "67.0");
    doc.extras().setCell(xcol::TxCode, 3, "2");
    doc.channels().setCell(col::Power, 3, w.low);
    doc.channels().setCell(col::Bandwidth, 3, w.narrow);
    doc.channels().setCell(col::ScanAdd, 3, w.off);
    doc.channels().setCell(col::Dtmf, 3, w.on);
    doc.channels().setCell(col::PttId, 3, w.on);
    doc.channels().setCell(col::Alias, 3, "BASE");
    doc.extras().setCell(xcol::TailElim, 3, w.off);
    doc.extras().setCell(xcol::Vox, 3, w.on);
    doc.extras().setCell(xcol::BusyLock, 3, w.on);
    doc.extras().setCell(xcol::VoiceMode, 3, w.scrambler);
    return doc;
}

Preview paste(const std::string& text, const Codeplug& doc, int start = 1)
{
    auto preview = previewPaste(text, doc, start, test::englishStrings());
    EXPECT_TRUE(preview.ok()) << (preview.ok() ? "" : preview.error().message);
    return preview.ok() ? preview.value() : Preview{};
}

void expectSameChannel(const Codeplug& a, int rowA, const Codeplug& b, int rowB)
{
    for (int c = col::Rx; c <= col::Alias; ++c)
        EXPECT_EQ(a.channels().cell(c, rowA), b.channels().cell(c, rowB)) << "column " << c;
    for (int c = xcol::TailElim; c <= xcol::VoiceMode; ++c)
        EXPECT_EQ(a.extras().cell(c, rowA), b.extras().cell(c, rowB)) << "extras column " << c;
}

TEST(ClipboardFormat, HeaderAndWordsAreThoseOfTheCurrentLanguage)
{
    const Codeplug en = sampleDocument();
    EXPECT_EQ(formatClipboard(en, 1, 3), std::string(kEnglishHeader) +
                                             "462.56250\tOFF\t462.56250\tOFF\tHigh\tWide\tON\tOFF\tOFF\t\tON\tOFF\tOFF\tOFF\n"
                                             "\t\t\t\t\t\t\t\t\t\t\t\t\t\n"
                                             "446.00625\tD023I\t\t67.0\tLow\tNarrow\tOFF\tON\tON\tBASE\tOFF\tON\tON\tscrambler\n");
    const Codeplug zh = sampleDocument(StringTable::builtIn());
    EXPECT_EQ(formatClipboard(zh, 1, 1),
              "接收频率\tQT/DQT解码\t发射频率\tQT/DQT编码\t发射功率\t宽/窄带\t扫描添加\tDTMF\tPTT ID\t信道别名\t尾音消除\tVOX\t"
              "繁忙锁定\t语音模式\n"
              "462.56250\t禁用\t462.56250\t禁用\t高功率\t宽带\t启用\t禁用\t禁用\t\t启用\t禁用\t禁用\t禁用\n");
}

TEST(ClipboardPaste, CopiedChannelsPasteBackElsewhereUnchanged)
{
    Codeplug doc = sampleDocument();
    const std::string copied = formatClipboard(doc, 1, 3);
    const Preview p = paste(copied, doc, 10);
    EXPECT_TRUE(p.refused.empty());
    EXPECT_TRUE(p.warnings.empty());
    ASSERT_EQ(p.replacedCount(), 3);
    EXPECT_EQ(p.channels[0].channel, 10);
    EXPECT_EQ(p.channels[2].channel, 12);
    EXPECT_EQ(p.channels[2].line, 4);
    doc.channels().setCell(col::Rx, 11, "450.00000");
    doc.fillDefaults(11);
    applyPreview(p, doc);
    expectSameChannel(doc, 10, doc, 1);
    expectSameChannel(doc, 12, doc, 3);
    EXPECT_TRUE(doc.isEmptyChannel(11));  // the copied empty channel empties its target
    EXPECT_EQ(doc.extras().cell(xcol::TailElim, 11), "");
}

TEST(ClipboardPaste, AnotherLanguagesCopyTakesThisLanguagesWords)
{
    const Codeplug zh = sampleDocument(StringTable::builtIn());
    const Codeplug en = sampleDocument();
    // Copied from a copy running in English, pasted into one running in Simplified Chinese.
    Codeplug target = test::bandDocument(4, StringTable::builtIn());
    const Preview p = paste(formatClipboard(en, 3, 3), target, 3);
    ASSERT_TRUE(p.refused.empty());
    applyPreview(p, target);
    expectSameChannel(target, 3, zh, 3);

    // Traditional Chinese headers in another order and only some columns.
    const Preview tw = paste("頻道名稱\t接收頻率\t發射功率\t寬/窄帶\t語音模式\r\nA1\t462.5625\t低功率\t窄帶\t壓擴\r\n", target, 5);
    ASSERT_TRUE(tw.refused.empty());
    applyPreview(tw, target);
    EXPECT_EQ(target.channels().cell(col::Rx, 5), "462.56250");
    EXPECT_EQ(target.channels().cell(col::Tx, 5), "462.56250");  // no TX column: TX = RX
    EXPECT_EQ(target.channels().cell(col::Alias, 5), "A1");
    EXPECT_EQ(target.channels().cell(col::Power, 5), "低功率");
    EXPECT_EQ(target.channels().cell(col::Bandwidth, 5), "窄带");
    EXPECT_EQ(target.extras().cell(xcol::VoiceMode, 5), "压扩");
    EXPECT_EQ(target.channels().cell(col::ScanAdd, 5), "启用");
}

TEST(ClipboardPaste, SwitchWordsInAnyRecognisedFormAndCase)
{
    const Codeplug doc = test::bandDocument();
    struct Case {
        const char* word;
        bool on;
    } cases[] = {{"ON", true},  {"on", true},   {"启用", true}, {"啟用", true}, {"OFF", false},
                 {"off", false}, {"禁用", false}, {"", true}};  // empty: scan add's new-channel value
    for (const Case& c : cases) {
        SCOPED_TRACE(c.word);
        const Preview p = paste(std::string("RX Freq\tScan Add\n462.5625\t") + c.word + "\n", doc);
        ASSERT_EQ(p.channels.size(), 1u);
        EXPECT_EQ(p.channels[0].data->scanAdd, c.on);
    }
    const Preview p = paste("RX Freq\tTX Power\tBandwidth\tVoice Mode\n462.5625\thigh\tnarrow\tComp\n", doc);
    ASSERT_EQ(p.channels.size(), 1u);
    EXPECT_TRUE(p.channels[0].data->highPower);
    EXPECT_FALSE(p.channels[0].data->wide);
    EXPECT_EQ(p.channels[0].data->voice, VoiceMode::Compander);
}

TEST(ClipboardPaste, WithoutAHeaderFieldsGoByPosition)
{
    const Codeplug doc = test::bandDocument();
    const Preview p = paste("462.5625\t67\t467.5625\td23n\tLow\n446.00625\n", doc, 7);
    ASSERT_TRUE(p.refused.empty());
    ASSERT_EQ(p.channels.size(), 2u);
    const ChannelData& a = *p.channels[0].data;
    EXPECT_EQ(p.channels[0].line, 1);
    EXPECT_EQ(a.rx, "462.56250");
    EXPECT_EQ(a.rxTone, doc.tones().indexOf("67.0"));  // a spreadsheet shows 67.0 as 67
    EXPECT_EQ(a.tx, "467.56250");
    EXPECT_EQ(a.txTone, doc.tones().indexOf("D023N"));
    EXPECT_FALSE(a.highPower);
    EXPECT_TRUE(a.wide);
    EXPECT_TRUE(a.tailElim);
    const ChannelData& b = *p.channels[1].data;
    EXPECT_EQ(p.channels[1].channel, 8);
    EXPECT_EQ(b.tx, "446.00625");
}

TEST(ClipboardPaste, SpreadsheetTextWithARefusedRow)
{
    Codeplug doc = sampleDocument();
    const Codeplug before = doc;
    // As a spreadsheet copies it: CR LF, a header row, a trailing empty row.
    const std::string text =
        "RX Freq\tTX Freq\tRX QT/DQT\tAlias\tNotes\r\n"
        "462.5625\t462.5625\t88.5\tlocal\tclub\r\n"
        "476.5\t476.5\t\tFAR\t\r\n"
        "462.5875\t462.5875\t69.4\t\t\r\n"
        "462.6125\t\tD754I\t\t\r\n"
        "\t\t\t\t\r\n";
    const Preview p = paste(text, doc, 2);
    EXPECT_EQ(p.refused, (std::vector<Refusal>{
                             {3, "RX Freq", "476.5",
                              "476.500000 MHz is outside the receive range 400-470MHz of the selected band"},
                             {4, "RX QT/DQT", "69.4", "not in this radio's tone list"}}));
    EXPECT_EQ(p.warnings, (std::vector<InterchangeWarning>{{1, "column \"Notes\" is not known and is ignored"},
                                                           {2, "\"local\" is stored as alias \"LOCAL\""}}));
    ASSERT_EQ(p.replacedCount(), 2);
    EXPECT_EQ(p.channels[0].channel, 2);
    EXPECT_EQ(p.channels[1].channel, 3);
    EXPECT_EQ(p.channels[1].line, 5);
    // Nothing changes until the preview is applied.
    expectSameChannel(doc, 3, before, 3);
    applyPreview(p, doc);
    EXPECT_EQ(doc.channels().cell(col::Rx, 3), "462.61250");
    EXPECT_EQ(doc.channels().cell(col::Tx, 3), "");
    EXPECT_EQ(doc.channels().cell(col::RxTone, 3), "D754I");
    EXPECT_EQ(doc.extras().cell(xcol::RxCode, 3), "265");
    EXPECT_TRUE(doc.isEmptyChannel(4));
}

TEST(ClipboardPaste, RefusesUnknownWordsAndRowsPastTheLastChannel)
{
    const Codeplug doc = test::bandDocument();
    const Preview p = paste("RX Freq\tTX Power\tScan Add\tVoice Mode\n462.5625\tMid\t\t\n462.5625\t\tyes\t\n"
                            "462.5625\t\t\tloud\n462.5625\n462.5625\n",
                            doc, 128);
    EXPECT_EQ(p.refused, (std::vector<Refusal>{{2, "TX Power", "Mid", "not a value this column can hold"},
                                               {3, "Scan Add", "yes", "not a value this column can hold"},
                                               {4, "Voice Mode", "loud", "not a value this column can hold"},
                                               {6, "", "", "no channel is left for this row"}}));
    ASSERT_EQ(p.replacedCount(), 1);
    EXPECT_EQ(p.channels[0].line, 5);

    auto noRx = previewPaste("TX Freq\tAlias\n462.5625\tA\n", doc, 1, test::englishStrings());
    ASSERT_FALSE(noRx.ok());
    EXPECT_EQ(noRx.error().message, "The header has no RX Freq column.");
}

TEST(ClipboardPaste, ChirpCsvTextIsPastedLikeAnImport)
{
    const Codeplug doc = test::bandDocument();
    const Preview p = paste("Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq\r\n"
                            "1,Rep,462.550000,+,5.000000,Tone,100.0\r\n",
                            doc, 20);
    ASSERT_EQ(p.replacedCount(), 1);
    EXPECT_EQ(p.channels[0].channel, 20);
    EXPECT_EQ(p.channels[0].data->tx, "467.55000");
    EXPECT_EQ(p.channels[0].data->txTone, doc.tones().indexOf("100.0"));
    EXPECT_EQ(p.channels[0].data->alias, "REP");
}

}  // namespace
}  // namespace qx
