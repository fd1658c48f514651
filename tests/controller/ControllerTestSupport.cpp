// The stand-in host's parts: recording handler and views, the hosted controller, state streams.
#include "ControllerTestSupport.h"

#include "processor/ReverbSettings.h"


namespace ControllerTesting {

std::string toAscii (const TChar* text)
{
	std::string ascii;
	for (; text && *text; ++text)
		ascii += static_cast<char> (*text);
	return ascii;
}

tresult PLUGIN_API RecordingHandler::beginEdit (ParamID id)
{
	calls.push_back ({"begin", id, 0.0, 0});
	return kResultOk;
}

tresult PLUGIN_API RecordingHandler::performEdit (ParamID id, ParamValue valueNormalized)
{
	calls.push_back ({"perform", id, valueNormalized, 0});
	return kResultOk;
}

tresult PLUGIN_API RecordingHandler::endEdit (ParamID id)
{
	calls.push_back ({"end", id, 0.0, 0});
	return kResultOk;
}

tresult PLUGIN_API RecordingHandler::restartComponent (int32 flags)
{
	calls.push_back ({"restart", 0, static_cast<ParamValue> (flags), 0});
	return kResultOk;
}

void RecordingView::updateParameter (ParamID id, ParamValue value)
{
	calls.push_back ({"update", id, value, source});
}

void attach (IPlugView* view)
{
	view->attached (nullptr, kPlatformTypeHWND);
}

HostedController::HostedController ()
: editController (static_cast<IEditController*> (TessalineController::createInstance (nullptr))),
  controller (static_cast<TessalineController*> (editController))
{
	editController->initialize (&hostContext);
}

HostedController::~HostedController ()
{
	editController->terminate ();
	editController->release ();
}

std::string HostedController::text (ParamID id)
{
	return textAt (id, editController->getParamNormalized (id));
}

std::string HostedController::textAt (ParamID id, ParamValue value)
{
	String128 string {};
	if (editController->getParamStringByValue (id, value, string) != kResultTrue)
		return "(none)";
	return toAscii (string);
}

std::map<ParamID, ParamValue> HostedController::allValues ()
{
	std::map<ParamID, ParamValue> values;
	for (int32 index = 0; index < editController->getParameterCount (); ++index)
	{
		ParameterInfo info {};
		editController->getParameterInfo (index, info);
		values[info.id] = editController->getParamNormalized (info.id);
	}
	return values;
}

std::vector<char> defaultStateBytes ()
{
	IPtr<MemoryStream> stream = owned (new MemoryStream);
	defaultReverbSettings ().write (stream);
	return std::vector<char> (stream->getData (), stream->getData () + stream->getSize ());
}

IPtr<MemoryStream> streamOfBytes (std::vector<char> bytes)
{
	IPtr<MemoryStream> stream = owned (new MemoryStream);
	int32 written = 0;
	stream->write (bytes.data (), static_cast<int32> (bytes.size ()), &written);
	stream->seek (0, IBStream::kIBSeekSet, nullptr);
	return stream;
}

IPtr<MemoryStream> defaultStateStream ()
{
	return streamOfBytes (defaultStateBytes ());
}

} // namespace ControllerTesting
