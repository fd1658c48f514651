// Message relays and the edit recorder that the host gives its plug-ins.
#include "HostObjects.h"

#include "base/source/fstring.h"

namespace TessalineHost {

using namespace Steinberg;
using namespace Steinberg::Vst;

IMPLEMENT_FUNKNOWN_METHODS (MessageRelay, IConnectionPoint, IConnectionPoint::iid)

MessageRelay::MessageRelay ()
{
	FUNKNOWN_CTOR
}

MessageRelay::~MessageRelay ()
{
	FUNKNOWN_DTOR
}

void MessageRelay::setDestination (IConnectionPoint* far)
{
	destination = far;
}

tresult PLUGIN_API MessageRelay::connect (IConnectionPoint* other)
{
	return other ? kResultOk : kInvalidArgument;
}

tresult PLUGIN_API MessageRelay::disconnect (IConnectionPoint* /*other*/)
{
	return kResultOk;
}

tresult PLUGIN_API MessageRelay::notify (IMessage* message)
{
	if (!message)
		return kInvalidArgument;
	const char* id = message->getMessageID ();
	std::string line = id ? id : "";
	IAttributeList* attributes = message->getAttributes ();
	TChar text[256] = {};
	if (line == "TextMessage" && attributes && attributes->getString ("Text", text, sizeof (text)) == kResultOk)
	{
		String converted (text);
		converted.toMultiByte (kCP_Utf8);
		line += ": ";
		line += converted.text8 ();
	}
	received.push_back (line);
	return destination ? destination->notify (message) : kResultOk;
}

IMPLEMENT_FUNKNOWN_METHODS (EditRecorder, IComponentHandler, IComponentHandler::iid)

EditRecorder::EditRecorder ()
{
	FUNKNOWN_CTOR
}

EditRecorder::~EditRecorder ()
{
	FUNKNOWN_DTOR
}

tresult PLUGIN_API EditRecorder::beginEdit (ParamID id)
{
	recorded.push_back ({Edit::kBegin, id, 0.0});
	return kResultOk;
}

tresult PLUGIN_API EditRecorder::performEdit (ParamID id, ParamValue valueNormalized)
{
	recorded.push_back ({Edit::kPerform, id, valueNormalized});
	return kResultOk;
}

tresult PLUGIN_API EditRecorder::endEdit (ParamID id)
{
	recorded.push_back ({Edit::kEnd, id, 0.0});
	return kResultOk;
}

tresult PLUGIN_API EditRecorder::restartComponent (int32 flags)
{
	recorded.push_back ({Edit::kRestart, 0, static_cast<ParamValue> (flags)});
	return kResultOk;
}

} // namespace TessalineHost
