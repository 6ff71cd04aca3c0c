#include "vst/AEffEditor.h"

AEffEditor::AEffEditor(AudioEffect *effect) : m_effect(effect) {}

bool AEffEditor::getRect(ERect **rect)
{
    if (rect)
    {
        *rect = nullptr;
    }
    return false;
}

bool AEffEditor::open(void *parent)
{
    m_systemWindow = parent;
    return false;
}

void AEffEditor::close()
{
    m_systemWindow = nullptr;
}

bool AEffEditor::onKeyDown(VstInt32, VstInt32, VstInt32)
{
    return false;
}

bool AEffEditor::onKeyUp(VstInt32, VstInt32, VstInt32)
{
    return false;
}

bool AEffEditor::onWheel(float)
{
    return false;
}

bool AEffEditor::setKnobMode(VstInt32)
{
    return false;
}
