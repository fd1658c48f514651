// The VST 2.4 door into the plug-in: the exported VSTPluginMain and the effect it builds.
#pragma once

#include "public.sdk/source/vst2.x/audioeffect.h"

#include "pluginterfaces/base/fplatform.h"

// A new effect around the plug-in's VST 3 processor and controller, or null.
AudioEffect* createEffectInstance (audioMasterCallback audioMaster);

// The host's entry: the new effect's record, or null for a host that cannot be called, reports
// no interface version, or when the effect cannot be built.
extern "C" SMTG_EXPORT_SYMBOL AEffect* VSTCALLBACK VSTPluginMain (audioMasterCallback audioMaster);
