// The views are kept as the SDK's EditorView pointers and asked for their ParameterView side at
// each update: a view whose destruction is under way then no longer answers as one.
#include "controller/TessalineController.h"

#include "controller/ParameterView.h"
#include "editor/TessalineEditorView.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

namespace Steinberg {
namespace Vst {

FUnknown* TessalineController::createInstance (void* /*context*/)
{
	auto* controller = new (std::nothrow) TessalineController;
	return controller ? static_cast<IEditController*> (controller) : nullptr;
}

tresult PLUGIN_API TessalineController::initialize (FUnknown* context)
{
	presetIndex = 0;
	return Controller::initialize (context);
}

tresult PLUGIN_API TessalineController::terminate ()
{
	views.clear ();
	return Controller::terminate ();
}

tresult PLUGIN_API TessalineController::setParamNormalized (ParamID tag, ParamValue value)
{
	// The SDK's parameters let NaN through, and a view cannot draw it: it counts as 0.
	if (std::isnan (value))
		value = 0.0;
	const tresult result = Controller::setParamNormalized (tag, value);
	// A view may leave the list while it is being updated, so the size is read at every step.
	for (size_t i = 0; i < views.size (); ++i)
	{
		if (auto* view = dynamic_cast<ParameterView*> (views[i]))
		{
			// A text field that cannot take its new text (no memory) keeps the old one; the
			// parameter has its value all the same.
			try
			{
				view->updateParameter (tag, value);
			}
			catch (...)
			{
			}
		}
	}
	return result;
}

IPlugView* PLUGIN_API TessalineController::createView (FIDString name)
{
	if (!name || std::strcmp (name, ViewType::kEditor) != 0)
		return nullptr;
	// A view that no host window can take would leave the host an empty window where it could
	// have shown its own controls for the parameters.
	if (!TessalineEditorView::hasWindowSystem ())
		return nullptr;
	// The view's own parts (its idle timer) are allocated while it is built.
	try
	{
		return new TessalineEditorView (this);
	}
	catch (...)
	{
		return nullptr;
	}
}

void TessalineController::editorDestroyed (EditorView* editor)
{
	// Runs from EditorView's destructor, where no cast can tell what the view was: pointers only.
	views.erase (std::remove (views.begin (), views.end (), editor), views.end ());
}

void TessalineController::editorAttached (EditorView* editor)
{
	if (dynamic_cast<ParameterView*> (editor))
		addView (editor);
}

void TessalineController::editorRemoved (EditorView* editor)
{
	if (dynamic_cast<ParameterView*> (editor))
		removeView (editor);
}

void TessalineController::addView (EditorView* view)
{
	// Reached from the host's IPlugView::attached: without memory for the list the view opens
	// all the same, and only misses the values set from outside it.
	try
	{
		views.push_back (view);
	}
	catch (...)
	{
	}
}

void TessalineController::removeView (EditorView* view)
{
	auto entry = std::find (views.begin (), views.end (), view);
	if (entry != views.end ())
		views.erase (entry);
}

void TessalineController::setPresetIndex (int32 index)
{
	presetIndex = index;
}

int32 TessalineController::getPresetIndex () const
{
	return presetIndex;
}

} // namespace Vst
} // namespace Steinberg
