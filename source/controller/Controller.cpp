// Parameters are built from the shared table; state and presets go through setParamNormalized so
// that whatever a subclass attaches there (the open editor views) follows every change.
#include "controller/Controller.h"

#include "controller/GainParameter.h"
#include "controller/LogParameter.h"
#include "controller/ParabolParameter.h"
#include "controller/ParameterTable.h"
#include "controller/RangeText.h"
#include "processor/ReverbSettings.h"
#include "processor/TextChecks.h"

#include "base/source/fstring.h"
#include "pluginterfaces/base/ustring.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace Steinberg {
namespace Vst {

namespace {

// One stored value of the settings record and the parameter it feeds: a normalized double, or a
// list index or switch byte that the parameter's own toNormalized maps.
struct StateField
{
	ParamID id;
	double ReverbSettings::*normalized;
	int8 ReverbSettings::*plain;
};

constexpr StateField normalizedField (ParamID id, double ReverbSettings::*field)
{
	return {id, field, nullptr};
}

constexpr StateField plainField (ParamID id, int8 ReverbSettings::*field)
{
	return {id, nullptr, field};
}

// The order in which a state reaches the parameters (and the open views).
constexpr StateField kStateFields[] = {
    normalizedField (kDry, &ReverbSettings::dry),
    normalizedField (kPredelay, &ReverbSettings::predelay),
    normalizedField (kWidth, &ReverbSettings::width),
    normalizedField (kDecayTime, &ReverbSettings::decayTime),
    normalizedField (kRoomSize, &ReverbSettings::roomSize),
    normalizedField (kDiffusion, &ReverbSettings::diffusion),
    normalizedField (kDampIntensity, &ReverbSettings::dampIntensity),
    normalizedField (kDamp, &ReverbSettings::damp),
    normalizedField (kLowShelf, &ReverbSettings::lowShelf),
    normalizedField (kLowGain, &ReverbSettings::lowGain),
    normalizedField (kPeak, &ReverbSettings::peak),
    normalizedField (kPeakGain, &ReverbSettings::peakGain),
    normalizedField (kHighShelf, &ReverbSettings::highShelf),
    normalizedField (kHighGain, &ReverbSettings::highGain),
    normalizedField (kEarlyReflections, &ReverbSettings::earlyReflections),
    normalizedField (kReverb, &ReverbSettings::reverb),
    normalizedField (kWet, &ReverbSettings::wet),
    plainField (kEarlyReflectionVariation, &ReverbSettings::earlyReflectionVariation),
    plainField (kReverbVariation, &ReverbSettings::reverbVariation),
    plainField (kBypass, &ReverbSettings::bypass),
    plainField (kBypassDry, &ReverbSettings::bypassDry),
    plainField (kBypassEarlyReflections, &ReverbSettings::bypassEarlyReflections),
    plainField (kBypassReverb, &ReverbSettings::bypassReverb),
    plainField (kBypassWet, &ReverbSettings::bypassWet),
    normalizedField (kModSpeed, &ReverbSettings::modSpeed),
    normalizedField (kModDepth, &ReverbSettings::modDepth),
};
static_assert (sizeof (kStateFields) / sizeof (kStateFields[0]) == kNumStoredParameters,
               "every stored parameter is read from the state");

// The five switches: one step and no list of their own, so the SDK shows them as "On" and "Off".
bool isSwitch (const Parameter& parameter)
{
	const ParameterInfo& info = parameter.getInfo ();
	return info.stepCount == 1 && !(info.flags & ParameterInfo::kIsList);
}

// Typed text against a shown one; the case of ASCII letters plays no part.
bool sameTextIgnoringCase (const TChar* typed, const TChar* shown)
{
	const auto lower = [] (TChar c) { return c >= 'A' && c <= 'Z' ? TChar (c - 'A' + 'a') : c; };
	for (; *typed && *shown; ++typed, ++shown)
		if (lower (*typed) != lower (*shown))
			return false;
	return *typed == *shown;
}

const ParameterDescription* descriptionOf (ParamID id)
{
	for (const auto& description : kParameterTable)
		if (description.id == id)
			return &description;
	return nullptr;
}

// The lock keeps the user's dry/wet balance while presets change the room.
bool keptByLock (ParamID id)
{
	return id == kDry || id == kWet || id == kBypassDry || id == kBypassWet;
}

Parameter* createListParameter (const ParameterDescription& description)
{
	auto* list = new StringListParameter (description.title, description.id, description.units,
	                                      description.flags, kRootUnitId);
	for (int32 entry = 1; entry <= description.stepCount + 1; ++entry)
	{
		char text[32];
		std::snprintf (text, sizeof (text), "Variation %d", static_cast<int> (entry));
		String128 string;
		UString (string, str16BufferSize (String128)).fromAscii (text);
		list->appendString (string);
	}
	return list;
}

// The object for one row of the table; null for the rows the container makes itself.
Parameter* createParameter (const ParameterDescription& d)
{
	switch (d.kind)
	{
		case ParameterKind::kGain:
			return new GainParameter (d.flags, d.id, d.title);
		case ParameterKind::kRange:
			return new RangeParameter (d.title, d.id, d.units, d.minPlain, d.maxPlain, d.defaultPlain,
			                           d.stepCount, d.flags, kRootUnitId);
		case ParameterKind::kList:
			return createListParameter (d);
		case ParameterKind::kLog:
			return new LogParameter (d.title, d.id, d.units, d.minPlain, d.maxPlain, d.defaultPlain,
			                         d.flags, kRootUnitId);
		case ParameterKind::kParabol:
			return new ParabolParameter (d.title, d.id, d.units, d.minPlain, d.maxPlain,
			                             d.defaultPlain, d.flags, kRootUnitId, d.power);
		case ParameterKind::kPlain:
			break;
	}
	return nullptr;
}

} // namespace

tresult PLUGIN_API Controller::initialize (FUnknown* context)
{
	const tresult result = EditController::initialize (context);
	if (result != kResultOk)
		return result;

	const tresult knobResult = setKnobMode (kLinearMode);

	try
	{
		for (const auto& description : kParameterTable)
		{
			if (Parameter* parameter = createParameter (description))
			{
				if (description.precision != kKeepPrecision)
					parameter->setPrecision (description.precision);
				parameters.addParameter (parameter);
			}
			else
			{
				parameters.addParameter (description.title, description.units, description.stepCount,
				                         description.defaultPlain, description.flags,
				                         static_cast<int32> (description.id), kRootUnitId);
			}
		}
	}
	catch (...)
	{
		// No memory for a parameter or for the SDK's container: some of the parameters would
		// mislead the host, so it gets none and an initialize that failed as a whole.
		EditController::terminate ();
		return kOutOfMemory;
	}
	return knobResult;
}

tresult PLUGIN_API Controller::terminate ()
{
	return EditController::terminate ();
}

tresult PLUGIN_API Controller::setComponentState (IBStream* state)
{
	// The reader fills fields as it goes, so a failed read must not touch the parameters.
	ReverbSettings record {};
	const tresult result = record.read (state);
	if (result != kResultOk)
		return result;

	for (const auto& field : kStateFields)
	{
		ParamValue value = 0.0;
		if (field.normalized)
		{
			value = record.*field.normalized;
			// The reader takes doubles as stored; a NaN would stick in the parameter and every view.
			if (std::isnan (value))
				value = 0.0;
		}
		else
		{
			value = plainParamToNormalized (field.id, static_cast<ParamValue> (record.*field.plain));
		}
		setParamNormalized (field.id, value);
	}
	// Hosts that keep their own copy of the values (read once from the parameter infos' defaults)
	// learn of the processor's values only when told to read them again.
	if (componentHandler)
		componentHandler->restartComponent (kParamValuesChanged);
	return kResultOk;
}

tresult PLUGIN_API Controller::getParameterInfo (int32 paramIndex, ParameterInfo& info)
{
	// The SDK's container throws for an index it does not hold; hosts get a result code instead.
	if (paramIndex < 0 || paramIndex >= parameters.getParameterCount ())
		return kResultFalse;
	return EditController::getParameterInfo (paramIndex, info);
}

tresult PLUGIN_API Controller::getParamStringByValue (ParamID tag, ParamValue valueNormalized,
                                                      String128 string)
{
	// Hosts may ask for any value. Outside 0 to 1 the SDK's list parameters index past their
	// entries (and throw) and huge plain numbers overrun the text buffer; no parameter ever
	// holds such a value, so the text of the nearest valid one is the honest answer.
	return EditController::getParamStringByValue (tag, holdWithin (valueNormalized, 0.0, 1.0), string);
}

tresult PLUGIN_API Controller::getParamValueByString (ParamID tag, TChar* string,
                                                      ParamValue& valueNormalized)
{
	if (!string || !isWholeUtf16 (string))
		return kResultFalse;
	try
	{
		return readText (tag, string, valueNormalized);
	}
	catch (...)
	{
		// The SDK's conversion to UTF-8 on Linux allocates; without memory the text goes unread.
		return kResultFalse;
	}
}

tresult Controller::readText (ParamID tag, const TChar* string, ParamValue& valueNormalized)
{
	const Parameter* parameter = getParameterObject (tag);
	if (parameter && isSwitch (*parameter))
	{
		// What a switch shows ("On", "Off") can be typed back.
		for (const ParamValue state : {0.0, 1.0})
		{
			String128 shown {};
			parameter->toString (state, shown);
			if (sameTextIgnoringCase (string, shown))
			{
				valueNormalized = state;
				return kResultTrue;
			}
		}
	}
	// Every other readable text holds a number. The SDK's own parameter classes report success on
	// Windows for texts without one, and "nan" scans as a number that is no value: all of these
	// answer as unreadable, leaving the caller's value alone.
	double number = 0.0;
	if (!String (string).scanFloat (number, 0, true) || std::isnan (number))
		return kResultFalse;
	ParamValue value = valueNormalized;
	if (EditController::getParamValueByString (tag, const_cast<TChar*> (string), value) != kResultTrue ||
	    std::isnan (value))
		return kResultFalse;
	// The switches and the level take a typed number as it is, "5" or "-1e400" included: held to
	// the normalized range like every other value that reaches a parameter.
	valueNormalized = holdWithin (value, 0.0, 1.0);
	return kResultTrue;
}

ParamValue PLUGIN_API Controller::normalizedParamToPlain (ParamID tag, ParamValue valueNormalized)
{
	// A list turns the value into an entry index: outside 0 to 1, or NaN, that would be an entry
	// that does not exist or no integer at all.
	if (descriptionOf (tag))
		valueNormalized = holdWithin (valueNormalized, 0.0, 1.0);
	return EditController::normalizedParamToPlain (tag, valueNormalized);
}

ParamValue PLUGIN_API Controller::plainParamToNormalized (ParamID tag, ParamValue plainValue)
{
	if (const ParameterDescription* description = descriptionOf (tag))
		plainValue = holdWithin (plainValue, description->minPlain, description->maxPlain);
	return EditController::plainParamToNormalized (tag, plainValue);
}

tresult PLUGIN_API Controller::setParamNormalized (ParamID tag, ParamValue value)
{
	return EditController::setParamNormalized (tag, value);
}

tresult PLUGIN_API Controller::notify (IMessage* message)
{
	// The processor's texts are announcements the controller has no use for. ComponentBase would
	// follow a message into its attributes unchecked, read a text that fills its buffer past the
	// end, and convert it to UTF-8 (on Linux a conversion that throws for a lone surrogate) only to
	// hand it to receiveText, which does nothing here. Its answers stay, without any of that.
	if (!message)
		return kInvalidArgument;
	IAttributeList* attributes = message->getAttributes ();
	FIDString id = message->getMessageID ();
	if (!attributes || !id || std::strcmp (id, "TextMessage") != 0)
		return kResultFalse;
	TChar text[256] = {};
	return attributes->getString ("Text", text, sizeof (text)) == kResultOk ? kResultOk : kResultFalse;
}

tresult PLUGIN_API Controller::setKnobMode (KnobMode mode)
{
	if (mode != kLinearMode)
		return kResultFalse;
	return EditController::setKnobMode (mode);
}

void Controller::applyPreset (const ParamValue* values)
{
	if (!values)
		return;
	for (ParamID id = 0; id < kNumStoredParameters; ++id)
	{
		if (id == kBypass || (locked && keptByLock (id)))
			continue;
		const Parameter* parameter = getParameterObject (id);
		if (!parameter || std::isnan (values[id]))
			continue;

		ParamValue normalized = 0.0;
		if (parameter->getInfo ().stepCount > 0)
		{
			normalized = plainParamToNormalized (id, values[id]);
		}
		else
		{
			// Through the parameter's own text reading, so a preset value obeys the same rules as a
			// typed one: two decimals, clamped, positive dB taken as negative.
			char text[128];
			std::snprintf (text, sizeof (text), "%.2f", values[id]);
			String128 string;
			UString (string, str16BufferSize (String128)).fromAscii (text);
			if (EditController::getParamValueByString (id, string, normalized) != kResultTrue)
				continue;
		}
		setParamNormalized (id, normalized);
		performEdit (id, normalized);
	}
}

void Controller::setLock (bool lock)
{
	locked = lock;
}

bool Controller::isLocked () const
{
	return locked;
}

} // namespace Vst
} // namespace Steinberg
