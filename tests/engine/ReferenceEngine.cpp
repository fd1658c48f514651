// Scalar reference of the engine: each stage one channel at a time, every sum and product in the
// order whose rounding the engine must reproduce.
#include "ReferenceEngine.h"

#include "engine/VariationTables.h"

#include <algorithm>
#include <cmath>

using namespace Steinberg::Vst;

namespace EngineTestSupport {

namespace {
double limited (double v, double lo, double hi)
{
	if (!(v >= lo))
		v = lo;
	if (v > hi)
		v = hi;
	return v;
}
double capRate (double hz) { return hz > 384000 ? 384000 : hz; }
} // namespace

int32_t ReferenceEngine::roundedCount (double ms, double rate)
{
	const double n = ms * rate * 0.001;
	const int32_t t = static_cast<int32_t> (n);
	const double r = n - t;
	return r < 0.5 ? t : t + 1;
}

void ReferenceEngine::tapLengths (TapRef& tap)
{
	for (int c = 0; c < 2; ++c)
		tap.length[c] = std::max (roundedCount (tap.times[c], tap.rate) * 8, 16);
}

void ReferenceEngine::combLengths (CombRef& comb)
{
	for (int c = 0; c < 2; ++c)
		comb.length[c] = std::max (roundedCount (comb.times[c], comb.rate), 2);
}

void ReferenceEngine::combFeedback (CombRef& comb)
{
	for (int c = 0; c < 2; ++c)
		comb.feedback[c] = std::pow (10.0, (-0.003 * comb.times[c]) / comb.decay[c]);
}

void ReferenceEngine::combDamping (CombRef& comb)
{
	for (int c = 0; c < 2; ++c)
	{
		const double b = 2.0 - std::cos (6.283185307179586 * comb.dampHz[c] / comb.rate);
		comb.coefficient[c] = std::sqrt (b * b - 1.0) - b;
		comb.dampGain[c] = 1.0 + comb.coefficient[c];
	}
}

void ReferenceEngine::modulatedRecalculate (ModulatedRef& m)
{
	const double n = m.delayMs * m.rate * 0.001;
	m.length = std::max (static_cast<int32_t> (n) + 1, 4);
	m.halfLength = m.length / 2;
	m.readOffset = static_cast<double> (m.length + m.halfLength);
	m.swing = m.halfLength * 0.48 * m.depth;
	m.increment = 512.0 * m.rateHz / m.rate;
	m.tableLength = 512.0;
}

void ReferenceEngine::bandCoefficients (BandRef& band)
{
	const double omega = 6.283185307179586 * band.frequency / band.rate;
	const double A = std::pow (10, band.gainDb / 40.0);
	const double sn = std::sin (omega);
	const double cs = std::cos (omega);
	const double alpha = sn / (2.0 * band.q);
	const double S = std::sqrt (A + A) * sn;
	switch (band.type)
	{
		case 4:
			band.b0 = 1 + alpha * A, band.b1 = -2 * cs, band.b2 = 1 - alpha * A;
			band.a0 = 1 + alpha / A, band.a1 = -2 * cs, band.a2 = 1 - alpha / A;
			break;
		case 5:
			band.b0 = A * ((A + 1) - (A - 1) * cs + S);
			band.b1 = 2 * A * ((A - 1) - (A + 1) * cs);
			band.b2 = A * ((A + 1) - (A - 1) * cs - S);
			band.a0 = (A + 1) + (A - 1) * cs + S;
			band.a1 = -2 * ((A - 1) + (A + 1) * cs);
			band.a2 = (A + 1) + (A - 1) * cs - S;
			break;
		case 6:
			band.b0 = A * ((A + 1) + (A - 1) * cs + S);
			band.b1 = -2 * A * ((A - 1) + (A + 1) * cs);
			band.b2 = A * ((A + 1) + (A - 1) * cs - S);
			band.a0 = (A + 1) - (A - 1) * cs + S;
			band.a1 = 2 * ((A - 1) - (A + 1) * cs);
			band.a2 = (A + 1) - (A - 1) * cs - S;
			break;
		default: // the engine uses types 4 to 6 only once constructed
			band.b0 = (1 - cs) / 2, band.b1 = 1 - cs, band.b2 = (1 - cs) / 2;
			band.a0 = 1 + alpha, band.a1 = -2 * cs, band.a2 = 1 - alpha;
			break;
	}
}

ReferenceEngine::ReferenceEngine ()
{
	preDelay.length = std::max (roundedCount (20.0, 44100) * 16, 32);
	for (auto& tap : taps)
	{
		tap.times[0] = 40, tap.times[1] = 50;
		tapLengths (tap);
	}
	for (auto& comb : combs)
	{
		comb.filtered[0] = comb.filtered[1] = 1, comb.direct[0] = comb.direct[1] = 0;
		comb.decay[0] = comb.decay[1] = 5;
		comb.times[0] = 40, comb.times[1] = 50;
		combDamping (comb);
		combLengths (comb);
		combFeedback (comb);
	}
	modulated.delayMs = 10, modulated.rateHz = 20, modulated.depth = 1;
	modulatedRecalculate (modulated);
	double angle = 0;
	for (int i = 0; i < 512; ++i)
	{
		modulated.sine[i] = std::sin (angle);
		angle += 0.01227184630308513;
	}
	modulated.sine[512] = 0.0;
	modulated.sine[513] = modulated.sine[1];
	for (auto& d : diffusers)
		d.length = std::max (roundedCount (20.0, 44100) * 16, 32);
	for (auto& band : bands)
		bandCoefficients (band);

	setSampleRate (44100);
	setDryLevel (1), setWidth (1), setEarlyReflectionsLevel (1), setReverbLevel (1), setWetLevel (1);
	bands[0].type = 5, bands[1].type = 4, bands[2].type = 6;
	for (auto& band : bands)
		bandCoefficients (band);
	setEarlyReflectionVariation (2);
	setReverbVariation (2);
	setPreDelay (0.1), setDecayTime (0.3), setRoomSize (0.5), setDiffusion (0.8);
	setDampIntensity (1.0), setDampFrequency (0.7);
	setEqGain (0.5, 0), setEqGain (0.5, 1), setEqGain (0.5, 2);
	setEqFrequency (0.3, 0), setEqFrequency (0.4, 1), setEqFrequency (0.7, 2);
	setModulationDepth (0.5), setModulationSpeed (0.5);
	reset ();
}

void ReferenceEngine::reset ()
{
	std::fill (preDelay.buffer.begin (), preDelay.buffer.end (), 0.0);
	for (auto& tap : taps)
		for (auto& line : tap.buffer)
			std::fill (line.begin (), line.end (), 0.0);
	for (auto& d : diffusers)
		std::fill (d.buffer.begin (), d.buffer.end (), 0.0);
	for (auto& comb : combs)
	{
		for (auto& line : comb.buffer)
			std::fill (line.begin (), line.end (), 0.0);
		comb.state[0] = comb.state[1] = 0;
	}
	for (auto& band : bands)
		for (int c = 0; c < 2; ++c)
			band.x1[c] = band.x2[c] = band.y1[c] = band.y2[c] = 0;
	modulated.tableLength = 512;
	std::fill (modulated.buffer.begin (), modulated.buffer.end (), 0.0);
}

void ReferenceEngine::setSampleRate (double hz)
{
	preDelay.rate = capRate (hz);
	preDelay.length = std::max (roundedCount (preDelay.timeMs, preDelay.rate) * 16, 32);
	for (auto& tap : taps)
	{
		tap.rate = capRate (hz);
		tapLengths (tap);
	}
	for (auto& d : diffusers)
	{
		d.rate = capRate (hz);
		d.length = std::max (roundedCount (d.timeMs, d.rate) * 16, 32);
	}
	for (auto& comb : combs)
	{
		comb.rate = capRate (hz);
		combDamping (comb);
		combLengths (comb);
	}
	for (auto& band : bands)
	{
		band.rate = hz;
		bandCoefficients (band);
	}
	modulated.rate = std::max (capRate (hz), 44100.0);
	modulatedRecalculate (modulated);
}

void ReferenceEngine::processFrame (const double in[2], double out[2])
{
	const double x[2] = {in[0], in[1]};

	double p[2];
	auto* frame = &preDelay.buffer[preDelay.position / 8];
	p[0] = frame[0], p[1] = frame[1];
	frame[0] = x[0], frame[1] = x[1];
	preDelay.position -= 16;
	if (preDelay.position == 0)
		preDelay.position = preDelay.length;

	const double dryGain = dryBypass ? 0 : dryLevel;
	double dry[2], acc[2] = {0, 0};
	for (int c = 0; c < 2; ++c)
		dry[c] = dryGain * x[c];

	for (auto& tap : taps)
		for (int c = 0; c < 2; ++c)
		{
			const double w = tap.gain[c] * p[c];
			double& slot = tap.buffer[c][tap.position[c] / 8];
			const double t = slot;
			slot = w;
			tap.position[c] -= 8;
			if (tap.position[c] == 0)
				tap.position[c] = tap.length[c];
			acc[c] = acc[c] + t;
		}
	const double erGain = erBypass ? 0 : erLevel;
	double er[2];
	for (int c = 0; c < 2; ++c)
		er[c] = erGain * acc[c];

	const double combIn[2] = {p[0] + (p[0] + p[1]), p[1] + (p[1] + p[0])};
	for (auto& comb : combs)
		for (int c = 0; c < 2; ++c)
		{
			const double i = comb.inputGain[c] * combIn[c];
			double& slot = comb.buffer[c][comb.position[c]];
			const double d = slot;
			comb.state[c] = comb.dampGain[c] * d - comb.coefficient[c] * comb.state[c];
			const double m = comb.filtered[c] * comb.state[c] + comb.direct[c] * d;
			const double y = comb.feedback[c] * m;
			slot = i + y;
			if (--comb.position[c] == 0)
				comb.position[c] = comb.length[c];
			acc[c] = acc[c] + y;
		}

	ModulatedRef& md = modulated;
	if (md.phase > md.tableLength)
		md.phase = md.phase - md.tableLength;
	const int i = static_cast<int> (md.phase);
	const double f = md.phase - i;
	const double s = md.sine[i] + f * (md.sine[i + 1] - md.sine[i]);
	md.phase = md.phase + md.increment;
	const double oR = md.readOffset + s * md.swing;
	const double oL = md.readOffset - s * md.swing;
	const uint32_t length = static_cast<uint32_t> (md.length);
	if (md.writeIndex >= length)
	{
		md.buffer[2 * length] = acc[0], md.buffer[2 * length + 1] = acc[1];
		md.writeIndex = 0;
	}
	md.buffer[2 * md.writeIndex] = acc[0], md.buffer[2 * md.writeIndex + 1] = acc[1];
	double a[2];
	const double offsets[2] = {oL, oR};
	for (int c = 0; c < 2; ++c)
	{
		const uint32_t whole = static_cast<uint32_t> (offsets[c]);
		const uint32_t j = (md.writeIndex + whole) % length;
		const double g = offsets[c] - whole;
		const double older = md.buffer[2 * j + c], newer = md.buffer[2 * (j + 1) + c];
		a[c] = older + g * (newer - older);
	}
	md.writeIndex++;

	for (auto& d : diffusers)
	{
		double* slot = &d.buffer[d.position / 8];
		for (int c = 0; c < 2; ++c)
		{
			const double delayed = slot[c];
			const double v = a[c] - d.gain[c] * delayed;
			slot[c] = v;
			a[c] = delayed + d.gain[c] * v;
		}
		d.position -= 16;
		if (d.position == 0)
			d.position = d.length;
	}

	const double reverbGain = reverbBypass ? 0 : reverbLevel;
	double q[2];
	for (int c = 0; c < 2; ++c)
		q[c] = reverbGain * a[c] + er[c];
	for (auto& band : bands)
		for (int c = 0; c < 2; ++c)
		{
			const double y = ((((band.b0 * q[c] + band.b1 * band.x1[c]) + band.b2 * band.x2[c]) -
			                   band.a1 * band.y1[c]) -
			                  band.a2 * band.y2[c]) /
			                 band.a0;
			band.x2[c] = band.x1[c], band.x1[c] = q[c];
			band.y2[c] = band.y1[c], band.y1[c] = y;
			q[c] = y;
		}

	const double wetGain = wetBypass ? 0 : wetLevel;
	const double w[2] = {wetGain * q[0], wetGain * q[1]};
	out[0] = (w[0] + crossMix * w[1]) + dry[0];
	out[1] = (w[1] + crossMix * w[0]) + dry[1];
}

void ReferenceEngine::setDryLevel (double v) { dryLevel = v; }
void ReferenceEngine::setDryBypass (bool b) { dryBypass = b; }
void ReferenceEngine::setEarlyReflectionsLevel (double v) { erLevel = v; }
void ReferenceEngine::setEarlyReflectionsBypass (bool b) { erBypass = b; }
void ReferenceEngine::setReverbLevel (double v) { reverbLevel = v * 0.15035610000000002; }
void ReferenceEngine::setReverbBypass (bool b) { reverbBypass = b; }
void ReferenceEngine::setWetLevel (double v) { wetLevel = v * 0.39905264901124726; }
void ReferenceEngine::setWetBypass (bool b) { wetBypass = b; }

void ReferenceEngine::setPreDelay (double v)
{
	preDelay.timeMs = limited (200 * limited (v, 0, 1), 0.01, 200);
	preDelay.length = std::max (roundedCount (preDelay.timeMs, preDelay.rate) * 16, 32);
}

void ReferenceEngine::setWidth (double v) { crossMix = 1 - limited (v, 0, 1); }

void ReferenceEngine::setEarlyReflectionVariation (int32_t n)
{
	erVariation = (n >= 1 && n <= 12) ? n - 1 : 0;
	updateEarlyReflections ();
}

void ReferenceEngine::setReverbVariation (int32_t n)
{
	reverbVariation = (n >= 1 && n <= 6) ? n - 1 : 2;
	updateCombs ();
}

void ReferenceEngine::setTapTimes (TapRef& tap, double left, double right)
{
	tap.times[0] = limited (left, 0.01, 200);
	tap.times[1] = limited (right, 0.01, 200);
	tapLengths (tap);
}

void ReferenceEngine::setCombTimes (CombRef& comb, double left, double right)
{
	comb.times[0] = limited (left, 0.01, 100);
	comb.times[1] = limited (right, 0.01, 100);
	combLengths (comb);
	combFeedback (comb);
}

void ReferenceEngine::setAllpassTime (AllpassRef& allpass, double ms)
{
	allpass.timeMs = limited (ms, 0.01, 50);
	allpass.length = std::max (roundedCount (allpass.timeMs, allpass.rate) * 16, 32);
}

void ReferenceEngine::updateEarlyReflections ()
{
	const double f = sizeFactor + 0.2;
	for (int k = 0; k < 10; ++k)
	{
		setTapTimes (taps[k], f * kEarlyReflectionTimes[erVariation][2 * k],
		             f * kEarlyReflectionTimes[erVariation][2 * k + 1]);
		taps[k].gain[0] = kEarlyReflectionGains[erVariation][2 * k];
		taps[k].gain[1] = kEarlyReflectionGains[erVariation][2 * k + 1];
	}
}

void ReferenceEngine::updateCombs ()
{
	const int gainSet = reverbVariation < 3 ? 0 : 1;
	for (int k = 0; k < 10; ++k)
	{
		setCombTimes (combs[k], kCombTimesLeft[reverbVariation][k], kCombTimesRight[reverbVariation][k]);
		combs[k].inputGain[0] = kCombGainsLeft[gainSet][k];
		combs[k].inputGain[1] = kCombGainsRight[gainSet][k];
	}
}

void ReferenceEngine::updateDiffuserTimes ()
{
	for (int d = 0; d < 5; ++d)
		setAllpassTime (diffusers[d], kDiffuserTimes[d] * sizeFactor);
}

void ReferenceEngine::updateDiffuserGains ()
{
	for (int d = 0; d < 5; ++d)
	{
		if (d < 2)
		{
			diffusers[d].gain[0] = kDiffuserGainsLeft[d] * decayFactor;
			diffusers[d].gain[1] = kDiffuserGainsRight[d] * decayFactor;
		}
		else
		{
			diffusers[d].gain[0] = (kDiffuserGainsLeft[d] * decayFactor) * diffusion;
			diffusers[d].gain[1] = (kDiffuserGainsRight[d] * decayFactor) * diffusion;
		}
	}
}

void ReferenceEngine::setDecayTime (double v)
{
	double t = 19.8 * limited (v, 0, 1) + 0.2;
	decayFactor = t < 1.2 ? (t - 0.2) * 0.6 + 0.4 : 1.0;
	for (auto& comb : combs)
	{
		comb.decay[0] = comb.decay[1] = t;
		combFeedback (comb);
		t = t + 0.0093335;
	}
	updateDiffuserGains ();
}

void ReferenceEngine::setRoomSize (double v)
{
	sizeFactor = 1.1 * limited (v, 0, 1) + 0.5;
	updateEarlyReflections ();
	updateDiffuserTimes ();
}

void ReferenceEngine::setDiffusion (double v)
{
	diffusion = limited (v, 0, 1);
	updateDiffuserGains ();
}

void ReferenceEngine::setDampIntensity (double v)
{
	const double i = limited (v, 0, 1);
	for (auto& comb : combs)
		for (int c = 0; c < 2; ++c)
			comb.filtered[c] = i * i, comb.direct[c] = 1 - i * i;
}

void ReferenceEngine::setDampFrequency (double hz)
{
	for (auto& comb : combs)
	{
		comb.dampHz[0] = comb.dampHz[1] = limited (hz, 20, 22049.9);
		combDamping (comb);
		hz = hz - 11;
	}
}

void ReferenceEngine::setEqGain (double v, int32_t band)
{
	bands[band].gainDb = 24 * v - 12;
	bandCoefficients (bands[band]);
}

void ReferenceEngine::setEqFrequency (double hz, int32_t band)
{
	bands[band].frequency = hz;
	bandCoefficients (bands[band]);
}

void ReferenceEngine::setModulatedDelay (double ms, double depth)
{
	modulated.delayMs = limited (ms, 0.1, 20);
	modulatedRecalculate (modulated);
	modulated.depth = limited (depth, 0, 1);
	modulatedRecalculate (modulated);
}

void ReferenceEngine::setModulationDepth (double v)
{
	v = limited (v, 0, 1);
	const double y = v * v * v * v;
	if (20 * y < 0.1)
		setModulatedDelay (0.1, y / (0.1 / 20));
	else
		setModulatedDelay (20 * y, 1.0);
}

void ReferenceEngine::setModulationSpeed (double v)
{
	v = limited (v, 0, 1);
	modulated.rateHz = 20 * (v * v * v);
	modulatedRecalculate (modulated);
}

} // namespace EngineTestSupport
