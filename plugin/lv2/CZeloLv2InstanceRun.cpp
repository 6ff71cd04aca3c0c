// The instance's audio-thread work: control ports into parameters, MIDI events
// into the effect's event list, then the effect over the block. Nothing here
// allocates, locks or does I/O.
#include "plugin/lv2/CZeloLv2Instance.h"

#include "effect/VeltrixProgram.h"

#include <lv2/atom/util.h>

#include <algorithm>
#include <cstring>

namespace Zelo::Lv2
{
namespace
{
// The longest MIDI message the effect reads: status and two data bytes.
const uint32_t SHORT_MESSAGE_SIZE = 3;
} // namespace

// The A/B half is not a parameter object: the bank's first record holds it.
float CZeloLv2Instance::effectPortValue(uint32_t control)
{
    const long index = parameterOfPort(FIRST_PARAMETER_PORT + control);
    if (FIRST_PARAMETER_PORT + control == PORT_HALF)
    {
        void *bank = nullptr;
        dispatch(effGetChunk, 0, 0, &bank);
        const int32_t selector = bank ? static_cast<const Orvalite::Veltrix::VeltrixProgram *>(bank)->getSelector() : 0;
        return toPortValue(index, static_cast<float>(selector));
    }
    return toPortValue(index, m_effect->getParameter(m_effect, static_cast<VstInt32>(index)));
}

float CZeloLv2Instance::currentPortValue(uint32_t control)
{
    return m_controls[control] ? *m_controls[control] : effectPortValue(control);
}

void CZeloLv2Instance::rememberPortValues()
{
    for (uint32_t control = 0; control < NUMBER_OF_CONTROLS; ++control)
    {
        m_seenPortValues[control] = currentPortValue(control);
    }
}

// A port reaches the effect when its value differs from the previous run's and
// from what the effect holds. The half goes first: switching it loads the other
// half's values, which the parameter ports changed with it then overwrite (a preset
// of the B half sets the half and the values of that half).
void CZeloLv2Instance::applyChangedPorts()
{
    const uint32_t halfControl = PORT_HALF - FIRST_PARAMETER_PORT;
    for (uint32_t step = 0; step < NUMBER_OF_CONTROLS; ++step)
    {
        const uint32_t control = (halfControl + step) % NUMBER_OF_CONTROLS;
        const float value = currentPortValue(control);
        if (value == m_seenPortValues[control])
        {
            continue;
        }
        m_seenPortValues[control] = value;
        if (value != effectPortValue(control))
        {
            const long index = parameterOfPort(FIRST_PARAMETER_PORT + control);
            m_effect->setParameter(m_effect, static_cast<VstInt32>(index), toNormalised(index, value));
        }
    }
}

// The effect takes a block's events all at its start, as from a VST host.
void CZeloLv2Instance::sendMidiEvents()
{
    if (!m_midiIn || !m_hasUrids)
    {
        return;
    }
    int count = 0;
    LV2_ATOM_SEQUENCE_FOREACH(m_midiIn, event)
    {
        if (count == MAXIMUM_EVENTS)
        {
            break;
        }
        if (event->body.type != m_urids.midiEvent || event->body.size == 0 || event->body.size > SHORT_MESSAGE_SIZE)
        {
            continue;
        }
        VstMidiEvent &target = m_midiEvents[count++];
        target.deltaFrames = static_cast<VstInt32>(event->time.frames);
        std::memset(target.midiData, 0, sizeof(target.midiData));
        std::memcpy(target.midiData, LV2_ATOM_BODY_CONST(&event->body), event->body.size);
    }
    if (count > 0)
    {
        m_eventList.events.numEvents = count;
        dispatch(effProcessEvents, 0, 0, &m_eventList.events);
    }
}

void CZeloLv2Instance::processChunk(uint32_t offset, uint32_t frames)
{
    float *inputs[2];
    float *outputs[2];
    for (int channel = 0; channel < 2; ++channel)
    {
        std::copy_n(m_inputs[channel] + offset, frames, m_inputCopies[channel]);
        inputs[channel] = m_inputCopies[channel];
        outputs[channel] = m_outputs[channel] + offset;
    }
    m_effect->processReplacing(m_effect, inputs, outputs, static_cast<VstInt32>(frames));
}

void CZeloLv2Instance::run(uint32_t frames)
{
    applyChangedPorts();
    sendMidiEvents();
    if (m_latency)
    {
        *m_latency = static_cast<float>(m_effect->initialDelay);
    }
    if (!m_inputs[0] || !m_inputs[1] || !m_outputs[0] || !m_outputs[1])
    {
        return;
    }
    for (uint32_t offset = 0; offset < frames; offset += CHUNK_FRAMES)
    {
        processChunk(offset, std::min(CHUNK_FRAMES, frames - offset));
    }
}
} // namespace Zelo::Lv2
