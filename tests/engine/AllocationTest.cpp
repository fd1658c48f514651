// Nothing is allocated after construction: every global allocation in this program is counted.
#include "EngineTestSupport.h"

#include "engine/ReverbEngine.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <new>

namespace {
std::atomic<long> allocations {0};

void* counted (std::size_t size)
{
	++allocations;
	if (void* p = std::malloc (size ? size : 1))
		return p;
	throw std::bad_alloc ();
}

void* countedAligned (std::size_t size, std::align_val_t alignment)
{
	++allocations;
	const std::size_t align = static_cast<std::size_t> (alignment);
	const std::size_t rounded = (size + align - 1) / align * align;
#ifdef _WIN32
	if (void* p = _aligned_malloc (rounded ? rounded : align, align))
		return p;
#else
	if (void* p = std::aligned_alloc (align, rounded ? rounded : align))
		return p;
#endif
	throw std::bad_alloc ();
}

void releaseAligned (void* p)
{
#ifdef _WIN32
	_aligned_free (p);
#else
	std::free (p);
#endif
}
} // namespace

void* operator new (std::size_t size) { return counted (size); }
void* operator new[] (std::size_t size) { return counted (size); }
void* operator new (std::size_t size, std::align_val_t a) { return countedAligned (size, a); }
void* operator new[] (std::size_t size, std::align_val_t a) { return countedAligned (size, a); }
void operator delete (void* p) noexcept { std::free (p); }
void operator delete[] (void* p) noexcept { std::free (p); }
void operator delete (void* p, std::size_t) noexcept { std::free (p); }
void operator delete[] (void* p, std::size_t) noexcept { std::free (p); }
void operator delete (void* p, std::align_val_t) noexcept { releaseAligned (p); }
void operator delete[] (void* p, std::align_val_t) noexcept { releaseAligned (p); }
void operator delete (void* p, std::size_t, std::align_val_t) noexcept { releaseAligned (p); }
void operator delete[] (void* p, std::size_t, std::align_val_t) noexcept { releaseAligned (p); }

using namespace Steinberg::Vst;
using namespace EngineTestSupport;

TEST (Allocation, NothingAfterConstruction)
{
	const long beforeConstruction = allocations.load ();
	auto engine = std::make_unique<ReverbEngine> ();
	EXPECT_EQ (allocations.load () - beforeConstruction, 1); // the engine itself, in one piece
	const long constructed = allocations.load ();

	engine->setSampleRate (96000.0);
	applyProcessorDefaults (*engine);
	engine->reset ();
	Noise noise;
	for (int n = 0; n < 50000; ++n)
	{
		const double in[2] = {noise.next (), noise.next ()};
		double out[2];
		engine->processFrame (in, out);
		if (n % 5000 == 0)
		{
			engine->setEarlyReflectionVariation (n % 12 + 1);
			engine->setReverbVariation (n % 6 + 1);
			engine->setRoomSize (noise.next ());
			engine->setDecayTime (noise.next ());
			engine->setEqFrequency (1000.0 + n, 1);
			engine->setEqGain (0.7, 2);
			engine->setModulationSpeed (0.9);
			engine->setSampleRate (n % 10000 ? 44100.0 : 192000.0);
		}
	}
	EXPECT_EQ (allocations.load (), constructed);
}
