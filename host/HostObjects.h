// The host's side of the plug-in's interfaces: message relays between the components and an edit sink.
#pragma once

#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "pluginterfaces/vst/ivstmessage.h"

#include <string>
#include <vector>

namespace TessalineHost {

// Sits between two connected components, as many hosts do: passes every message on to the far side
// (when there is one) and keeps a line for each, "TextMessage: <text>" or the message id.
class MessageRelay : public Steinberg::Vst::IConnectionPoint
{
public:
	MessageRelay ();
	virtual ~MessageRelay ();

	void setDestination (Steinberg::Vst::IConnectionPoint* destination);
	const std::vector<std::string>& messages () const { return received; }

	Steinberg::tresult PLUGIN_API connect (Steinberg::Vst::IConnectionPoint* other) SMTG_OVERRIDE;
	Steinberg::tresult PLUGIN_API disconnect (Steinberg::Vst::IConnectionPoint* other) SMTG_OVERRIDE;
	Steinberg::tresult PLUGIN_API notify (Steinberg::Vst::IMessage* message) SMTG_OVERRIDE;

	DECLARE_FUNKNOWN_METHODS

private:
	Steinberg::Vst::IConnectionPoint* destination = nullptr;
	std::vector<std::string> received;
};

// What the controller reports to the host: kept in order for whoever wants to look.
class EditRecorder : public Steinberg::Vst::IComponentHandler
{
public:
	struct Edit
	{
		enum Kind { kBegin, kPerform, kEnd, kRestart } kind;
		Steinberg::Vst::ParamID id;
		Steinberg::Vst::ParamValue value;
	};

	EditRecorder ();
	virtual ~EditRecorder ();

	const std::vector<Edit>& edits () const { return recorded; }

	Steinberg::tresult PLUGIN_API beginEdit (Steinberg::Vst::ParamID id) SMTG_OVERRIDE;
	Steinberg::tresult PLUGIN_API performEdit (Steinberg::Vst::ParamID id,
	                                           Steinberg::Vst::ParamValue valueNormalized) SMTG_OVERRIDE;
	Steinberg::tresult PLUGIN_API endEdit (Steinberg::Vst::ParamID id) SMTG_OVERRIDE;
	Steinberg::tresult PLUGIN_API restartComponent (Steinberg::int32 flags) SMTG_OVERRIDE;

	DECLARE_FUNKNOWN_METHODS

private:
	std::vector<Edit> recorded;
};

} // namespace TessalineHost
