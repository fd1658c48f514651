// Vectors of several frames of one delay line, for the parts that run over whole passes.
#pragma once

#include "engine/EngineMath.h"
#include "engine/SimdTarget.h"

#include <immintrin.h>

namespace Steinberg {
namespace Vst {

// A line walk's run stores frame first + j at index top - j, so kFrames consecutive frames of a
// line are one vector loaded from the lowest of their indices: the last frame comes first. Rows
// of several lines become columns, one vector per frame with a lane for each line, and back. The
// operations are lane for lane those of the frame routine, so the bits do not depend on the
// vector width. Sse2Lanes runs everywhere; AvxLanes only where cpuHasAvx () says so, inside
// functions built for AVX (TESSALINE_AVX_ENTRY).
struct Sse2Lanes
{
	using Vector = __m128d;
	static constexpr int kFrames = 2;

	static Vector load (const double* at) { return _mm_loadu_pd (at); }
	static void store (double* at, Vector v) { _mm_storeu_pd (at, v); }
	static Vector zero () { return _mm_setzero_pd (); }
	static Vector add (Vector a, Vector b) { return _mm_add_pd (a, b); }
	static Vector sub (Vector a, Vector b) { return _mm_sub_pd (a, b); }
	static Vector mul (Vector a, Vector b) { return _mm_mul_pd (a, b); }
	static Vector div (Vector a, Vector b) { return _mm_div_pd (a, b); }
	static Vector splat (double value) { return _mm_set1_pd (value); }
	// One frame's pair in every pair of lanes.
	static Vector frame (const Pair& pair) { return loadPair (pair); }
	// A value for each of kFrames / 2 frames, in both lanes of its frame's pair.
	static Vector perFrame (const double* values) { return _mm_set1_pd (values[0]); }
	static __m128i perFrame (const int32_t* values) { return _mm_set1_epi32 (values[0]); }
	// Each lane truncated to an int32_t, in the lanes' order, and back; and the kFrames int32_t
	// lanes stored.
	static __m128i truncate (Vector v) { return _mm_cvttpd_epi32 (v); }
	static Vector toDouble (__m128i whole) { return _mm_cvtepi32_pd (whole); }
	static void storeInts (int32_t* at, __m128i v) { _mm_storel_epi64 (reinterpret_cast<__m128i*> (at), v); }
	// The lanes of a pair member of consecutive parts, one part for each two lanes, and back.
	template <class Part>
	static Vector gatherPairs (const Part* parts, const Pair Part::*member)
	{
		return loadPair (parts[0].*member);
	}
	template <class Part>
	static void scatterPairs (Part* parts, Pair Part::*member, Vector v)
	{
		storePair (parts[0].*member, v);
	}
	// A frame's vector added to its sum, the lanes' pairs in order.
	static __m128d addPairs (__m128d sum, Vector v) { return _mm_add_pd (sum, v); }
	// The sums of kFrames frames, and the vectors of frames 2 p and 2 p + 1 added to them, each
	// frame's lanes' pairs in order.
	using Sums = __m128d[kFrames];
	static void loadSums (const Pair* frames, Sums& sums)
	{
		for (int f = 0; f < kFrames; ++f)
			sums[f] = loadPair (frames[f]);
	}
	static void addPairToSums (Sums& sums, int p, Vector first, Vector second)
	{
		sums[2 * p] = _mm_add_pd (sums[2 * p], first);
		sums[2 * p + 1] = _mm_add_pd (sums[2 * p + 1], second);
	}
	static void storeSums (Pair* frames, const Sums& sums)
	{
		for (int f = 0; f < kFrames; ++f)
			storePair (frames[f], sums[f]);
	}

	// The left and right channels of frames[0 .. kFrames - 1], each as a line holds them.
	static void split (const Pair* frames, Vector& left, Vector& right)
	{
		const __m128d first = loadPair (frames[0]);
		const __m128d second = loadPair (frames[1]);
		left = _mm_unpacklo_pd (second, first);
		right = _mm_unpackhi_pd (second, first);
	}
	static void join (Vector left, Vector right, Pair* frames)
	{
		storePair (frames[0], _mm_unpackhi_pd (left, right));
		storePair (frames[1], _mm_unpacklo_pd (left, right));
	}

	// kFrames rows, one per line, to kFrames columns, one per frame (last frame first); and back.
	static void transpose (Vector (&rows)[kFrames])
	{
		const __m128d low = _mm_unpacklo_pd (rows[0], rows[1]);
		rows[1] = _mm_unpackhi_pd (rows[0], rows[1]);
		rows[0] = low;
	}

	// kFrames consecutive frames of kFrames lines, each line's frames loaded from at[r], as one
	// column per frame (last frame first); and back.
	static void loadColumns (double* const (&at)[kFrames], Vector (&columns)[kFrames])
	{
		columns[0] = load (at[0]);
		columns[1] = load (at[1]);
		transpose (columns);
	}
	static void storeColumns (double* const (&at)[kFrames], Vector (&columns)[kFrames])
	{
		transpose (columns);
		store (at[0], columns[0]);
		store (at[1], columns[1]);
	}

	// One frame of kFrames lines at the given slots, and back.
	static Vector gather (double* const* slots, int32_t back) { return _mm_loadh_pd (_mm_load_sd (slots[0] - back), slots[1] - back); }
	static void scatter (double* const* slots, int32_t back, Vector v)
	{
		_mm_storel_pd (slots[0] - back, v);
		_mm_storeh_pd (slots[1] - back, v);
	}
};

// A run's slots in the stereo lines of N consecutive parts: left, right, left, right, ...
template <int N, class Part, size_t Capacity>
inline void stereoSlots (Part* parts, double (Part::*left)[Capacity], double (Part::*right)[Capacity],
                         const size_t* top, double* (&slots)[2 * N])
{
	for (int k = 0; k < N; ++k)
	{
		slots[2 * k] = &(parts[k].*left)[top[2 * k]];
		slots[2 * k + 1] = &(parts[k].*right)[top[2 * k + 1]];
	}
}

struct AvxLanes
{
	using Vector = __m256d;
	static constexpr int kFrames = 4;

	// Selectors of _mm256_permute2f128_pd (a, b): the low halves of a and b, a's in the result's low
	// half; and their high halves likewise.
	static constexpr int kLowHalves = 0x20;
	static constexpr int kHighHalves = 0x31;
	// Masks of _mm256_blend_pd (a, b), which takes the lanes they name from b: the lanes of the low
	// half, and of the high half.
	static constexpr int kLowHalf = 0x3;
	static constexpr int kHighHalf = 0xc;

	TESSALINE_AVX_HELPER static Vector load (const double* at) { return _mm256_loadu_pd (at); }
	TESSALINE_AVX_HELPER static void store (double* at, Vector v) { _mm256_storeu_pd (at, v); }
	TESSALINE_AVX_HELPER static Vector zero () { return _mm256_setzero_pd (); }
	TESSALINE_AVX_HELPER static Vector add (Vector a, Vector b) { return _mm256_add_pd (a, b); }
	TESSALINE_AVX_HELPER static Vector sub (Vector a, Vector b) { return _mm256_sub_pd (a, b); }
	TESSALINE_AVX_HELPER static Vector mul (Vector a, Vector b) { return _mm256_mul_pd (a, b); }
	TESSALINE_AVX_HELPER static Vector div (Vector a, Vector b) { return _mm256_div_pd (a, b); }
	TESSALINE_AVX_HELPER static Vector splat (double value) { return _mm256_set1_pd (value); }
	TESSALINE_AVX_HELPER static Vector frame (const Pair& pair)
	{
		return _mm256_broadcast_pd (reinterpret_cast<const __m128d*> (pair.lane));
	}
	TESSALINE_AVX_HELPER static Vector perFrame (const double* values)
	{
		return _mm256_set_pd (values[1], values[1], values[0], values[0]);
	}
	TESSALINE_AVX_HELPER static __m128i perFrame (const int32_t* values)
	{
		return _mm_set_epi32 (values[1], values[1], values[0], values[0]);
	}
	TESSALINE_AVX_HELPER static __m128i truncate (Vector v) { return _mm256_cvttpd_epi32 (v); }
	TESSALINE_AVX_HELPER static Vector toDouble (__m128i whole) { return _mm256_cvtepi32_pd (whole); }
	TESSALINE_AVX_HELPER static void storeInts (int32_t* at, __m128i v)
	{
		_mm_storeu_si128 (reinterpret_cast<__m128i*> (at), v);
	}
	// One register from two pairs, the first in the low half; and each half back.
	TESSALINE_AVX_HELPER static Vector halves (__m128d low, __m128d high)
	{
		return _mm256_insertf128_pd (_mm256_castpd128_pd256 (low), high, 1);
	}
	TESSALINE_AVX_HELPER static __m128d lowHalf (Vector v) { return _mm256_castpd256_pd128 (v); }
	TESSALINE_AVX_HELPER static __m128d highHalf (Vector v) { return _mm256_extractf128_pd (v, 1); }
	// Two frames of a stereo line in one register, the later one first, as a line holds them; and
	// each frame back.
	TESSALINE_AVX_HELPER static Vector framePair (__m128d later, __m128d earlier) { return halves (later, earlier); }
	TESSALINE_AVX_HELPER static __m128d laterFrame (Vector v) { return lowHalf (v); }
	TESSALINE_AVX_HELPER static __m128d earlierFrame (Vector v) { return highHalf (v); }
	template <class Part>
	TESSALINE_AVX_HELPER static Vector gatherPairs (const Part* parts, const Pair Part::*member)
	{
		return halves (loadPair (parts[0].*member), loadPair (parts[1].*member));
	}
	template <class Part>
	TESSALINE_AVX_HELPER static void scatterPairs (Part* parts, Pair Part::*member, Vector v)
	{
		storePair (parts[0].*member, lowHalf (v));
		storePair (parts[1].*member, highHalf (v));
	}
	TESSALINE_AVX_HELPER static __m128d addPairs (__m128d sum, Vector v)
	{
		return _mm_add_pd (_mm_add_pd (sum, lowHalf (v)), highHalf (v));
	}
	// Two frames' sums to a register: each frame's two pairs go to the frames' sums in two
	// additions, the first pairs of both frames and then the second.
	using Sums = __m256d[kFrames / 2];
	TESSALINE_AVX_HELPER static void loadSums (const Pair* frames, Sums& sums)
	{
		for (int p = 0; p < kFrames / 2; ++p)
			sums[p] = _mm256_loadu_pd (frames[2 * p].lane);
	}
	TESSALINE_AVX_HELPER static void addPairToSums (Sums& sums, int p, Vector first, Vector second)
	{
		const __m256d low = _mm256_permute2f128_pd (first, second, kLowHalves);
		const __m256d high = _mm256_permute2f128_pd (first, second, kHighHalves);
		sums[p] = _mm256_add_pd (_mm256_add_pd (sums[p], low), high);
	}
	TESSALINE_AVX_HELPER static void storeSums (Pair* frames, const Sums& sums)
	{
		for (int p = 0; p < kFrames / 2; ++p)
			_mm256_storeu_pd (frames[2 * p].lane, sums[p]);
	}

	TESSALINE_AVX_HELPER static void split (const Pair* frames, Vector& left, Vector& right)
	{
		const __m256d first = _mm256_loadu_pd (frames[0].lane); // frames 0 and 1
		const __m256d second = _mm256_loadu_pd (frames[2].lane); // frames 2 and 3
		const __m256d odd = _mm256_permute2f128_pd (second, first, kHighHalves); // frames 3 and 1
		const __m256d even = _mm256_permute2f128_pd (second, first, kLowHalves); // frames 2 and 0
		left = _mm256_unpacklo_pd (odd, even);
		right = _mm256_unpackhi_pd (odd, even);
	}
	TESSALINE_AVX_HELPER static void join (Vector left, Vector right, Pair* frames)
	{
		const __m256d odd = _mm256_unpacklo_pd (left, right); // frames 3 and 1
		const __m256d even = _mm256_unpackhi_pd (left, right); // frames 2 and 0
		_mm256_storeu_pd (frames[0].lane, _mm256_permute2f128_pd (even, odd, kHighHalves));
		_mm256_storeu_pd (frames[2].lane, _mm256_permute2f128_pd (even, odd, kLowHalves));
	}

	// Each column gathers a frame from the four lines: two 128-bit halves of the lines' rows go
	// to each register, and one unpack per column does the rest, half the shuffles of a full
	// transposition.
	TESSALINE_AVX_HELPER static void loadColumns (double* const (&at)[kFrames], Vector (&columns)[kFrames])
	{
		for (int half = 0; half < 2; ++half)
		{
			const __m256d even = halves (_mm_loadu_pd (at[0] + 2 * half), _mm_loadu_pd (at[2] + 2 * half));
			const __m256d odd = halves (_mm_loadu_pd (at[1] + 2 * half), _mm_loadu_pd (at[3] + 2 * half));
			columns[2 * half] = _mm256_unpacklo_pd (even, odd);
			columns[2 * half + 1] = _mm256_unpackhi_pd (even, odd);
		}
	}
	TESSALINE_AVX_HELPER static void storeColumns (double* const (&at)[kFrames], Vector (&columns)[kFrames])
	{
		for (int half = 0; half < 2; ++half)
		{
			const __m256d even = _mm256_unpacklo_pd (columns[2 * half], columns[2 * half + 1]);
			const __m256d odd = _mm256_unpackhi_pd (columns[2 * half], columns[2 * half + 1]);
			_mm_storeu_pd (at[0] + 2 * half, lowHalf (even));
			_mm_storeu_pd (at[2] + 2 * half, highHalf (even));
			_mm_storeu_pd (at[1] + 2 * half, lowHalf (odd));
			_mm_storeu_pd (at[3] + 2 * half, highHalf (odd));
		}
	}

	TESSALINE_AVX_HELPER static Vector gather (double* const* slots, int32_t back)
	{
		const __m128d low = _mm_loadh_pd (_mm_load_sd (slots[0] - back), slots[1] - back);
		const __m128d high = _mm_loadh_pd (_mm_load_sd (slots[2] - back), slots[3] - back);
		return halves (low, high);
	}
	TESSALINE_AVX_HELPER static void scatter (double* const* slots, int32_t back, Vector v)
	{
		const __m128d low = lowHalf (v);
		const __m128d high = highHalf (v);
		_mm_storel_pd (slots[0] - back, low);
		_mm_storeh_pd (slots[1] - back, low);
		_mm_storel_pd (slots[2] - back, high);
		_mm_storeh_pd (slots[3] - back, high);
	}
};

} // namespace Vst
} // namespace Steinberg
