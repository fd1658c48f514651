// tessaline-host: loads a VST 3 module through its exports, lists its classes, renders WAV files.
#include "PluginInstance.h"
#include "PluginModule.h"
#include "Render.h"
#include "Wav.h"

#include "base/source/fstring.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace TessalineHost;

namespace {

const char* const kUsage =
    "usage:\n"
    "  tessaline-host info MODULE\n"
    "  tessaline-host render MODULE OUT.wav [options]\n"
    "options:\n"
    "  --in FILE.wav      input (default: a generated test signal)\n"
    "  --seconds S        length of the generated signal (default 1)\n"
    "  --rate HZ          sample rate of the generated signal (default 48000)\n"
    "  --tail S           silence appended after the input (default 4)\n"
    "  --block N          block size (default 512)\n"
    "  --double           process 64-bit samples\n"
    "  --param ID=VALUE   normalized value for a parameter (repeatable)\n"
    "  --state FILE       load a saved processor state first\n"
    "  --save-state FILE  save the processor state after rendering\n";

int fail (const std::string& message)
{
	std::fprintf (stderr, "tessaline-host: %s\n", message.c_str ());
	return 1;
}

std::string toUtf8 (const TChar* text)
{
	String converted (text);
	converted.toMultiByte (kCP_Utf8);
	return converted.text8 ();
}

void printBuses (IComponent& component, BusDirection direction)
{
	for (int32 i = 0; i < component.getBusCount (kAudio, direction); ++i)
	{
		BusInfo info {};
		if (component.getBusInfo (kAudio, direction, i, info) == kResultTrue)
			std::printf ("  %s bus %d: \"%s\", %d channels\n", direction == kInput ? "input" : "output",
			             i, toUtf8 (info.name).c_str (), info.channelCount);
	}
}

int info (const std::string& path)
{
	std::string error;
	auto module = PluginModule::load (path, error);
	if (!module)
		return fail (error);
	const PFactoryInfo& factory = module->factoryInfo ();
	std::printf ("factory: vendor \"%s\", url \"%s\", email \"%s\", flags %d\n", factory.vendor,
	             factory.url, factory.email, factory.flags);
	for (const auto& c : module->classes ())
	{
		char cid[33] = {};
		c.cid.toString (cid);
		std::printf ("class %s: \"%s\" category \"%s\" flags %u subcategories \"%s\" version \"%s\" "
		             "sdk \"%s\"\n",
		             cid, c.name.c_str (), c.category.c_str (), c.classFlags, c.subCategories.c_str (),
		             c.version.c_str (), c.sdkVersion.c_str ());
	}
	auto plugin = PluginInstance::create (*module, error);
	if (!plugin)
		return fail (error);
	printBuses (*plugin->component (), kInput);
	printBuses (*plugin->component (), kOutput);
	if (IEditController* controller = plugin->controller ())
	{
		std::printf ("  %d parameters\n", controller->getParameterCount ());
		for (int32 i = 0; i < controller->getParameterCount (); ++i)
		{
			ParameterInfo parameter {};
			if (controller->getParameterInfo (i, parameter) == kResultTrue)
				std::printf ("    %u \"%s\" default %g\n", parameter.id, toUtf8 (parameter.title).c_str (),
				             parameter.defaultNormalizedValue);
		}
	}
	else
	{
		std::printf ("  no controller class in this module\n");
	}
	return 0;
}

bool readFile (const std::string& path, std::vector<char>& bytes)
{
	std::ifstream file (path, std::ios::binary);
	if (!file)
		return false;
	bytes.assign (std::istreambuf_iterator<char> (file), std::istreambuf_iterator<char> ());
	return true;
}

bool writeFile (const std::string& path, const std::vector<char>& bytes)
{
	std::ofstream file (path, std::ios::binary);
	return static_cast<bool> (file.write (bytes.data (), static_cast<std::streamsize> (bytes.size ())));
}

int renderCommand (int argc, char** argv)
{
	const std::string modulePath = argv[2];
	const std::string outPath = argv[3];
	std::string inPath, stateOut;
	double seconds = 1.0, rate = 48000.0, tail = 4.0;
	RenderSettings settings;
	for (int i = 4; i < argc; ++i)
	{
		const std::string option = argv[i];
		const bool hasValue = i + 1 < argc;
		if (option == "--double")
			settings.doublePrecision = true;
		else if (!hasValue)
			return fail ("missing value for " + option + "\n" + kUsage);
		else if (option == "--in")
			inPath = argv[++i];
		else if (option == "--seconds")
			seconds = std::atof (argv[++i]);
		else if (option == "--rate")
			rate = std::atof (argv[++i]);
		else if (option == "--tail")
			tail = std::atof (argv[++i]);
		else if (option == "--block")
			settings.blockSize = std::atoi (argv[++i]);
		else if (option == "--save-state")
			stateOut = argv[++i];
		else if (option == "--state")
		{
			if (!readFile (argv[++i], settings.state))
				return fail (std::string ("cannot read ") + argv[i]);
		}
		else if (option == "--param")
		{
			const std::string assignment = argv[++i];
			const size_t equals = assignment.find ('=');
			if (equals == std::string::npos)
				return fail ("--param wants ID=VALUE, got " + assignment);
			settings.parameters.emplace_back (
			    static_cast<ParamID> (std::strtoul (assignment.substr (0, equals).c_str (), nullptr, 10)),
			    std::atof (assignment.c_str () + equals + 1));
		}
		else
			return fail ("unknown option " + option + "\n" + kUsage);
	}
	if (!(rate > 0.0) || !(seconds > 0.0))
		return fail ("the rate and the length must be positive");

	std::string error;
	StereoAudio input;
	if (!inPath.empty ())
	{
		if (!readWav (inPath, input, error))
			return fail (error);
	}
	else
	{
		input = makeTestSignal (rate, seconds);
	}
	settings.tailSeconds = tail > 0.0 ? tail : 0.0;

	auto module = PluginModule::load (modulePath, error);
	if (!module)
		return fail (error);
	auto plugin = PluginInstance::create (*module, error);
	if (!plugin)
		return fail (error);

	StereoAudio output;
	RenderSummary summary;
	if (!render (*plugin, input, settings, output, summary, error))
		return fail (error);
	if (!writeWav (outPath, output, error))
		return fail (error);
	if (!stateOut.empty ())
	{
		std::vector<char> state;
		if (plugin->getState (state) != kResultOk || !writeFile (stateOut, state))
			return fail ("cannot save the state to " + stateOut);
	}

	std::printf ("rendered %zu frames at %g Hz (%s, blocks of %d) into %s\n", output.frames (),
	             output.sampleRate, settings.doublePrecision ? "64-bit" : "32-bit", settings.blockSize,
	             outPath.c_str ());
	std::printf ("  peak L %.4f R %.4f, rms L %.4f R %.4f\n", summary.peak[0], summary.peak[1],
	             summary.rms[0], summary.rms[1]);
	std::printf ("  rings for %.2f s after the input ends (to -60 dB of the peak)\n", summary.ringSeconds);
	std::printf ("  %zu level points, highest %.4f\n", summary.levelPoints, summary.highestLevel);
	return 0;
}

} // namespace

int main (int argc, char** argv)
{
	if (argc >= 3 && std::strcmp (argv[1], "info") == 0)
		return info (argv[2]);
	if (argc >= 4 && std::strcmp (argv[1], "render") == 0)
		return renderCommand (argc, argv);
	std::fputs (kUsage, stderr);
	return 2;
}
