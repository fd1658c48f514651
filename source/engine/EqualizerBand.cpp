// Equaliser band coefficients after the Audio EQ Cookbook, kept unnormalised.
#include "engine/EqualizerBand.h"

#include <cmath>

namespace Steinberg {
namespace Vst {

EqualizerBand::EqualizerBand ()
: sampleRate (44100.0)
, frequency (1000.0)
, q (0.7)
, amplitude (1.0)
, gainDb (0.0)
, alpha (0.0)
, shelfTerm (0.0)
, omega (0.0)
, sinOmega (0.0)
, cosOmega (1.0)
, type (kLowPass)
{
	setCoefficients (1.0, 0.0, 0.0, 1.0, 0.0, 0.0);
	clear ();
	updateCoefficients ();
}

void EqualizerBand::setSampleRate (double hz)
{
	sampleRate = positiveFiniteRate (hz);
	updateOmega ();
	updateFilter ();
}

void EqualizerBand::setFrequency (double hz)
{
	frequency = hz;
	updateOmega ();
	updateFilter ();
}

void EqualizerBand::setGain (double dB)
{
	gainDb = dB;
	updateAmplitude ();
	updateFilter ();
}

void EqualizerBand::setType (uint32_t newType)
{
	type = newType;
	updateFilter ();
}

void EqualizerBand::setQ (double newQ)
{
	q = newQ;
	updateFilter ();
}

void EqualizerBand::clear ()
{
	setPair (x1, 0.0, 0.0);
	setPair (x2, 0.0, 0.0);
	setPair (y1, 0.0, 0.0);
	setPair (y2, 0.0, 0.0);
}

void EqualizerBand::updateCoefficients ()
{
	updateOmega ();
	updateAmplitude ();
	updateFilter ();
}

void EqualizerBand::updateOmega ()
{
	const double heldFrequency = clampValue (frequency, kLowestHz, kHighestFractionOfRate * sampleRate);
	omega = 6.283185307179586 * heldFrequency / sampleRate;
	sinOmega = std::sin (omega);
	cosOmega = std::cos (omega);
}

void EqualizerBand::updateAmplitude ()
{
	amplitude = std::pow (10.0, gainDb / 40.0);
	shelfTerm = std::sqrt (amplitude + amplitude);
}

void EqualizerBand::updateFilter ()
{
	alpha = sinOmega / (2.0 * q);

	const double A = amplitude;
	const double c = cosOmega;
	const double S = shelfTerm * sinOmega;
	switch (type)
	{
		case kHighPass:
			setCoefficients ((1.0 + c) / 2.0,
			                 -(1.0 + c),
			                 (1.0 + c) / 2.0,
			                 1.0 + alpha,
			                 -2.0 * c,
			                 1.0 - alpha);
			break;
		case kBandPass:
			setCoefficients (alpha,
			                 0.0,
			                 -alpha,
			                 1.0 + alpha,
			                 -2.0 * c,
			                 1.0 - alpha);
			break;
		case kNotch:
			setCoefficients (1.0,
			                 -2.0 * c,
			                 1.0,
			                 1.0 + alpha,
			                 -2.0 * c,
			                 1.0 - alpha);
			break;
		case kPeaking:
			setCoefficients (1.0 + alpha * A,
			                 -2.0 * c,
			                 1.0 - alpha * A,
			                 1.0 + alpha / A,
			                 -2.0 * c,
			                 1.0 - alpha / A);
			break;
		case kLowShelf:
			setCoefficients (A * (((A + 1.0) - (A - 1.0) * c) + S),
			                 2.0 * A * ((A - 1.0) - (A + 1.0) * c),
			                 A * (((A + 1.0) - (A - 1.0) * c) - S),
			                 ((A + 1.0) + (A - 1.0) * c) + S,
			                 -2.0 * ((A - 1.0) + (A + 1.0) * c),
			                 ((A + 1.0) + (A - 1.0) * c) - S);
			break;
		case kHighShelf:
			setCoefficients (A * (((A + 1.0) + (A - 1.0) * c) + S),
			                 -2.0 * A * ((A - 1.0) + (A + 1.0) * c),
			                 A * (((A + 1.0) + (A - 1.0) * c) - S),
			                 ((A + 1.0) - (A - 1.0) * c) + S,
			                 2.0 * ((A - 1.0) - (A + 1.0) * c),
			                 ((A + 1.0) - (A - 1.0) * c) - S);
			break;
		default: // the low-pass, also for any type above 6
			setCoefficients ((1.0 - c) / 2.0,
			                 1.0 - c,
			                 (1.0 - c) / 2.0,
			                 1.0 + alpha,
			                 -2.0 * c,
			                 1.0 - alpha);
			break;
	}
}

void EqualizerBand::setCoefficients (double newB0, double newB1, double newB2, double newA0,
                                     double newA1, double newA2)
{
	setPair (b0, newB0, newB0);
	setPair (b1, newB1, newB1);
	setPair (b2, newB2, newB2);
	setPair (a0, newA0, newA0);
	setPair (a1, newA1, newA1);
	setPair (a2, newA2, newA2);
}

} // namespace Vst
} // namespace Steinberg
