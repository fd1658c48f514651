// A stand-in host for the controller tests: a controller made as the factory makes it, a
// component handler and editor views that record what reaches them.
#pragma once

#include "controller/ParameterView.h"
#include "controller/TessalineController.h"

#include "base/source/fobject.h"
#include "pluginterfaces/base/ustring.h"
#include "public.sdk/source/common/memorystream.h"
#include "public.sdk/source/vst/hosting/hostclasses.h"

#include <map>
#include <string>
#include <vector>

namespace ControllerTesting {

using namespace Steinberg;
using namespace Steinberg::Vst;

std::string toAscii (const TChar* text);

// One call that reached a recording handler or view.
struct Call
{
	std::string what; // "begin", "perform", "end", "restart" or "update"
	ParamID id;
	ParamValue value; // for "restart": the flags
	int source; // which view; 0 for the handler
};

// The host's side of performEdit and friends.
class RecordingHandler : public FObject, public IComponentHandler
{
public:
	explicit RecordingHandler (std::vector<Call>& calls) : calls (calls) {}

	tresult PLUGIN_API beginEdit (ParamID id) SMTG_OVERRIDE;
	tresult PLUGIN_API performEdit (ParamID id, ParamValue valueNormalized) SMTG_OVERRIDE;
	tresult PLUGIN_API endEdit (ParamID id) SMTG_OVERRIDE;
	tresult PLUGIN_API restartComponent (int32 flags) SMTG_OVERRIDE;

	OBJ_METHODS (RecordingHandler, FObject)
	DEFINE_INTERFACES
		DEF_INTERFACE (IComponentHandler)
	END_DEFINE_INTERFACES (FObject)
	REFCOUNT_METHODS (FObject)

private:
	std::vector<Call>& calls;
};

// An editor view as the editor will be: an SDK EditorView that is also a ParameterView.
class RecordingView : public EditorView, public ParameterView
{
public:
	RecordingView (EditController* controller, std::vector<Call>& calls, int source)
	: EditorView (controller), calls (calls), source (source)
	{
	}
	void updateParameter (ParamID id, ParamValue value) override;

private:
	std::vector<Call>& calls;
	int source;
};

// Attaches a view the way a host does (the window handle plays no part here).
void attach (IPlugView* view);

// A controller from createInstance, initialized with a host context, released at the end.
class HostedController
{
public:
	HostedController ();
	~HostedController ();
	HostedController (const HostedController&) = delete;
	HostedController& operator= (const HostedController&) = delete;

	TessalineController& object () { return *controller; }
	IEditController* operator-> () { return editController; }

	// The parameter's display text at its current value.
	std::string text (ParamID id);
	std::string textAt (ParamID id, ParamValue value);
	// The normalized values of all registered parameters, by id.
	std::map<ParamID, ParamValue> allValues ();

private:
	HostApplication hostContext; // lives as long as the controller; it counts no references
	IEditController* editController;
	TessalineController* controller;
};

// The processor's default settings as its state stream writes them (version 4, 167 bytes).
std::vector<char> defaultStateBytes ();
// A stream holding these bytes, positioned at its start.
IPtr<MemoryStream> streamOfBytes (std::vector<char> bytes);
IPtr<MemoryStream> defaultStateStream ();

} // namespace ControllerTesting
