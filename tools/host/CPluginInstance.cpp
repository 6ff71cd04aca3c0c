#include "tools/host/CPluginInstance.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>
#include <stdexcept>
#include <string_view>

namespace Zelo::Tools
{
namespace
{
// While the entry runs the plug-in has no record we could find ourselves in (it
// asks for the version with a null effect), so the instance being created is here.
thread_local CPluginInstance *t_instanceBeingCreated = nullptr;

// Requests recorded before the record has to grow (and so allocate).
constexpr size_t RESERVED_REQUESTS = 4096;
// Text buffers handed to the plug-in: well above the 64 bytes of its longest text.
constexpr size_t TEXT_BUFFER_SIZE = 256;
// The plug-in's buffer for vendor and product texts, terminator included.
constexpr size_t HOST_TEXT_SIZE = 64;

template <size_t SIZE> void copyText(std::array<char, SIZE> &buffer, std::string_view text)
{
    const size_t length = std::min(text.size(), SIZE - 1);
    std::memcpy(buffer.data(), text.data(), length);
    buffer[length] = '\0';
}

void handOutText(void *destination, const std::string &text)
{
    const size_t length = std::min(text.size(), HOST_TEXT_SIZE - 1);
    std::memcpy(destination, text.data(), length);
    static_cast<char *>(destination)[length] = '\0';
}
} // namespace

std::string CPluginInstance::Request::text() const
{
    return std::string(textBuffer.data(), strnlen(textBuffer.data(), textBuffer.size()));
}

CPluginInstance::CPluginInstance(std::shared_ptr<const CPluginModule> module, CHostSettings settings)
    : m_module(std::move(module)), m_settings(std::move(settings))
{
    if (!m_module)
    {
        throw std::invalid_argument("no plug-in module to create an instance of");
    }
    m_requests.reserve(RESERVED_REQUESTS);

    CPluginInstance *const outer = t_instanceBeingCreated;
    t_instanceBeingCreated = this;
    AEffect *effect = nullptr;
    try
    {
        effect = m_module->entry()(&CPluginInstance::hostCallback);
    }
    catch (...)
    {
        t_instanceBeingCreated = outer;
        throw;
    }
    t_instanceBeingCreated = outer;

    if (effect == nullptr)
    {
        throw std::runtime_error(m_module->path() + ": plug-in refused to load");
    }
    if (effect->magic != kEffectMagic)
    {
        char magic[16];
        std::snprintf(magic, sizeof(magic), "0x%08x", static_cast<unsigned>(effect->magic));
        throw std::runtime_error(m_module->path() + ": not a VST effect record (magic " + magic + ")");
    }
    effect->resvd1 = reinterpret_cast<VstIntPtr>(this);
    m_effect = effect;
}

CPluginInstance::~CPluginInstance()
{
    close();
}

void CPluginInstance::setTimeInfo(const std::optional<VstTimeInfo> &timeInfo)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_settings.timeInfo = timeInfo;
}

VstIntPtr CPluginInstance::dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void *ptr, float opt)
{
    if (m_effect == nullptr)
    {
        return 0;
    }
    AEffect *const effect = m_effect;
    if (opcode == effClose)
    {
        // The plug-in frees its record in effClose: forget it before anything could use it.
        m_effect = nullptr;
        m_isResumed = false;
    }
    else if (opcode == effMainsChanged)
    {
        m_isResumed = value != 0;
    }
    return effect->dispatcher(effect, opcode, index, value, ptr, opt);
}

void CPluginInstance::open()
{
    dispatch(effOpen);
}

void CPluginInstance::close()
{
    if (m_isResumed)
    {
        suspend();
    }
    dispatch(effClose);
}

void CPluginInstance::setSampleRate(float sampleRate)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_settings.sampleRate = sampleRate;
    }
    dispatch(effSetSampleRate, 0, 0, nullptr, sampleRate);
}

void CPluginInstance::setBlockSize(VstInt32 blockSize)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_settings.blockSize = blockSize;
    }
    dispatch(effSetBlockSize, 0, blockSize);
}

void CPluginInstance::resume()
{
    dispatch(effMainsChanged, 0, 1);
}

void CPluginInstance::suspend()
{
    dispatch(effMainsChanged, 0, 0);
}

VstIntPtr CPluginInstance::setProgram(VstInt32 program)
{
    return dispatch(effSetProgram, 0, program);
}

VstInt32 CPluginInstance::program()
{
    return static_cast<VstInt32>(dispatch(effGetProgram));
}

void CPluginInstance::setProgramName(const std::string &name)
{
    // The plug-in reads the name through a mutable pointer, so it gets a copy of its own.
    std::vector<char> text(name.begin(), name.end());
    text.push_back('\0');
    dispatch(effSetProgramName, 0, 0, text.data());
}

VstIntPtr CPluginInstance::canDo(const std::string &text)
{
    std::vector<char> question(text.begin(), text.end());
    question.push_back('\0');
    return dispatch(effCanDo, 0, 0, question.data());
}

VstInt32 CPluginInstance::vendorVersion()
{
    return static_cast<VstInt32>(dispatch(effGetVendorVersion));
}

void CPluginInstance::setParameter(VstInt32 index, float value)
{
    if (m_effect != nullptr && m_effect->setParameter != nullptr)
    {
        m_effect->setParameter(m_effect, index, value);
    }
}

float CPluginInstance::getParameter(VstInt32 index)
{
    if (m_effect == nullptr || m_effect->getParameter == nullptr)
    {
        return 0.0f;
    }
    return m_effect->getParameter(m_effect, index);
}

bool CPluginInstance::processReplacing(float **inputs, float **outputs, VstInt32 frames)
{
    if (m_effect == nullptr || m_effect->processReplacing == nullptr)
    {
        return false;
    }
    m_effect->processReplacing(m_effect, inputs, outputs, frames);
    return true;
}

bool CPluginInstance::processAccumulating(float **inputs, float **outputs, VstInt32 frames)
{
    if (m_effect == nullptr || m_effect->process == nullptr)
    {
        return false;
    }
    m_effect->process(m_effect, inputs, outputs, frames);
    return true;
}

bool CPluginInstance::processDoubleReplacing(double **inputs, double **outputs, VstInt32 frames)
{
    if (m_effect == nullptr || m_effect->processDoubleReplacing == nullptr)
    {
        return false;
    }
    m_effect->processDoubleReplacing(m_effect, inputs, outputs, frames);
    return true;
}

std::string CPluginInstance::parameterName(VstInt32 index)
{
    return dispatchForText(effGetParamName, index);
}

std::string CPluginInstance::parameterLabel(VstInt32 index)
{
    return dispatchForText(effGetParamLabel, index);
}

std::string CPluginInstance::parameterDisplay(VstInt32 index)
{
    return dispatchForText(effGetParamDisplay, index);
}

std::string CPluginInstance::programName()
{
    return dispatchForText(effGetProgramName);
}

std::string CPluginInstance::programNameIndexed(VstInt32 program, VstIntPtr category)
{
    return dispatchForText(effGetProgramNameIndexed, program, category);
}

std::string CPluginInstance::effectName()
{
    return dispatchForText(effGetEffectName);
}

std::string CPluginInstance::vendorString()
{
    return dispatchForText(effGetVendorString);
}

std::string CPluginInstance::productString()
{
    return dispatchForText(effGetProductString);
}

std::optional<VstPinProperties> CPluginInstance::inputProperties(VstInt32 index)
{
    return dispatchForPin(effGetInputProperties, index);
}

std::optional<VstPinProperties> CPluginInstance::outputProperties(VstInt32 index)
{
    return dispatchForPin(effGetOutputProperties, index);
}

std::vector<uint8_t> CPluginInstance::getChunk(bool isProgram)
{
    void *data = nullptr;
    const VstIntPtr size = dispatch(effGetChunk, isProgram ? 1 : 0, 0, &data);
    if (size <= 0 || data == nullptr)
    {
        return {};
    }
    const auto *bytes = static_cast<const uint8_t *>(data);
    return std::vector<uint8_t>(bytes, bytes + size);
}

VstIntPtr CPluginInstance::setChunk(const std::vector<uint8_t> &chunk, bool isProgram)
{
    // The dispatcher takes a mutable pointer; the plug-in reads from a copy of its own.
    std::vector<uint8_t> data(chunk);
    return dispatch(effSetChunk, isProgram ? 1 : 0, static_cast<VstIntPtr>(data.size()), data.data());
}

VstIntPtr CPluginInstance::sendMidi(const std::vector<MidiMessage> &messages)
{
    if (m_effect == nullptr)
    {
        return 0;
    }
    std::vector<VstMidiEvent> events(messages.size());
    for (size_t i = 0; i < messages.size(); ++i)
    {
        VstMidiEvent &event = events[i];
        event = VstMidiEvent{};
        event.type = kVstMidiType;
        event.byteSize = sizeof(VstMidiEvent);
        event.deltaFrames = messages[i].deltaFrames;
        event.midiData[0] = static_cast<char>(messages[i].status);
        event.midiData[1] = static_cast<char>(messages[i].data1);
        event.midiData[2] = static_cast<char>(messages[i].data2);
    }

    // VstEvents declares two event pointers; the list is allocated for as many as are sent.
    const size_t bytes =
        std::max(sizeof(VstEvents), offsetof(VstEvents, events) + messages.size() * sizeof(VstEvent *));
    const size_t blocks = (bytes + sizeof(std::max_align_t) - 1) / sizeof(std::max_align_t);
    std::unique_ptr<std::max_align_t[]> storage(new std::max_align_t[blocks]);
    auto *list = new (storage.get()) VstEvents{};
    list->numEvents = static_cast<VstInt32>(messages.size());
    VstEvent **slots = list->events;
    for (size_t i = 0; i < events.size(); ++i)
    {
        slots[i] = reinterpret_cast<VstEvent *>(&events[i]);
    }
    return dispatch(effProcessEvents, 0, 0, list);
}

std::vector<CPluginInstance::Request> CPluginInstance::requests() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_requests;
}

void CPluginInstance::clearRequests()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_requests.clear();
}

size_t CPluginInstance::countRequests(VstInt32 opcode) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return static_cast<size_t>(std::count_if(m_requests.begin(), m_requests.end(),
                                             [opcode](const Request &request) { return request.opcode == opcode; }));
}

std::optional<CPluginInstance::Request> CPluginInstance::lastRequest(VstInt32 opcode) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto found = std::find_if(m_requests.rbegin(), m_requests.rend(),
                                    [opcode](const Request &request) { return request.opcode == opcode; });
    if (found == m_requests.rend())
    {
        return std::nullopt;
    }
    return *found;
}

std::optional<CPluginInstance::Request> CPluginInstance::lastAutomation() const
{
    return lastRequest(audioMasterAutomate);
}

VstIntPtr CPluginInstance::hostCallback(AEffect *effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void *ptr,
                                        float opt)
{
    // During the entry call the record (if the plug-in passes one) has no instance in it yet.
    CPluginInstance *instance = t_instanceBeingCreated;
    if (instance == nullptr && effect != nullptr)
    {
        instance = reinterpret_cast<CPluginInstance *>(effect->resvd1);
    }
    if (instance == nullptr)
    {
        return 0;
    }
    return instance->answerRequest(opcode, index, value, ptr, opt);
}

VstIntPtr CPluginInstance::answerRequest(VstInt32 opcode, VstInt32 index, VstIntPtr value, void *ptr, float opt)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    Request request;
    request.opcode = opcode;
    request.index = index;
    request.value = value;
    request.opt = opt;

    switch (opcode)
    {
    case audioMasterVersion:
        request.answer = m_settings.vstVersion;
        break;
    case audioMasterGetSampleRate:
        request.answer = static_cast<VstIntPtr>(m_settings.sampleRate);
        break;
    case audioMasterGetBlockSize:
        request.answer = m_settings.blockSize;
        break;
    case audioMasterCanDo:
        if (ptr != nullptr)
        {
            const std::string_view question(static_cast<const char *>(ptr));
            copyText(request.textBuffer, question);
            request.answer = m_settings.canDos.count(question) != 0 ? 1 : m_settings.otherCanDoAnswer;
        }
        break;
    case audioMasterGetVendorString:
    case audioMasterGetProductString:
        if (ptr != nullptr)
        {
            const std::string &text = opcode == audioMasterGetVendorString ? m_settings.vendor : m_settings.product;
            handOutText(ptr, text);
            copyText(request.textBuffer, static_cast<const char *>(ptr));
            request.answer = 1;
        }
        break;
    case audioMasterGetVendorVersion:
        request.answer = m_settings.vendorVersion;
        break;
    case audioMasterIOChanged:
        request.answer = m_settings.canDos.count("acceptIOChanges") != 0 ? 1 : 0;
        break;
    case audioMasterGetTime:
        request.answer = m_settings.timeInfo ? reinterpret_cast<VstIntPtr>(&*m_settings.timeInfo) : 0;
        break;
    case audioMasterWantMidi:
    case audioMasterAutomate:
    case audioMasterUpdateDisplay:
    case audioMasterBeginEdit:
    case audioMasterEndEdit:
    case audioMasterSizeWindow:
        request.answer = 1;
        break;
    default:
        break;
    }
    m_requests.push_back(request);
    return request.answer;
}

std::string CPluginInstance::dispatchForText(VstInt32 opcode, VstInt32 index, VstIntPtr value)
{
    // Zero-filled, so a plug-in that copies a text without its terminator still ends it.
    std::array<char, TEXT_BUFFER_SIZE> buffer{};
    dispatch(opcode, index, value, buffer.data());
    return std::string(buffer.data(), strnlen(buffer.data(), buffer.size()));
}

std::optional<VstPinProperties> CPluginInstance::dispatchForPin(VstInt32 opcode, VstInt32 index)
{
    VstPinProperties properties{};
    if (dispatch(opcode, index, 0, &properties) == 0)
    {
        return std::nullopt;
    }
    return properties;
}
} // namespace Zelo::Tools
