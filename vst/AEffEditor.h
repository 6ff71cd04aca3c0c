// The editor base the VST layer talks to: the host's editor opcodes arrive
// here. The framework's editor window derives from it.
#pragma once

#include "vst/VstAbi.h"

class AudioEffect;

class AEffEditor
{
public:
    explicit AEffEditor(AudioEffect *effect);
    virtual ~AEffEditor() = default;

    virtual AudioEffect *getEffect() { return m_effect; }
    // Writes the editor's rectangle; the base has none.
    virtual bool getRect(ERect **rect);
    // `parent` is the host's native window (an X11 Window id on Linux).
    virtual bool open(void *parent);
    virtual void close();
    virtual bool isOpen() { return m_systemWindow != nullptr; }
    virtual void idle() {}
    virtual bool onKeyDown(VstInt32 character, VstInt32 virtualKey, VstInt32 modifier);
    virtual bool onKeyUp(VstInt32 character, VstInt32 virtualKey, VstInt32 modifier);
    virtual bool onWheel(float distance);
    virtual bool setKnobMode(VstInt32 mode);

protected:
    AudioEffect *m_effect;
    void *m_systemWindow = nullptr;
};
