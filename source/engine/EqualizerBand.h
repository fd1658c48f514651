// One biquad band of the wet signal's equaliser (cookbook low-pass to high-shelf types).
#pragma once

#include "engine/EngineMath.h"
#include "engine/FrameLanes.h"

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

	// A band's coefficients and memory in registers, for a run over many frames: both channels of
	// one band (Sse2Lanes, see Kernel), or of two bands, one in each half (AvxLanes, see
	// KernelPair).
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wpsabi" // for AvxLanes, runs inlined into an AVX entry (see SimdTarget.h)
	template <class Lanes>
	struct Biquad
	{
		using Vector = typename Lanes::Vector;

		// Direct form I, both channels with the same coefficients, a0 divided at every sample. The
		// vectors go by reference: no 256-bit value is returned by code built for the default target.
		void output (const Vector& x, Vector& y) const
		{
			y = Lanes::mul (b0, x);
			y = Lanes::add (y, Lanes::mul (b1, x1));
			y = Lanes::add (y, Lanes::mul (b2, x2));
			y = Lanes::sub (y, Lanes::mul (a1, y1));
			y = Lanes::sub (y, Lanes::mul (a2, y2));
			y = Lanes::div (y, a0);
		}

		// The memory moves on by the frame that went in as x and came out as y.
		void shift (const Vector& x, const Vector& y)
		{
			x2 = x1;
			x1 = x;
			y2 = y1;
			y1 = y;
		}

		Vector b0, b1, b2, a1, a2, a0;
		Vector x1, x2, y1, y2;
	};
#pragma GCC diagnostic pop

	// One band: load, step each frame, then save.
	struct Kernel : Biquad<Sse2Lanes>
	{
		explicit Kernel (const EqualizerBand& band)
		: Biquad<Sse2Lanes> {loadPair (band.b0), loadPair (band.b1), loadPair (band.b2), loadPair (band.a1),
		                     loadPair (band.a2), loadPair (band.a0), loadPair (band.x1), loadPair (band.x2),
		                     loadPair (band.y1), loadPair (band.y2)}
		{
		}

		__m128d step (__m128d x)
		{
			__m128d y;
			output (x, y);
			shift (x, y);
			return y;
		}

		void save (EqualizerBand& band) const
		{
			storePair (band.x1, x1);
			storePair (band.x2, x2);
			storePair (band.y1, y1);
			storePair (band.y2, y2);
		}
	};

	// Two bands' kernels in one 256-bit register, the first band in the low half; for a caller
	// built for AVX. Each step takes the first band's frame in the low half and the second's in the
	// high half; a band that has no frame in a step keeps its memory. save () hands each band's
	// memory back to its kernel.
	struct KernelPair : Biquad<AvxLanes>
	{
		TESSALINE_AVX_HELPER KernelPair (const Kernel& first, const Kernel& second)
		: Biquad<AvxLanes> {AvxLanes::halves (first.b0, second.b0), AvxLanes::halves (first.b1, second.b1),
		                    AvxLanes::halves (first.b2, second.b2), AvxLanes::halves (first.a1, second.a1),
		                    AvxLanes::halves (first.a2, second.a2), AvxLanes::halves (first.a0, second.a0),
		                    AvxLanes::halves (first.x1, second.x1), AvxLanes::halves (first.x2, second.x2),
		                    AvxLanes::halves (first.y1, second.y1), AvxLanes::halves (first.y2, second.y2)}
		{
		}

		TESSALINE_AVX_HELPER __m256d step (__m256d x, bool firstOn, bool secondOn)
		{
			__m256d y;
			output (x, y);
			if (firstOn && secondOn)
				shift (x, y);
			else if (firstOn)
				shiftKeeping<AvxLanes::kHighHalf> (x, y);
			else
				shiftKeeping<AvxLanes::kLowHalf> (x, y);
			return y;
		}

		TESSALINE_AVX_HELPER void save (Kernel& first, Kernel& second) const
		{
			first.x1 = AvxLanes::lowHalf (x1);
			first.x2 = AvxLanes::lowHalf (x2);
			first.y1 = AvxLanes::lowHalf (y1);
			first.y2 = AvxLanes::lowHalf (y2);
			second.x1 = AvxLanes::highHalf (x1);
			second.x2 = AvxLanes::highHalf (x2);
			second.y1 = AvxLanes::highHalf (y1);
			second.y2 = AvxLanes::highHalf (y2);
		}

	private:
		// shift (), but the lanes that kKeep names (a blend mask) keep their memory.
		template <int kKeep>
		TESSALINE_AVX_HELPER void shiftKeeping (__m256d x, __m256d y)
		{
			x2 = _mm256_blend_pd (x1, x2, kKeep);
			x1 = _mm256_blend_pd (x, x1, kKeep);
			y2 = _mm256_blend_pd (y1, y2, kKeep);
			y1 = _mm256_blend_pd (y, y1, kKeep);
		}
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
