// One biquad band of the wet signal's equaliser (cookbook low-pass to high-shelf types).
#pragma once

#include "engine/EngineMath.h"

namespace Steinberg {
namespace Vst {

class alignas (64) EqualizerBand
{
public:
	enum Type : uint32_t
	{
		kLowPass = 0,
		kHighPass = 1,
		kBandPass = 2,
		kNotch = 3,
		kPeaking = 4,
		kLowShelf = 5,
		kHighShelf = 6
	};

	// The coefficients are computed from a frequency held within these bounds, so that no setting
	// can make the filter unstable: a corner at or above half the rate would.
	static constexpr double kLowestHz = 0.01;
	static constexpr double kHighestFractionOfRate = 0.4995;

	EqualizerBand ();
	EqualizerBand (const EqualizerBand&) = delete;
	EqualizerBand& operator= (const EqualizerBand&) = delete;

	void setSampleRate (double hz);
	void setFrequency (double hz);
	void setGain (double dB);
	void setType (uint32_t newType);
	void setQ (double newQ);
	void clear ();
	// Everything from the settings; each setter recomputes only the terms that depend on it.
	void updateCoefficients ();

	// The band's coefficients and memory in registers, for a run over many frames: load, step
	// each frame, then save.
	struct Kernel
	{
		explicit Kernel (const EqualizerBand& band)
		: b0 (loadPair (band.b0)), b1 (loadPair (band.b1)), b2 (loadPair (band.b2))
		, a1 (loadPair (band.a1)), a2 (loadPair (band.a2)), a0 (loadPair (band.a0))
		, x1 (loadPair (band.x1)), x2 (loadPair (band.x2)), y1 (loadPair (band.y1)), y2 (loadPair (band.y2))
		{
		}

		// Direct form I, both channels with the same coefficients, a0 divided at every sample.
		__m128d step (__m128d x)
		{
			__m128d y = _mm_mul_pd (b0, x);
			y = _mm_add_pd (y, _mm_mul_pd (b1, x1));
			y = _mm_add_pd (y, _mm_mul_pd (b2, x2));
			y = _mm_sub_pd (y, _mm_mul_pd (a1, y1));
			y = _mm_sub_pd (y, _mm_mul_pd (a2, y2));
			y = _mm_div_pd (y, a0);
			x2 = x1;
			x1 = x;
			y2 = y1;
			y1 = y;
			return y;
		}

		void save (EqualizerBand& band) const
		{
			storePair (band.x1, x1);
			storePair (band.x2, x2);
			storePair (band.y1, y1);
			storePair (band.y2, y2);
		}

		__m128d b0, b1, b2, a1, a2, a0;
		__m128d x1, x2, y1, y2;
	};

	__m128d step (__m128d x)
	{
		Kernel kernel (*this);
		const __m128d y = kernel.step (x);
		kernel.save (*this);
		return y;
	}

	uint32_t getType () const { return type; }
	double getFrequency () const { return frequency; }
	double getGainDb () const { return gainDb; }
	double getAmplitude () const { return amplitude; }
	double getOmega () const { return omega; }
	double getSampleRate () const { return sampleRate; }
	double getB0 () const { return b0[0]; }
	double getB1 () const { return b1[0]; }
	double getB2 () const { return b2[0]; }
	double getA0 () const { return a0[0]; }
	double getA1 () const { return a1[0]; }
	double getA2 () const { return a2[0]; }

private:
	// omega and its sine and cosine, from the frequency and the rate.
	void updateOmega ();
	// The amplitude and the shelf term, from the gain.
	void updateAmplitude ();
	// alpha and the coefficients, from the terms above, Q and the type.
	void updateFilter ();
	void setCoefficients (double newB0, double newB1, double newB2, double newA0, double newA1,
	                      double newA2);

	double sampleRate;
	double frequency;
	double q;
	double amplitude; // 10^(gainDb / 40)
	double gainDb;
	double alpha;
	double shelfTerm; // sqrt(2 A)
	double omega;
	double sinOmega;
	double cosOmega;
	// Each coefficient is held in both lanes of a pair, ready for the two channels.
	Pair b0, b1, b2;
	Pair a1, a2;
	Pair a0;
	Pair x1, x2;
	Pair y1, y2;
	uint32_t type;
};

} // namespace Vst
} // namespace Steinberg
