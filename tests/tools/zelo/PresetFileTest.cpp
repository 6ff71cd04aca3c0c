// Preset files: the published byte layout against files made here by hand, the
// faults a reader must refuse, and round trips through the built plug-in.
#include "tools/zelo/CPresetExchange.h"
#include "tools/zelo/CZeloChunk.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace
{
using Zelo::Tools::CPluginInstance;
using Zelo::Tools::CPluginModule;
using Zelo::Tools::CPresetExchange;
using Zelo::Tools::CPresetFile;
using Bytes = std::vector<uint8_t>;
using testing::HasSubstr;
using testing::ThrowsMessage;

// Appends big-endian 32-bit words and raw texts, as the format's description lays them out.
struct SFileBuilder
{
    Bytes bytes;
    SFileBuilder &word(uint32_t value)
    {
        for (int shift = 24; shift >= 0; shift -= 8)
            bytes.push_back(static_cast<uint8_t>(value >> shift));
        return *this;
    }
    SFileBuilder &text(const std::string &characters, size_t size)
    {
        for (size_t index = 0; index < size; ++index)
            bytes.push_back(index < characters.size() ? static_cast<uint8_t>(characters[index]) : 0);
        return *this;
    }
};

const Bytes CHUNK = {0xDE, 0xAD, 0xBE, 0xEF, 0x01};
constexpr uint32_t OVA5 = 0x4F766135;

// "CcnK", byte size (all after it), "FPCh", format 1, ID, version, 23 parameters, 28-byte name, chunk size, chunk.
Bytes handMadeProgram()
{
    SFileBuilder file;
    file.text("CcnK", 4).word(52 + 5).text("FPCh", 4).word(1).word(OVA5).word(7).word(23).text("Slap", 28).word(5);
    file.bytes.insert(file.bytes.end(), CHUNK.begin(), CHUNK.end());
    return file.bytes;
}

// The same with "FBCh", format 2, 13 programs, then the current program and 124 reserved zeros.
Bytes handMadeBank()
{
    SFileBuilder file;
    file.text("CcnK", 4).word(152 + 5).text("FBCh", 4).word(2).word(OVA5).word(7).word(13).word(4).text("", 124);
    file.word(5).bytes.insert(file.bytes.end(), CHUNK.begin(), CHUNK.end());
    return file.bytes;
}

TEST(PresetFile, HeaderBytesFollowThePublishedLayout)
{
    CPresetFile program{CPresetFile::Kind::program, static_cast<int32_t>(OVA5), 7, 23, "Slap", 0, CHUNK};
    CPresetFile bank{CPresetFile::Kind::bank, static_cast<int32_t>(OVA5), 7, 13, "", 4, CHUNK};
    EXPECT_EQ(program.bytes(), handMadeProgram());
    EXPECT_EQ(bank.bytes(), handMadeBank());
    EXPECT_TRUE(CPresetFile::parse(handMadeProgram(), "p.fxp") == program);
    EXPECT_TRUE(CPresetFile::parse(handMadeBank(), "b.fxb") == bank);
}

TEST(PresetFile, RefusesDamagedFilesNamingTheFault)
{
    const auto changed = [](Bytes bytes, size_t at, std::vector<uint8_t> values) {
        std::copy(values.begin(), values.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at));
        return bytes;
    };
    Bytes cut = handMadeBank();
    cut.resize(100);
    Bytes longer = handMadeProgram();
    longer.push_back(0);
    const std::pair<Bytes, const char *> cases[] = {
        {changed(handMadeProgram(), 0, {'R', 'I', 'F', 'F'}), "not a VST preset file (magic \"RIFF\""},
        {changed(handMadeProgram(), 8, {'F', 'x', 'C', 'k'}), "holds a parameter list (\"FxCk\")"},
        {changed(handMadeBank(), 8, {'F', 'x', 'B', 'k'}), "holds a parameter list (\"FxBk\")"},
        {changed(handMadeProgram(), 8, {'F', 'Q', 'C', 'h'}), "unknown preset kind \"FQCh\""},
        {changed(handMadeProgram(), 15, {2}), "unknown format version 2"},
        {cut, "truncated file (the header states 157 bytes, the file has 92)"},
        {Bytes{'C', 'c', 'n', 'K', 0}, "truncated file (ends inside the byte size"},
        {longer, "size disagrees with the file (the header states 57 bytes, the file has 58)"},
        {changed(handMadeProgram(), 59, {6}), "truncated file (the chunk size states 6 bytes, the file has 5)"},
        {changed(handMadeBank(), 159, {4}), "size disagrees with the file (the chunk size states 4 bytes"}};
    for (const auto &test : cases)
        EXPECT_THAT([&] { CPresetFile::parse(test.first, "/x/bad.fxp"); },
                    ThrowsMessage<std::runtime_error>(HasSubstr(std::string("/x/bad.fxp': ") + test.second)))
            << test.second;
}

class PresetExchange : public testing::Test
{
protected:
    static std::vector<float> parameterValues(CPluginInstance &instance)
    {
        std::vector<float> values;
        for (VstInt32 index = 0; index < 23; ++index)
            values.push_back(instance.getParameter(index));
        return values;
    }
    std::unique_ptr<CPluginInstance> fresh() const
    {
        auto instance = std::make_unique<CPluginInstance>(m_module);
        instance->open();
        return instance;
    }

    std::shared_ptr<const CPluginModule> m_module = std::make_shared<const CPluginModule>(ZELO_PLUGIN_PATH);
};

// Saved, written out as bytes, read back and loaded into a fresh instance at the same program.
TEST_F(PresetExchange, EveryFactoryProgramAndHalfRoundTripsByteForByte)
{
    for (VstInt32 program = 0; program < 13; ++program)
        for (const float half : {0.0f, 1.0f})
        {
            const auto saving = fresh();
            saving->setProgram(program);
            saving->setParameter(26, half);
            const Bytes file = CPresetExchange::save(*saving, CPresetFile::Kind::program).bytes();
            CPresetFile preset = CPresetFile::parse(file, "p.fxp");
            EXPECT_EQ(preset.count, 23);
            EXPECT_EQ(preset.programName, saving->programName());
            // Some hosts write the program count where the format has the parameter count.
            preset.count = 13;
            const auto loading = fresh();
            loading->setProgram(program);
            CPresetExchange::load(*loading, preset, "p.fxp");
            EXPECT_EQ(loading->getChunk(true), saving->getChunk(true)) << "program " << program << " half " << half;
        }
}

// A program kept from half B plays half B wherever it is loaded, whichever half
// the bank there has live; kept from half A it plays half A.
TEST_F(PresetExchange, AProgramKeptFromOneHalfPlaysThatHalfWhereverItIsLoaded)
{
    const auto saving = fresh();
    saving->setProgram(5);
    for (const char half : {'A', 'B'})
    {
        saving->setParameter(26, half == 'B' ? 1.0f : 0.0f);
        const std::vector<float> kept = parameterValues(*saving);
        CPresetFile preset = CPresetExchange::save(*saving, CPresetFile::Kind::program);
        Zelo::Tools::CZeloChunk::keepHalf(preset.chunk, half);
        EXPECT_TRUE(Zelo::Tools::CZeloChunk::hasEqualHalves(preset.chunk));
        for (const float bankHalf : {0.0f, 1.0f})
        {
            const auto loading = fresh();
            loading->setProgram(3);
            loading->setParameter(26, bankHalf);
            CPresetExchange::load(*loading, preset, "p.fxp");
            EXPECT_EQ(parameterValues(*loading), kept) << "kept from " << half << ", loaded with half " << bankHalf;
        }
    }
}

TEST_F(PresetExchange, RefusedFilesChangeNothing)
{
    const CPresetFile good = CPresetExchange::save(*fresh(), CPresetFile::Kind::bank);
    const std::pair<std::function<void(CPresetFile &)>, const char *> cases[] = {
        {[](CPresetFile &file) { file.pluginId = 0x41424344; }, "made for the plug-in \"ABCD\", not \"Ova5\""},
        {[](CPresetFile &file) { file.count = 12; }, "states 12 programs, the plug-in has 13"},
        {[](CPresetFile &file) { file.currentProgram = 13; }, "current program 13 is not one of the plug-in's 0 to 12"},
        {[](CPresetFile &file) { file.chunk[4] = 2; }, "the plug-in refused the bank chunk (93964 bytes)"},
        {[](CPresetFile &file) { file.chunk.resize(7228); }, "the plug-in refused the bank chunk (7228 bytes)"}};
    for (const auto &[damage, message] : cases)
    {
        CPresetFile bad = good;
        damage(bad);
        const auto instance = fresh();
        instance->setProgram(3);
        const Bytes before = instance->getChunk(false);
        EXPECT_THAT([&] { CPresetExchange::load(*instance, bad, "b.fxb"); },
                    ThrowsMessage<std::runtime_error>(HasSubstr(std::string("b.fxb': ") + message)));
        EXPECT_EQ(instance->getChunk(false), before) << message;
        EXPECT_EQ(instance->program(), 3) << message;
    }
}
} // namespace
