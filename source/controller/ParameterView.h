// What the controller needs of an open editor view: showing a parameter's new value.
#pragma once

#include "pluginterfaces/vst/vsttypes.h"

namespace Steinberg {
namespace Vst {

// The editor view implements this beside its SDK EditorView base; the controller finds it with a
// dynamic cast, so controller code never depends on the editor's classes.
class ParameterView
{
public:
	// Brings the view's controls for `id` to `value`, the normalized value exactly as the
	// controller received it: it may lie outside 0 to 1 and must be tolerated as such.
	virtual void updateParameter (ParamID id, ParamValue value) = 0;

protected:
	~ParameterView () = default;
};

} // namespace Vst
} // namespace Steinberg
