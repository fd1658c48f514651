// Base of a VST 2.4 editor: the window an effect owns and the host opens, sizes, idles and closes.
#pragma once

#include "pluginterfaces/vst2.x/aeffectx.h"

class AudioEffect;

class AEffEditor {
public:
    explicit AEffEditor(AudioEffect* effect);
    virtual ~AEffEditor();

    virtual AudioEffect* getEffect();
    virtual bool getRect(ERect** rect);
    virtual bool open(void* ptr);
    virtual void close();
    virtual bool isOpen();
    virtual void idle();
    virtual bool onKeyDown(VstKeyCode& keyCode);
    virtual bool onKeyUp(VstKeyCode& keyCode);
    virtual bool onWheel(float distance);
    virtual bool setKnobMode(VstInt32 mode);

protected:
    AudioEffect* effect;  // owns this editor
    void* systemWindow;   // the host's parent window while open
};
