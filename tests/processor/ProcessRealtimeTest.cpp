// process allocates nothing and takes no lock: the C library's allocator and lock calls are
// counted while blocks run through every path (parameter changes, a state hand-over, bypass, level).
#include "DirectProcessor.h"

#include "processor/ParameterIds.h"

#include "public.sdk/source/vst/hosting/eventlist.h"
#include "public.sdk/source/vst/hosting/parameterchanges.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <dlfcn.h>
#include <pthread.h>
#include <semaphore.h>
#include <vector>

namespace {

std::atomic<bool> watching {false};
std::atomic<int> allocations {0};
std::atomic<int> locks {0};

void countAllocation ()
{
	if (watching.load (std::memory_order_relaxed))
		allocations.fetch_add (1, std::memory_order_relaxed);
}

void countLock ()
{
	if (watching.load (std::memory_order_relaxed))
		locks.fetch_add (1, std::memory_order_relaxed);
}

template <typename Function>
Function next (const char* name)
{
	return reinterpret_cast<Function> (dlsym (RTLD_NEXT, name));
}

} // namespace

// The executable's definitions come first for every library in the process, libstdc++'s operator
// new included, so these see every allocation and lock call.
extern "C" {
void* __libc_malloc (size_t);
void* __libc_calloc (size_t, size_t);
void* __libc_realloc (void*, size_t);
void* __libc_memalign (size_t, size_t);

void* malloc (size_t size)
{
	countAllocation ();
	return __libc_malloc (size);
}

void* calloc (size_t count, size_t size)
{
	countAllocation ();
	return __libc_calloc (count, size);
}

void* realloc (void* pointer, size_t size)
{
	countAllocation ();
	return __libc_realloc (pointer, size);
}

int posix_memalign (void** pointer, size_t alignment, size_t size)
{
	countAllocation ();
	*pointer = __libc_memalign (alignment, size);
	return *pointer ? 0 : ENOMEM;
}

void* aligned_alloc (size_t alignment, size_t size)
{
	countAllocation ();
	return __libc_memalign (alignment, size);
}

int pthread_mutex_lock (pthread_mutex_t* mutex)
{
	countLock ();
	static auto real = next<int (*) (pthread_mutex_t*)> ("pthread_mutex_lock");
	return real (mutex);
}

int pthread_mutex_trylock (pthread_mutex_t* mutex)
{
	countLock ();
	static auto real = next<int (*) (pthread_mutex_t*)> ("pthread_mutex_trylock");
	return real (mutex);
}

int pthread_rwlock_rdlock (pthread_rwlock_t* lock)
{
	countLock ();
	static auto real = next<int (*) (pthread_rwlock_t*)> ("pthread_rwlock_rdlock");
	return real (lock);
}

int pthread_rwlock_wrlock (pthread_rwlock_t* lock)
{
	countLock ();
	static auto real = next<int (*) (pthread_rwlock_t*)> ("pthread_rwlock_wrlock");
	return real (lock);
}

int pthread_spin_lock (pthread_spinlock_t* lock)
{
	countLock ();
	static auto real = next<int (*) (pthread_spinlock_t*)> ("pthread_spin_lock");
	return real (lock);
}

int sem_wait (sem_t* semaphore)
{
	countLock ();
	static auto real = next<int (*) (sem_t*)> ("sem_wait");
	return real (semaphore);
}
} // extern "C"

namespace {

using namespace ProcessorTest;

constexpr int32 kBlock = 512;

TEST (ProcessRealtime, AllocatesNothingAndTakesNoLock)
{
	// The counters themselves must work, or a zero below proves nothing.
	watching = true;
	void* (*volatile allocate) (size_t) = malloc; // not a call the compiler may fold away
	std::free (allocate (16));
	pthread_mutex_t mutex = PTHREAD_MUTEX_INITIALIZER;
	pthread_mutex_lock (&mutex);
	pthread_mutex_unlock (&mutex);
	watching = false;
	ASSERT_GE (allocations.load (), 1);
	ASSERT_GE (locks.load (), 1);

	DirectProcessor plugin (kSample32, kBlock);
	ASSERT_TRUE (plugin.ready);
	IAudioProcessor* processor = plugin.processor;
	IComponent* component = plugin.component;

	std::vector<float> in32 (kBlock, 0.25f), out32 (kBlock);
	std::vector<double> in64 (kBlock, 0.25), out64 (kBlock);
	float* in32Channels[2] = {in32.data (), in32.data ()};
	float* out32Channels[2] = {out32.data (), out32.data ()};
	double* in64Channels[2] = {in64.data (), in64.data ()};
	double* out64Channels[2] = {out64.data (), out64.data ()};
	AudioBusBuffers inBus, outBus;
	inBus.numChannels = outBus.numChannels = 2;

	ParameterChanges inputChanges (kNumStoredParameters + 4), outputChanges (4);
	EventList events (8);
	Event note {};
	ProcessData data;
	data.numInputs = data.numOutputs = 1;
	data.inputs = &inBus;
	data.outputs = &outBus;
	data.numSamples = kBlock;
	data.inputParameterChanges = &inputChanges;
	data.outputParameterChanges = &outputChanges;
	data.inputEvents = &events;

	auto runBlock = [&] (int32 sampleSize, double parameterValue) {
		data.symbolicSampleSize = sampleSize;
		inBus.channelBuffers32 = in32Channels;
		outBus.channelBuffers32 = out32Channels;
		if (sampleSize == kSample64)
		{
			inBus.channelBuffers64 = in64Channels;
			outBus.channelBuffers64 = out64Channels;
		}
		inputChanges.clearQueue ();
		outputChanges.clearQueue ();
		for (ParamID id = 0; id < kNumStoredParameters; ++id)
		{
			int32 index = 0;
			if (id == kBypass)
				continue;
			inputChanges.addParameterData (id, index)->addPoint (0, parameterValue, index);
			inputChanges.addParameterData (id, index)->addPoint (7, 1.0 - parameterValue, index);
		}
		events.clear ();
		events.addEvent (note);
		watching = true;
		processor->process (data);
		watching = false;
	};

	ASSERT_EQ (component->setActive (true), kResultOk);
	runBlock (kSample32, 0.3); // the host's queues have their room from here on

	const Bytes state = plugin.state ();
	allocations = 0;
	locks = 0;
	for (int round = 0; round < 4; ++round)
	{
		runBlock (kSample32, 0.1 * round);
		runBlock (kSample64, 0.2 * round);
	}
	// A state loaded while active is adopted inside the next block.
	ASSERT_EQ (plugin.load (state), kResultOk);
	runBlock (kSample32, 0.6);
	// Bypassed blocks copy.
	int32 index = 0;
	inputChanges.clearQueue ();
	inputChanges.addParameterData (kBypass, index)->addPoint (0, 1.0, index);
	watching = true;
	processor->process (data);
	watching = false;

	EXPECT_EQ (allocations.load (), 0);
	EXPECT_EQ (locks.load (), 0);
}

} // namespace
