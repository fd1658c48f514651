// Which functions are built for AVX, and whether this processor may run them.
#pragma once

// Everything is built for SSE2 alone; a function marked TESSALINE_AVX_ENTRY is built for AVX as
// well and runs only where cpuHasAvx () says so. Whole files are never built with -mavx: an inline
// function compiled there could be the copy the linker keeps for SSE2-only callers.
//
// An entry inlines every helper (flatten), so that no 256-bit value crosses a call. The 32-bit
// Windows stack is only 4-byte aligned on entry, so there an entry realigns it before it spills
// 256-bit values.
#if defined(_WIN32) && !defined(_WIN64)
#define TESSALINE_AVX_ENTRY __attribute__ ((target ("avx"), flatten, force_align_arg_pointer))
#else
#define TESSALINE_AVX_ENTRY __attribute__ ((target ("avx"), flatten))
#endif
// A small function built for AVX, for entries to inline.
#define TESSALINE_AVX_HELPER __attribute__ ((target ("avx")))
// A kernel template instantiated for 256-bit lanes is built for the default target but only ever
// runs inlined into an entry, so GCC's -Wpsabi note that its 256-bit values would cross calls
// with another ABI does not apply: such kernels switch it off between a diagnostic push and pop.

namespace Steinberg {
namespace Vst {

// Whether the processor has AVX and the operating system keeps its 256-bit registers.
inline bool cpuHasAvx ()
{
	__builtin_cpu_init ();
	return __builtin_cpu_supports ("avx");
}

} // namespace Vst
} // namespace Steinberg
