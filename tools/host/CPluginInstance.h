// One effect of a loaded plug-in module, driven through the VST 2.4 binary
// interface as a host would. It answers the plug-in's requests from its settings
// and records every request, so tests can see what the plug-in asked and when.
// Owned by the caller; it keeps its module loaded and closes its effect on destruction.
#pragma once

#include "tools/host/CHostSettings.h"
#include "tools/host/CPluginModule.h"
#include "vst/VstAbi.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace Zelo::Tools
{
class CPluginInstance
{
public:
    // One request the plug-in made through the host callback, with the host's answer.
    struct Request
    {
        VstInt32 opcode = 0;
        VstInt32 index = 0;
        VstIntPtr value = 0;
        float opt = 0.0f;
        VstIntPtr answer = 0;
        // The can-do question, or the vendor/product text handed out; fixed size so
        // that recording does not allocate on the plug-in's audio thread.
        std::array<char, 64> textBuffer{};

        std::string text() const;
    };

    // A short MIDI message; sendMidi wraps each in a VstMidiEvent.
    struct MidiMessage
    {
        VstInt32 deltaFrames = 0;
        uint8_t status = 0;
        uint8_t data1 = 0;
        uint8_t data2 = 0;
    };

    // Calls the module's entry; throws std::runtime_error when the plug-in refuses
    // to load or hands back something that is not an effect record.
    CPluginInstance(std::shared_ptr<const CPluginModule> module, CHostSettings settings = {});
    // Suspends a resumed effect and closes it.
    ~CPluginInstance();
    // The plug-in finds us through the effect record, so the instance never moves.
    CPluginInstance(const CPluginInstance &) = delete;
    CPluginInstance &operator=(const CPluginInstance &) = delete;

    // The raw record; null once closed.
    AEffect *effect() const { return m_effect; }
    const CPluginModule &module() const { return *m_module; }
    const CHostSettings &settings() const { return m_settings; }
    // Change it between process calls only: the plug-in keeps the pointer it was given during one.
    void setTimeInfo(const std::optional<VstTimeInfo> &timeInfo);

    // Every call below is a no-op answering 0 (false, an empty text) once the effect is closed.
    // A raw effClose closes as close() does, without suspending first.
    VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void *ptr = nullptr, float opt = 0.0f);
    void open();
    // Suspends first when resumed; afterwards the instance holds no effect.
    void close();
    // Also become the answers to audioMasterGetSampleRate and audioMasterGetBlockSize.
    void setSampleRate(float sampleRate);
    void setBlockSize(VstInt32 blockSize);
    void resume();
    void suspend();
    VstIntPtr setProgram(VstInt32 program);
    VstInt32 program();
    void setProgramName(const std::string &name);
    VstIntPtr canDo(const std::string &text);
    VstInt32 vendorVersion();

    // Allocation-free: safe to wrap in an allocation count.
    void setParameter(VstInt32 index, float value);
    float getParameter(VstInt32 index);
    // False when the effect is closed or lacks that processing function.
    bool processReplacing(float **inputs, float **outputs, VstInt32 frames);
    bool processAccumulating(float **inputs, float **outputs, VstInt32 frames);
    bool processDoubleReplacing(double **inputs, double **outputs, VstInt32 frames);

    // The plug-in writes into a zero-filled buffer far larger than its texts need.
    std::string parameterName(VstInt32 index);
    std::string parameterLabel(VstInt32 index);
    std::string parameterDisplay(VstInt32 index);
    std::string programName();
    // `category` -1 asks across all categories.
    std::string programNameIndexed(VstInt32 program, VstIntPtr category = -1);
    std::string effectName();
    std::string vendorString();
    std::string productString();
    std::optional<VstPinProperties> inputProperties(VstInt32 index);
    std::optional<VstPinProperties> outputProperties(VstInt32 index);

    // A copy of the plug-in's chunk; empty when it has none.
    std::vector<uint8_t> getChunk(bool isProgram);
    // The dispatcher's answer.
    VstIntPtr setChunk(const std::vector<uint8_t> &chunk, bool isProgram);
    // Delivers the messages in one effProcessEvents call; the dispatcher's answer.
    VstIntPtr sendMidi(const std::vector<MidiMessage> &messages);

    // The record of requests, oldest first. Recording allocates only once the
    // reserved capacity is used up, so a process call can be counted for allocations.
    std::vector<Request> requests() const;
    void clearRequests();
    size_t countRequests(VstInt32 opcode) const;
    std::optional<Request> lastRequest(VstInt32 opcode) const;
    std::optional<Request> lastAutomation() const;

private:
    static VstIntPtr hostCallback(AEffect *effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void *ptr,
                                  float opt);
    VstIntPtr answerRequest(VstInt32 opcode, VstInt32 index, VstIntPtr value, void *ptr, float opt);
    std::string dispatchForText(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0);
    std::optional<VstPinProperties> dispatchForPin(VstInt32 opcode, VstInt32 index);

    std::shared_ptr<const CPluginModule> m_module;
    AEffect *m_effect = nullptr;
    bool m_isResumed = false;
    // Guards the settings the callback reads and the request record: the plug-in
    // may call back from its own threads (automation from an editor, for one).
    mutable std::mutex m_mutex;
    CHostSettings m_settings;
    std::vector<Request> m_requests;
};
} // namespace Zelo::Tools
