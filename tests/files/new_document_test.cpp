#include "files/new_document.h"

#include <gtest/gtest.h>

#include "model/codeplug.h"

namespace qx {
namespace {

// Every setting away from its default, channels of several kinds in the first and last rows, the
// band lists filled and the editing position elsewhere.
void fillDocument(Codeplug& doc)
{
    RadioSettings& s = doc.settings();
    for (const SettingSpec& desc : settingSpecs()) {
        switch (desc.kind) {
        case SettingKind::Option:
            s.assign(desc.key, (desc.defaultValue + 1) % static_cast<int>(desc.options.size()));
            break;
        case SettingKind::Flag:
            s.assign(desc.key, desc.defaultValue == 0 ? 1 : 0);
            break;
        case SettingKind::Number:
            s.assign(desc.key, desc.max);
            break;
        case SettingKind::Text:
            s.assignText(desc.key, "999999");
            break;
        case SettingKind::Band:
            s.setBandList(desc.key, {"400-470MHz", "136-174MHz"}, 1);
            break;
        }
    }
    s.assign(keys::ExpFreq, 1);
    s.assign(keys::Band, 0);
    for (int row : {1, 64, 128}) {
        doc.channels().setCell(col::Rx, row, "462.56250");
        doc.setCurrent(col::Rx, row);
        doc.sendallcell();
        doc.channels().setCell(col::Alias, row, "ALIAS");
        doc.extras().setCell(xcol::Vox, row, doc.words().on);
    }
    doc.setCurrent(col::Alias, 64);
}

struct Expected {
    std::string_view key;
    int value;
    bool enabled;
};

// The contents of a new document.
const Expected kNewDocumentValues[] = {
    {keys::APO, 0, true},           {keys::ScanKind, 1, true},      {keys::VfoMr, 1, true},
    {keys::Step, 4, true},          {keys::Squelch, 2, true},       {keys::TOT, 3, true},
    {keys::MrFreqMrCh, 1, false},   {keys::VoxSQL, 2, true},        {keys::VoxDelay, 2, true},
    {keys::Monitor, 2, true},       {keys::Band, 1, false},         {keys::VoxRX, 1, true},
    {keys::ExpFreq, 0, true},       {keys::Beep, 1, true},          {keys::KeyLock, 0, true},
    {keys::Save, 1, true},          {keys::EMG, 1, true},           {keys::FMEnable, 1, true},
    {keys::DigitTime, 100, true},   {keys::DigitSpace, 100, true},  {keys::FirstDigit, 0, true},
    {keys::Pretime, 400, true},     {keys::StarHashDelay, 0, true}, {keys::AckDecode, 1, true},
    {keys::DtmfSide, 1, true},      {keys::DisplayPttId, 1, true},  {keys::PttId, 0, true},
    {keys::Group, 0, true},         {keys::AutoReset, 10, true},    {keys::AutoAck, 1, true},
    {keys::DtmfBeep, 1, true},      {keys::Strip, 1, true},         {keys::Stun, 1, true},
    {keys::StunType, 1, true},      {keys::KeyAssignment, 1, true}, {keys::ChangePassword, 0, true},
};

struct ExpectedText {
    std::string_view key;
    std::string_view text;
    bool enabled;
};

const ExpectedText kNewDocumentTexts[] = {
    {keys::BOT, "12345", true},   {keys::EOT, "12345", false},   {keys::Private, "1000", true},
    {keys::StunCode, "", true},   {keys::Password, "246810", false}, {keys::Call0, "1000", true},
    {keys::Call1, "", true},      {keys::Call5, "", true},       {keys::Call9, "", true},
    {keys::TOT, "3分钟", true},   {keys::Band, "频段1", false},  {keys::Monitor, "CTC/DCS与DTMF", true},
    {keys::StunType, "遥晕", true}, {keys::KeyAssignment, "呼叫键", true}, {keys::PttId, "发射开始", true},
};

void expectChannelsEmpty(const Codeplug& doc)
{
    for (int row = 1; row <= kChannelCount; ++row) {
        for (int c = col::Rx; c <= col::Alias; ++c)
            ASSERT_EQ(doc.channels().cell(c, row), "") << "column " << c << " row " << row;
        for (int c = xcol::TailElim; c <= xcol::VoiceMode; ++c)
            ASSERT_EQ(doc.extras().cell(c, row), "") << "extras column " << c << " row " << row;
        ASSERT_EQ(doc.channels().cell(col::Number, row), channelNumberText(row));
        ASSERT_EQ(doc.channels().cell(col::More, row), ">>");
    }
    EXPECT_EQ(doc.currentRow(), 1);
    EXPECT_EQ(doc.currentColumn(), col::Rx);
}

TEST(NewDocument, OkOnActionTwoGivesTheDefaultsAndKeepsBandsAndHeaders)
{
    Codeplug doc;
    fillDocument(doc);
    const int keyAssignment2 = doc.settings().value(keys::KeyAssignment2);
    ASSERT_NE(keyAssignment2, 0);
    const ChannelTable headers;

    PendingAction pending;
    pending.set(pending::NewDocument);
    EXPECT_EQ(pending.ok(doc), DialogOutcome::NewDocument);
    EXPECT_EQ(pending.value(), pending::Information);

    for (const auto& e : kNewDocumentValues) {
        EXPECT_EQ(doc.settings().value(e.key), e.value) << e.key;
        EXPECT_EQ(doc.settings().enabled(e.key), e.enabled) << e.key;
    }
    for (const auto& e : kNewDocumentTexts) {
        EXPECT_EQ(doc.settings().text(e.key), e.text) << e.key;
        EXPECT_EQ(doc.settings().enabled(e.key), e.enabled) << e.key;
    }
    // Not part of a new document: the band ranges, the second key function, the headers.
    for (auto band : {keys::BandRx, keys::BandTx, keys::BandRx1, keys::BandTx1}) {
        EXPECT_EQ(doc.settings().bandList(band), (std::vector<std::string>{"400-470MHz", "136-174MHz"})) << band;
        EXPECT_EQ(doc.settings().text(band), "136-174MHz") << band;
    }
    EXPECT_EQ(doc.settings().value(keys::KeyAssignment2), keyAssignment2);
    for (int c = 0; c < col::Count; ++c)
        EXPECT_EQ(doc.channels().cell(c, 0), headers.cell(c, 0));
    expectChannelsEmpty(doc);
}

TEST(NewDocument, OkOnActionThreeClearsChannelsOnly)
{
    Codeplug doc;
    fillDocument(doc);
    const RadioSettings before = doc.settings();

    PendingAction pending;
    pending.set(pending::ClearChannels);
    EXPECT_EQ(pending.ok(doc), DialogOutcome::ClearChannels);
    EXPECT_EQ(pending.value(), pending::Information);

    expectChannelsEmpty(doc);
    for (const SettingSpec& desc : settingSpecs()) {
        EXPECT_EQ(doc.settings().value(desc.key), before.value(desc.key)) << desc.key;
        EXPECT_EQ(doc.settings().text(desc.key), before.text(desc.key)) << desc.key;
        EXPECT_EQ(doc.settings().enabled(desc.key), before.enabled(desc.key)) << desc.key;
    }
}

TEST(NewDocument, OkOnAnyOtherActionChangesNothing)
{
    for (int action : {pending::Information, 0, 4, -1}) {
        SCOPED_TRACE(action);
        Codeplug doc;
        fillDocument(doc);
        const Codeplug before = doc;

        PendingAction pending;
        pending.set(action);
        EXPECT_EQ(pending.ok(doc), DialogOutcome::Nothing);
        EXPECT_EQ(pending.value(), action);
        for (int row = 0; row <= kChannelCount; ++row) {
            for (int c = 0; c < col::Count; ++c)
                ASSERT_EQ(doc.channels().cell(c, row), before.channels().cell(c, row));
            for (int c = 0; c < xcol::Count; ++c)
                ASSERT_EQ(doc.extras().cell(c, row), before.extras().cell(c, row));
        }
        for (const SettingSpec& desc : settingSpecs())
            EXPECT_EQ(doc.settings().text(desc.key), before.settings().text(desc.key)) << desc.key;
        EXPECT_EQ(doc.currentRow(), 64);
    }
}

}  // namespace
}  // namespace qx
