// CHIRP CSV export, and export followed by import.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "interchange/chirp_csv.h"
#include "interchange/interchange_support.h"

namespace qx {
namespace {

constexpr const char* kHeader =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,RxDtcsCode,"
    "CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE\r\n";

// A filled channel with the given cells; tones as tone list texts, "" for Off.
void setChannel(Codeplug& doc, int row, const std::string& rx, const std::string& tx, const std::string& decode = "",
                const std::string& encode = "")
{
    doc.channels().setCell(col::Rx, row, rx);
    doc.fillDefaults(row);
    doc.channels().setCell(col::Tx, row, tx);
    const auto tone = [&doc](const std::string& t) { return t.empty() ? doc.words().off : t; };
    doc.channels().setCell(col::RxTone, row, tone(decode));
    doc.channels().setCell(col::TxTone, row, tone(encode));
    doc.extras().setCell(xcol::RxCode, row, std::to_string(doc.tones().indexOf(tone(decode))));
    doc.extras().setCell(xcol::TxCode, row, std::to_string(doc.tones().indexOf(tone(encode))));
}

TEST(ChirpExport, WritesTheTwentyOneColumnsWithCrLf)
{
    Codeplug doc = test::bandDocument(3);  // 12.5 kHz
    setChannel(doc, 1, "462.56250", "462.56250");
    doc.channels().setCell(col::Alias, 1, "GMRS1");
    setChannel(doc, 2, "462.55000", "467.55000", "", "88.5");
    doc.channels().setCell(col::Power, 2, doc.words().low);
    doc.channels().setCell(col::Bandwidth, 2, doc.words().narrow);
    doc.channels().setCell(col::ScanAdd, 2, doc.words().off);
    setChannel(doc, 4, "446.00625", "445.40625", "D023I", "D023N");
    setChannel(doc, 5, "450.00000", "", "67.0", "67.0");
    setChannel(doc, 128, "469.97500", "350.00000");
    const ChirpExport out = exportChirpCsv(doc, test::englishStrings());
    EXPECT_EQ(out.csv, std::string(kHeader) +
                           "1,GMRS1,462.562500,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,12.50,,5.0W,,,,,\r\n"
                           "2,,462.550000,+,5.000000,Tone,88.5,88.5,023,NN,023,Tone->Tone,NFM,12.50,S,1.0W,,,,,\r\n"
                           "4,,446.006250,-,0.600000,DTCS,88.5,88.5,023,NR,023,Tone->Tone,FM,12.50,,5.0W,,,,,\r\n"
                           "5,,450.000000,off,0.000000,TSQL,88.5,67.0,023,NN,023,Tone->Tone,FM,12.50,,5.0W,,,,,\r\n"
                           "128,,469.975000,split,350.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,12.50,,5.0W,,,,,\r\n");
    EXPECT_TRUE(out.warnings.empty());
}

TEST(ChirpExport, SplitOnlyFromOneHundredMegahertzApart)
{
    Codeplug doc;  // no band limits needed for export
    setChannel(doc, 1, "450.00000", "549.99375");
    setChannel(doc, 2, "450.00000", "550.00000");
    setChannel(doc, 3, "550.00000", "450.00000");
    const ChirpExport out = exportChirpCsv(doc, test::englishStrings());
    EXPECT_NE(out.csv.find("\r\n1,,450.000000,+,99.993750,"), std::string::npos);
    EXPECT_NE(out.csv.find("\r\n2,,450.000000,split,550.000000,"), std::string::npos);
    EXPECT_NE(out.csv.find("\r\n3,,550.000000,split,450.000000,"), std::string::npos);
}

TEST(ChirpExport, ToneColumnsFollowTheFirstRowThatFits)
{
    Codeplug doc = test::bandDocument();
    struct Case {
        const char* encode;
        const char* decode;
        const char* columns;  // Tone .. CrossMode
    } cases[] = {
        {"", "", ",88.5,88.5,023,NN,023,Tone->Tone"},
        {"100.0", "", "Tone,100.0,88.5,023,NN,023,Tone->Tone"},
        {"123.0", "123.0", "TSQL,88.5,123.0,023,NN,023,Tone->Tone"},
        {"D114I", "D114N", "DTCS,88.5,88.5,114,RN,023,Tone->Tone"},
        {"D114N", "D114N", "DTCS,88.5,88.5,114,NN,023,Tone->Tone"},
        {"100.0", "123.0", "Cross,100.0,123.0,023,NN,023,Tone->Tone"},
        {"100.0", "D754I", "Cross,100.0,88.5,023,NR,754,Tone->DTCS"},
        {"D114I", "123.0", "Cross,88.5,123.0,114,RN,023,DTCS->Tone"},
        {"D114N", "D754I", "Cross,88.5,88.5,114,NR,754,DTCS->DTCS"},
        {"", "123.0", "Cross,88.5,123.0,023,NN,023,->Tone"},
        {"D114I", "", "Cross,88.5,88.5,114,RN,023,DTCS->"},
        {"", "D754N", "Cross,88.5,88.5,023,NN,754,->DTCS"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.encode) + " / " + c.decode);
        Codeplug one = doc;
        setChannel(one, 1, "462.56250", "462.56250", c.decode, c.encode);
        const std::string csv = exportChirpCsv(one, test::englishStrings()).csv;
        EXPECT_NE(csv.find(std::string("\r\n1,,462.562500,,0.000000,") + c.columns + ",FM,"), std::string::npos) << csv;
    }
}

TEST(ChirpExport, WarnsOfTonesMissingFromChirpsListsNamingTheChannels)
{
    Codeplug doc = test::bandDocument();
    setChannel(doc, 3, "462.56250", "462.56250", "63.0", "63.0");
    setChannel(doc, 7, "462.56250", "462.56250", "", "63.0");
    setChannel(doc, 8, "462.56250", "462.56250", "D017N", "D050I");
    setChannel(doc, 9, "462.56250", "462.56250", "D645I", "67.0");
    const ChirpExport out = exportChirpCsv(doc, test::englishStrings());
    EXPECT_EQ(out.warnings, (std::vector<std::string>{
                                "channel 3, 7: tone 63.0 is not in CHIRP's standard lists; it is written as it is",
                                "channel 8: tone D017N is not in CHIRP's standard lists; it is written as it is",
                                "channel 8: tone D050I is not in CHIRP's standard lists; it is written as it is",
                                "channel 9: tone D645I is not in CHIRP's standard lists; it is written as it is"}));
    EXPECT_NE(out.csv.find("\r\n3,,462.562500,,0.000000,TSQL,88.5,63.0,"), std::string::npos);
    EXPECT_NE(out.csv.find("\r\n8,,462.562500,,0.000000,Cross,88.5,88.5,050,RN,017,DTCS->DTCS,"), std::string::npos);
}

TEST(ChirpExport, LeavesOutAChannelItCannotReadWithAWarning)
{
    Codeplug doc = test::bandDocument();
    setChannel(doc, 1, "462.56250", "462.56250");
    doc.channels().setCell(col::RxTone, 1, "69.4");  // a hand-edited channel file
    setChannel(doc, 2, "4x2.5", "462.56250");
    setChannel(doc, 3, "462.56250", "462.56250");
    const ChirpExport out = exportChirpCsv(doc, test::englishStrings());
    EXPECT_EQ(out.csv.find("\r\n1,"), std::string::npos);
    EXPECT_EQ(out.csv.find("\r\n2,"), std::string::npos);
    EXPECT_NE(out.csv.find("\r\n3,"), std::string::npos);
    EXPECT_EQ(out.warnings, (std::vector<std::string>{"channel 1 is not written: RX QT/DQT \"69.4\" cannot be read",
                                                      "channel 2 is not written: RX Freq \"4x2.5\" cannot be read"}));
}

TEST(ChirpExport, ExportThenImportGivesBackEveryToneKindAndTheCellsTheFormatCarries)
{
    Codeplug doc = test::bandDocument(1);
    const char* pairs[][2] = {
        {"", ""},          {"100.0", ""},      {"123.0", "123.0"}, {"D114I", "D114N"}, {"D023N", "D023I"},
        {"D754I", "D754I"}, {"100.0", "123.0"}, {"63.0", "D017N"},  {"D645I", "254.1"}, {"D050N", "D754I"},
        {"", "67.0"},      {"D114I", ""},      {"", "D754N"},      {"67.0", "D023N"},
    };
    int row = 1;
    for (const auto& p : pairs) {
        const std::string rx = row % 2 ? "462.56250" : "446.00625";
        const std::string tx = row % 3 == 0 ? "467.56250" : row % 5 == 0 ? "" : row % 7 == 0 ? "401.01250" : rx;
        setChannel(doc, row * 3, rx, tx, p[1], p[0]);  // placed apart: import fills from channel 1
        doc.channels().setCell(col::Power, row * 3, row % 2 ? doc.words().high : doc.words().low);
        doc.channels().setCell(col::Bandwidth, row * 3, row % 4 ? doc.words().wide : doc.words().narrow);
        doc.channels().setCell(col::ScanAdd, row * 3, row % 3 ? doc.words().on : doc.words().off);
        doc.channels().setCell(col::Alias, row * 3, row % 2 ? "CH-" + std::to_string(row) : "");
        ++row;
    }
    const ChirpExport out = exportChirpCsv(doc, test::englishStrings());
    auto back = previewChirpImport(out.csv, doc, {1, true}, test::englishStrings());
    ASSERT_TRUE(back.ok());
    EXPECT_TRUE(back.value().refused.empty());
    EXPECT_TRUE(back.value().warnings.empty());
    Codeplug fresh = test::bandDocument(1);
    applyPreview(back.value(), fresh);
    for (int r = 1; r <= kChannelCount; ++r) {
        SCOPED_TRACE(r);
        for (int c = col::Rx; c <= col::Alias; ++c) {
            if (c == col::Dtmf || c == col::PttId)
                continue;
            EXPECT_EQ(fresh.channels().cell(c, r), doc.channels().cell(c, r)) << "column " << c;
        }
        EXPECT_EQ(fresh.extras().cell(xcol::RxCode, r), doc.extras().cell(xcol::RxCode, r));
        EXPECT_EQ(fresh.extras().cell(xcol::TxCode, r), doc.extras().cell(xcol::TxCode, r));
    }
}

}  // namespace
}  // namespace qx
