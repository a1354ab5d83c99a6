// CHIRP CSV import: the row mapping, every refusal with its reason, placement and warnings,
// from small hand-written files.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "interchange/chirp_csv.h"
#include "interchange/interchange_support.h"

namespace qx {
namespace {

constexpr const char* kHeader21 =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,RxDtcsCode,"
    "CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE\r\n";
// Files of older versions stop after Comment.
constexpr const char* kHeader17 =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,RxDtcsCode,"
    "CrossMode,Mode,TStep,Skip,Power,Comment\r\n";

Preview importText(const std::string& text, const Codeplug& doc, ChirpImportOptions options = {})
{
    auto preview = previewChirpImport(text, doc, options, test::englishStrings());
    EXPECT_TRUE(preview.ok()) << (preview.ok() ? "" : preview.error().message);
    return preview.ok() ? preview.value() : Preview{};
}

// The one channel a one-row file gives, applied to a copy of doc.
Codeplug importOne(const std::string& header, const std::string& row, const Codeplug& doc)
{
    const Preview p = importText(header + row + "\r\n", doc);
    EXPECT_TRUE(p.refused.empty()) << (p.refused.empty() ? "" : p.refused[0].reason);
    EXPECT_EQ(p.replacedCount(), 1);
    Codeplug out = doc;
    applyPreview(p, out);
    return out;
}

TEST(ChirpImport, ToneColumnsMapByEveryRowOfTheToneTable)
{
    const Codeplug doc = test::bandDocument();
    // rToneFreq 100.0, cToneFreq 123.0, DtcsCode 114, RxDtcsCode 754, polarity TX R, RX N: every
    // source is told apart by its value.
    struct Case {
        const char* tone;
        const char* cross;
        const char* encode;
        const char* decode;
    } cases[] = {
        {"", "Tone->Tone", "OFF", "OFF"},
        {"Tone", "", "100.0", "OFF"},
        {"TSQL", "", "123.0", "123.0"},
        {"DTCS", "", "D114I", "D114N"},
        {"Cross", "Tone->Tone", "100.0", "123.0"},
        {"Cross", "Tone->DTCS", "100.0", "D754N"},
        {"Cross", "DTCS->Tone", "D114I", "123.0"},
        {"Cross", "DTCS->DTCS", "D114I", "D754N"},
        {"Cross", "Tone->", "100.0", "OFF"},
        {"Cross", "->Tone", "OFF", "123.0"},
        {"Cross", "DTCS->", "D114I", "OFF"},
        {"Cross", "->DTCS", "OFF", "D754N"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.tone) + " " + c.cross);
        const Codeplug out = importOne(
            kHeader21,
            std::string("1,,462.562500,,0.000000,") + c.tone + ",100.0,123.0,114,RN,754," + c.cross +
                ",FM,12.50,,5.0W,,,,,",
            doc);
        EXPECT_EQ(out.channels().cell(col::TxTone, 1), c.encode);
        EXPECT_EQ(out.channels().cell(col::RxTone, 1), c.decode);
        EXPECT_EQ(out.extras().cell(xcol::TxCode, 1), std::to_string(out.tones().indexOf(c.encode)));
        EXPECT_EQ(out.extras().cell(xcol::RxCode, 1), std::to_string(out.tones().indexOf(c.decode)));
    }
}

TEST(ChirpImport, PolarityLettersAreTransmitThenReceive)
{
    const Codeplug doc = test::bandDocument();
    struct Case {
        const char* polarity;
        const char* encode;
        const char* decode;
    } cases[] = {{"NN", "D023N", "D023N"}, {"NR", "D023N", "D023I"}, {"RN", "D023I", "D023N"}, {"RR", "D023I", "D023I"},
                 {"rn", "D023I", "D023N"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.polarity);
        // DCS codes are sometimes written without leading zeros.
        const Codeplug out = importOne("Frequency,Tone,DtcsCode,DtcsPolarity\r\n",
                                       std::string("462.5625,DTCS,23,") + c.polarity, doc);
        EXPECT_EQ(out.channels().cell(col::TxTone, 1), c.encode);
        EXPECT_EQ(out.channels().cell(col::RxTone, 1), c.decode);
    }
}

TEST(ChirpImport, DuplexAndOffsetGiveTheTransmitFrequency)
{
    const Codeplug doc = test::bandDocument();
    struct Case {
        const char* name;
        const char* duplex;
        const char* offset;
        const char* tx;
    } cases[] = {
        {"empty duplex ignores the offset", "", "5.000000", "462.56250"},
        {"plus", "+", "5.000000", "467.56250"},
        {"minus", "-", "0.6", "461.96250"},
        {"split takes the offset as TX", "split", "450.012500", "450.01250"},
        {"off: no TX", "off", "5.000000", ""},
        {"plus with an empty offset", "+", "", "462.56250"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Codeplug out = importOne("Frequency,Duplex,Offset\r\n",
                                       std::string("462.562500,") + c.duplex + "," + c.offset, doc);
        EXPECT_EQ(out.channels().cell(col::Rx, 1), "462.56250");
        EXPECT_EQ(out.channels().cell(col::Tx, 1), c.tx);
    }
}

TEST(ChirpImport, PowerModeSkipAndNameCells)
{
    const Codeplug doc = test::bandDocument();
    struct Case {
        const char* power;
        const char* power_word;
    } powers[] = {{"5.0W", "High"}, {"50W", "High"}, {"4", "High"}, {"4.0W", "High"}, {"3.9W", "Low"},
                  {"1.0W", "Low"},  {"0.5", "Low"},  {"high", "High"}, {"LOW", "Low"}, {"", "High"}};
    for (const Case& c : powers) {
        SCOPED_TRACE(c.power);
        EXPECT_EQ(importOne("Frequency,Power\r\n", std::string("462.5625,") + c.power, doc).channels().cell(col::Power, 1),
                  c.power_word);
    }
    struct ModeCase {
        const char* mode;
        const char* bandwidth;
    } modes[] = {{"FM", "Wide"}, {"NFM", "Narrow"}, {"", "Wide"}};
    for (const ModeCase& c : modes) {
        SCOPED_TRACE(c.mode);
        EXPECT_EQ(importOne("Frequency,Mode\r\n", std::string("462.5625,") + c.mode, doc).channels().cell(col::Bandwidth, 1),
                  c.bandwidth);
    }
    EXPECT_EQ(importOne("Frequency,Skip\r\n", "462.5625,S", doc).channels().cell(col::ScanAdd, 1), "OFF");
    EXPECT_EQ(importOne("Frequency,Skip\r\n", "462.5625,P", doc).channels().cell(col::ScanAdd, 1), "ON");
    EXPECT_EQ(importOne("Frequency,Skip\r\n", "462.5625,", doc).channels().cell(col::ScanAdd, 1), "ON");

    // The cells the format does not carry take the new-channel values.
    const Codeplug out = importOne("Frequency,Name\r\n", "462.5625,Base", doc);
    EXPECT_EQ(out.channels().cell(col::Alias, 1), "BASE");
    EXPECT_EQ(out.channels().cell(col::Dtmf, 1), "OFF");
    EXPECT_EQ(out.channels().cell(col::PttId, 1), "OFF");
    EXPECT_EQ(out.extras().cell(xcol::TailElim, 1), "ON");
    EXPECT_EQ(out.extras().cell(xcol::Vox, 1), "OFF");
    EXPECT_EQ(out.extras().cell(xcol::BusyLock, 1), "OFF");
    EXPECT_EQ(out.extras().cell(xcol::VoiceMode, 1), "OFF");
}

TEST(ChirpImport, NamesBecomeAliasesWithAWarningWhenTheyChange)
{
    const Codeplug doc = test::bandDocument();
    struct Case {
        const char* name;
        const char* alias;
        bool warned;
    } cases[] = {
        {"CH-1", "CH-1", false},
        {"  GMRS1 ", "GMRS1", false},
        {"gmrs", "GMRS", true},
        {"Repeater", "REPEAT", true},
        {"A#B", "AB", true},
        {"\"Rep, 1\"", "REP 1", true},
        {"中继1", "1", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Preview p = importText(std::string("Frequency,Name\r\n462.5625,") + c.name + "\r\n", doc);
        ASSERT_EQ(p.channels.size(), 1u);
        EXPECT_EQ(p.channels[0].data->alias, c.alias);
        EXPECT_EQ(p.warnings.size(), c.warned ? 1u : 0u);
    }
    const Preview p = importText("Frequency,Name\r\n462.5625,gmrs\r\n", doc);
    ASSERT_EQ(p.warnings.size(), 1u);
    EXPECT_EQ(p.warnings[0], (InterchangeWarning{2, "\"gmrs\" is stored as alias \"GMRS\""}));
}

TEST(ChirpImport, RefusesARowWithItsColumnValueAndReason)
{
    Codeplug doc = test::bandDocument();
    struct Case {
        const char* name;
        std::string header;
        std::string row;
        Refusal refusal;  // line 2
    } cases[] = {
        {"frequency not a number", "Frequency", "abc", {2, "Frequency", "abc", "not a number"}},
        {"empty frequency", "Name,Frequency", "X,", {2, "Frequency", "", "not a number"}},
        {"negative frequency", "Frequency", "-462.5", {2, "Frequency", "-462.5", "not a number"}},
        {"offset not a number", "Frequency,Duplex,Offset", "462.5625,+,five",
         {2, "Offset", "five", "not a number"}},
        {"CTCSS not in the tone list", "Frequency,Tone,rToneFreq", "462.5625,Tone,69.4",
         {2, "rToneFreq", "69.4", "not in this radio's tone list"}},
        {"CTCSS of the decode side", "Frequency,Tone,cToneFreq", "462.5625,TSQL,300.0",
         {2, "cToneFreq", "300.0", "not in this radio's tone list"}},
        {"DCS code not in the list", "Frequency,Tone,DtcsCode", "462.5625,DTCS,028",
         {2, "DtcsCode", "028", "not in this radio's tone list"}},
        {"receive DCS code not in the list", "Frequency,Tone,CrossMode,RxDtcsCode", "462.5625,Cross,->DTCS,8",
         {2, "RxDtcsCode", "8", "not in this radio's tone list"}},
        {"mode AM", "Frequency,Mode", "462.5625,AM", {2, "Mode", "AM", "only FM and NFM can be used"}},
        {"mode DV", "Frequency,Mode", "462.5625,DV", {2, "Mode", "DV", "only FM and NFM can be used"}},
        {"RX above the band", "Frequency", "476.5",
         {2, "Frequency", "476.5", "476.500000 MHz is outside the receive range 400-470MHz of the selected band"}},
        {"RX below the band", "Frequency", "399.9875",
         {2, "Frequency", "399.9875", "399.987500 MHz is outside the receive range 400-470MHz of the selected band"}},
        {"TX above the band", "Frequency,Duplex,Offset", "465.0,+,10",
         {2, "Offset", "10", "475.000000 MHz is outside the receive range 400-470MHz of the selected band"}},
        {"split TX below the band", "Frequency,Duplex,Offset", "465.0,split,146.52",
         {2, "Offset", "146.52", "146.520000 MHz is outside the receive range 400-470MHz of the selected band"}},
        {"RX off the raster", "Frequency", "462.5631",
         {2, "Frequency", "462.5631", "462.563100 MHz is not on the 5 kHz or 6.25 kHz raster"}},
        {"RX finer than the normalisation keeps", "Frequency", "462.56251",
         {2, "Frequency", "462.56251", "462.562510 MHz is not on the 5 kHz or 6.25 kHz raster"}},
        {"below 1 Hz", "Frequency", "462.5625001",
         {2, "Frequency", "462.5625001", "462.5625001 MHz is not on the 5 kHz or 6.25 kHz raster"}},
        {"TX off the raster", "Frequency,Duplex,Offset", "462.5625,-,0.0012",
         {2, "Offset", "0.0012", "462.561300 MHz is not on the 5 kHz or 6.25 kHz raster"}},
        {"unknown duplex", "Frequency,Duplex", "462.5625,x", {2, "Duplex", "x", "not a value this column can hold"}},
        {"unknown tone mode", "Frequency,Tone", "462.5625,DTCS-R",
         {2, "Tone", "DTCS-R", "not a value this column can hold"}},
        {"unknown cross mode", "Frequency,Tone,CrossMode", "462.5625,Cross,Tone->X",
         {2, "CrossMode", "Tone->X", "not a value this column can hold"}},
        {"bad polarity", "Frequency,Tone,DtcsPolarity", "462.5625,DTCS,NX",
         {2, "DtcsPolarity", "NX", "not a value this column can hold"}},
        {"unknown power", "Frequency,Power", "462.5625,Mid", {2, "Power", "Mid", "not a value this column can hold"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Preview p = importText(c.header + "\r\n" + c.row + "\r\n", doc);
        EXPECT_TRUE(p.channels.empty());
        ASSERT_EQ(p.refused.size(), 1u);
        EXPECT_EQ(p.refused[0], c.refusal);
    }

    // Unused tone columns are not looked at: a Tone of "" ignores a broken rToneFreq.
    EXPECT_TRUE(importText("Frequency,Tone,rToneFreq,DtcsPolarity\r\n462.5625,,69.4,XX\r\n", doc).refused.empty());
    // The range is the one Band selects; without digits it has no limits, and only the raster counts.
    doc.settings().assign(keys::ExpFreq, 1);
    doc.settings().assign(keys::Band, 0);
    EXPECT_EQ(importText("Frequency\r\n146.52\r\n", doc).replacedCount(), 1);
    EXPECT_EQ(importText("Frequency\r\n462.5625\r\n", doc).refused.size(), 1u);
    doc.settings().setBandList(keys::BandRx1, {"band"}, 0);
    EXPECT_EQ(importText("Frequency\r\n520.0\r\n", doc).replacedCount(), 1);
    EXPECT_EQ(importText("Frequency\r\n520.0012\r\n", doc).refused.size(), 1u);
}

TEST(ChirpImport, RefusalReasonsFollowTheStrings)
{
    const Codeplug doc = test::bandDocument();
    const Preview p = importText("Frequency\r\nabc\r\n", doc);
    ASSERT_EQ(p.refused.size(), 1u);
    EXPECT_EQ(refusalText(p.refused[0], test::englishStrings()), "Frequency \"abc\": not a number");
    auto zh = previewChirpImport("Frequency\r\nabc\r\n", doc, {}, StringTable::builtIn());
    ASSERT_TRUE(zh.ok());
    EXPECT_EQ(refusalText(zh.value().refused[0], StringTable::builtIn()), "Frequency \"abc\"：不是数字");
}

TEST(ChirpImport, HandWrittenFilesOf17And21Columns)
{
    const Codeplug doc = test::bandDocument();
    // 17 columns, a comment line, quoted fields, "476.5" (outside the band), an empty Offset.
    const std::string file17 = std::string("# exported for the club\r\n") + kHeader17 +
                               "1,\"Rep, 1\",462.550000,+,5.000000,Tone,88.5,88.5,023,NN,023,Tone->Tone,FM,12.50,,5.0W,\"Club \"\"A\"\"\"\r\n"
                               "2,Far,476.5,,,,88.5,88.5,023,NN,023,Tone->Tone,NFM,12.50,,1.0W,\r\n"
                               "3,Simplex,446.00625,+,,,88.5,88.5,023,NN,023,Tone->Tone,NFM,6.25,S,1.0W,\r\n";
    const Preview p17 = importText(file17, doc);
    ASSERT_EQ(p17.channels.size(), 2u);
    EXPECT_EQ(p17.channels[0].channel, 1);
    EXPECT_EQ(p17.channels[0].line, 3);
    EXPECT_EQ(p17.channels[1].channel, 2);  // the refused row takes no channel
    EXPECT_EQ(p17.channels[1].line, 5);
    ASSERT_EQ(p17.refused.size(), 1u);
    EXPECT_EQ(p17.refused[0].line, 4);
    EXPECT_EQ(p17.refused[0].value, "476.5");
    EXPECT_EQ(p17.warnings, (std::vector<InterchangeWarning>{{3, "\"Rep, 1\" is stored as alias \"REP 1\""},
                                                             {3, "comment \"Club \"A\"\" is not kept"},
                                                             {5, "\"Simplex\" is stored as alias \"SIMPLE\""}}));
    Codeplug out = doc;
    applyPreview(p17, out);
    EXPECT_EQ(out.channels().cell(col::Rx, 1), "462.55000");
    EXPECT_EQ(out.channels().cell(col::Tx, 1), "467.55000");
    EXPECT_EQ(out.channels().cell(col::TxTone, 1), "88.5");
    EXPECT_EQ(out.channels().cell(col::Rx, 2), "446.00625");
    EXPECT_EQ(out.channels().cell(col::Tx, 2), "446.00625");
    EXPECT_EQ(out.channels().cell(col::Power, 2), "Low");
    EXPECT_EQ(out.channels().cell(col::Bandwidth, 2), "Narrow");
    EXPECT_EQ(out.channels().cell(col::ScanAdd, 2), "OFF");
    EXPECT_TRUE(out.isEmptyChannel(3));

    // 21 columns in another order, with the byte-order mark a spreadsheet writes.
    const std::string file21 = std::string("\xEF\xBB\xBF") +
                               "Frequency,Location,Power,Tone,cToneFreq,Name,Mode,Duplex,Offset,rToneFreq,DtcsCode,"
                               "DtcsPolarity,RxDtcsCode,CrossMode,TStep,Skip,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE\r\n"
                               "462.575000,7,5.0W,TSQL,141.3,GMRS7,FM,,0.000000,88.5,023,NN,023,Tone->Tone,25.00,,,,,,\r\n";
    const Preview p21 = importText(file21, doc);
    ASSERT_EQ(p21.channels.size(), 1u);
    EXPECT_TRUE(p21.refused.empty());
    EXPECT_TRUE(p21.warnings.empty());
    EXPECT_EQ(p21.channels[0].channel, 1);  // file order, Location not used
    EXPECT_EQ(p21.channels[0].data->rx, "462.57500");
    EXPECT_EQ(p21.channels[0].data->rxTone, doc.tones().indexOf("141.3"));
    EXPECT_EQ(p21.channels[0].data->txTone, doc.tones().indexOf("141.3"));
    EXPECT_EQ(p21.channels[0].data->alias, "GMRS7");
}

TEST(ChirpImport, RefusesAFileWithoutTheColumnsItNeeds)
{
    const Codeplug doc = test::bandDocument();
    const StringTable& en = test::englishStrings();
    auto noFrequency = previewChirpImport("Location,Name\r\n1,A\r\n", doc, {}, en);
    ASSERT_FALSE(noFrequency.ok());
    EXPECT_EQ(noFrequency.error().message, "The header has no Frequency column.");
    auto empty = previewChirpImport("", doc, {}, en);
    ASSERT_FALSE(empty.ok());
    auto noLocation = previewChirpImport("Frequency\r\n462.5625\r\n", doc, {1, true}, en);
    ASSERT_FALSE(noLocation.ok());
    EXPECT_EQ(noLocation.error().message, "The header has no Location column.");
}

TEST(ChirpImport, PlacesInFileOrderFromTheStartChannelOrByLocation)
{
    const Codeplug doc = test::bandDocument();
    const std::string rows = "Location,Frequency\r\n5,462.5625\r\n\r\n,,\r\n3,462.5875\r\n";
    Preview p = importText(rows, doc, {120, false});
    ASSERT_EQ(p.channels.size(), 2u);
    EXPECT_EQ(p.channels[0].channel, 120);
    EXPECT_EQ(p.channels[1].channel, 121);
    EXPECT_TRUE(p.refused.empty());  // blank rows are passed over

    p = importText(rows, doc, {120, true});
    ASSERT_EQ(p.channels.size(), 2u);
    EXPECT_EQ(p.channels[0].channel, 5);
    EXPECT_EQ(p.channels[1].channel, 3);

    p = importText("Location,Frequency\r\n0,462.5625\r\n129,462.5625\r\nx,462.5625\r\n4,462.5625\r\n4,462.6\r\n",
                   doc, {1, true});
    ASSERT_EQ(p.channels.size(), 1u);
    EXPECT_EQ(p.channels[0].channel, 4);
    EXPECT_EQ(p.refused, (std::vector<Refusal>{{2, "Location", "0", "the channel must be 1 to 128"},
                                               {3, "Location", "129", "the channel must be 1 to 128"},
                                               {4, "Location", "x", "not a number"},
                                               {6, "Location", "4", "channel 4 is already taken by line 5"}}));

    // More rows than channels: the rows after the last channel are refused.
    std::string many = "Frequency\r\n";
    for (int i = 0; i < 4; ++i)
        many += "462.5625\r\n";
    p = importText(many, doc, {126, false});
    EXPECT_EQ(p.replacedCount(), 3);
    EXPECT_EQ(p.refused, (std::vector<Refusal>{{5, "", "", "no channel is left for this row"}}));
}

TEST(ChirpImport, PreviewChangesNothingAndApplyUsesTheWordsInUse)
{
    Codeplug doc = test::bandDocument(4, StringTable::builtIn());
    doc.channels().setCell(col::Rx, 2, "450.00000");
    doc.fillDefaults(2);
    const Codeplug before = doc;
    auto preview = previewChirpImport("Frequency,Power\r\n462.5625,1.0W\r\n462.5875,5W\r\n", doc, {}, StringTable::builtIn());
    ASSERT_TRUE(preview.ok());
    for (int row = 1; row <= 2; ++row)
        for (int c = 0; c < col::Count; ++c)
            EXPECT_EQ(doc.channels().cell(c, row), before.channels().cell(c, row));

    applyLanguage(test::englishStrings(), doc);
    applyPreview(preview.value(), doc);
    EXPECT_EQ(doc.channels().cell(col::Rx, 2), "462.58750");
    EXPECT_EQ(doc.channels().cell(col::Power, 1), "Low");
    EXPECT_EQ(doc.channels().cell(col::RxTone, 1), "OFF");
}

}  // namespace
}  // namespace qx
