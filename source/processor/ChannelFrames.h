// The host's channels to the engine's interleaved frames and back, with the output's level.
#pragma once

#include "engine/SimdTarget.h"

#include "pluginterfaces/vst/ivstaudioprocessor.h"

#include <immintrin.h>

namespace Steinberg {
namespace Vst {
namespace ChannelFrames {

// Two consecutive samples of one channel as doubles, and back (rounded to nearest, as a cast is).
inline __m128d loadTwo (const Sample32* samples)
{
	return _mm_cvtps_pd (_mm_castsi128_ps (_mm_loadl_epi64 (reinterpret_cast<const __m128i*> (samples))));
}
inline __m128d loadTwo (const Sample64* samples) { return _mm_loadu_pd (samples); }
inline void storeTwo (Sample32* samples, __m128d values)
{
	_mm_storel_epi64 (reinterpret_cast<__m128i*> (samples), _mm_castps_si128 (_mm_cvtpd_ps (values)));
}
inline void storeTwo (Sample64* samples, __m128d values) { _mm_storeu_pd (samples, values); }

// Four consecutive samples of one channel as doubles, and back; for code built for AVX.
TESSALINE_AVX_HELPER inline __m256d loadFour (const Sample32* samples) { return _mm256_cvtps_pd (_mm_loadu_ps (samples)); }
TESSALINE_AVX_HELPER inline __m256d loadFour (const Sample64* samples) { return _mm256_loadu_pd (samples); }
TESSALINE_AVX_HELPER inline void storeFour (Sample32* samples, __m256d values) { _mm_storeu_ps (samples, _mm256_cvtpd_ps (values)); }
TESSALINE_AVX_HELPER inline void storeFour (Sample64* samples, __m256d values) { _mm256_storeu_pd (samples, values); }

// A chunk's channels to interleaved frames, two frames at a time, and a last odd one alone.
template <typename Sample>
inline void interleave (const Sample* left, const Sample* right, double* frames, int32 count)
{
	int32 i = 0;
	for (; i + 2 <= count; i += 2)
	{
		const __m128d l = loadTwo (left + i);
		const __m128d r = loadTwo (right + i);
		_mm_storeu_pd (&frames[2 * i], _mm_unpacklo_pd (l, r));
		_mm_storeu_pd (&frames[2 * i + 2], _mm_unpackhi_pd (l, r));
	}
	if (i < count)
	{
		frames[2 * i] = left[i];
		frames[2 * i + 1] = right[i];
	}
}

// And back: returns the largest mid value of the frames, at least largest's, in two lanes (the
// larger of the two is the level). max (mid, largest) keeps largest unless mid is greater, so a
// NaN never gets in.
template <typename Sample>
inline __m128d deinterleave (const double* frames, Sample* left, Sample* right, int32 count, __m128d largest)
{
	int32 i = 0;
	for (; i + 2 <= count; i += 2)
	{
		const __m128d first = _mm_loadu_pd (&frames[2 * i]);
		const __m128d second = _mm_loadu_pd (&frames[2 * i + 2]);
		const __m128d l = _mm_unpacklo_pd (first, second);
		const __m128d r = _mm_unpackhi_pd (first, second);
		storeTwo (left + i, l);
		storeTwo (right + i, r);
		// Halving by a multiplication: exactly (L + R) / 2, without the divider's latency.
		largest = _mm_max_pd (_mm_mul_pd (_mm_add_pd (l, r), _mm_set1_pd (0.5)), largest);
	}
	if (i < count)
	{
		left[i] = static_cast<Sample> (frames[2 * i]);
		right[i] = static_cast<Sample> (frames[2 * i + 1]);
		largest = _mm_max_pd (_mm_set1_pd ((frames[2 * i] + frames[2 * i + 1]) * 0.5), largest);
	}
	return largest;
}

// The same four frames at a time, where the processor has AVX; the frames left over as above.
template <typename Sample>
TESSALINE_AVX_ENTRY void interleaveAvx (const Sample* left, const Sample* right, double* frames, int32 count)
{
	int32 i = 0;
	for (; i + 4 <= count; i += 4)
	{
		const __m256d l = loadFour (left + i);
		const __m256d r = loadFour (right + i);
		const __m256d even = _mm256_unpacklo_pd (l, r); // frames 0 and 2
		const __m256d odd = _mm256_unpackhi_pd (l, r); // frames 1 and 3
		_mm256_storeu_pd (&frames[2 * i], _mm256_permute2f128_pd (even, odd, 0x20));
		_mm256_storeu_pd (&frames[2 * i + 4], _mm256_permute2f128_pd (even, odd, 0x31));
	}
	interleave (left + i, right + i, frames + 2 * i, count - i);
}

template <typename Sample>
TESSALINE_AVX_ENTRY __m128d deinterleaveAvx (const double* frames, Sample* left, Sample* right, int32 count,
                                             __m128d largest)
{
	// Each lane's largest mid value, the lanes folded into two at the end.
	__m256d largestFour = _mm256_setzero_pd ();
	int32 i = 0;
	for (; i + 4 <= count; i += 4)
	{
		const __m256d first = _mm256_loadu_pd (&frames[2 * i]);
		const __m256d second = _mm256_loadu_pd (&frames[2 * i + 4]);
		const __m256d even = _mm256_permute2f128_pd (first, second, 0x20); // frames 0 and 2
		const __m256d odd = _mm256_permute2f128_pd (first, second, 0x31); // frames 1 and 3
		const __m256d l = _mm256_unpacklo_pd (even, odd);
		const __m256d r = _mm256_unpackhi_pd (even, odd);
		storeFour (left + i, l);
		storeFour (right + i, r);
		largestFour = _mm256_max_pd (_mm256_mul_pd (_mm256_add_pd (l, r), _mm256_set1_pd (0.5)), largestFour);
	}
	const __m128d mids = _mm_max_pd (_mm256_castpd256_pd128 (largestFour), _mm256_extractf128_pd (largestFour, 1));
	largest = _mm_max_pd (mids, largest);
	return deinterleave (frames + 2 * i, left + i, right + i, count - i, largest);
}

} // namespace ChannelFrames
} // namespace Vst
} // namespace Steinberg
