// What a frame needs from the editor that owns it.
#pragma once

#include "vstguibase.h"

namespace VSTGUI {

class VSTGUIEditorInterface
{
public:
	virtual ~VSTGUIEditorInterface () = default;

	virtual void doIdleStuff () {}
	// Edit brackets, called with the tag of the control being edited.
	virtual void beginEdit (int32_t /*index*/) {}
	virtual void endEdit (int32_t /*index*/) {}
	// 2 is the linear mode, the only one the knobs follow.
	virtual int32_t getKnobMode () const { return 2; }
	virtual CFrame* getFrame () const { return frame; }

protected:
	VSTGUIEditorInterface () = default;
	CFrame* frame {nullptr};
};

} // namespace VSTGUI
