// Scoped flush-to-zero and denormals-are-zero for the audio loop; the previous mode comes back after.
#pragma once

#include <xmmintrin.h>

namespace Steinberg {
namespace Vst {

// The combs' damping states decay into denormal numbers in a reverb tail, which costs many times
// the normal arithmetic on x86. Put one guard at the top of the audio loop:
//     DenormalGuard guard;
//     for (...) engine.processFrame (in, out);
// Silence still gives exact zeros under it.
class DenormalGuard
{
public:
	DenormalGuard () : savedMode (_mm_getcsr ()) { _mm_setcsr (savedMode | kFlushToZero | kDenormalsAreZero); }
	~DenormalGuard () { _mm_setcsr (savedMode); }
	DenormalGuard (const DenormalGuard&) = delete;
	DenormalGuard& operator= (const DenormalGuard&) = delete;

	// MXCSR bits: results that would be denormal become 0; denormal operands are read as 0.
	static constexpr unsigned int kFlushToZero = 0x8000;
	static constexpr unsigned int kDenormalsAreZero = 0x0040;

private:
	unsigned int savedMode;
};

} // namespace Vst
} // namespace Steinberg
