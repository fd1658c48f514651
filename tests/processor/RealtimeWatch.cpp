// Counts the C library's allocator and lock calls while watching is on. The executable's
// definitions come first for every library in the process, the modules it loads and libstdc++'s
// operator new included, so the counts see every allocation and lock call.
#include "RealtimeWatch.h"

#include <cerrno>
#include <cstdlib>
#include <dlfcn.h>
#include <pthread.h>
#include <semaphore.h>

namespace realtime {

std::atomic<bool> watching {false};
std::atomic<int> allocations {0};
std::atomic<int> locks {0};

} // namespace realtime

namespace {

using namespace realtime;

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

namespace realtime {

bool countersWork ()
{
	watching = true;
	void* (*volatile allocate) (size_t) = malloc; // not a call the compiler may fold away
	std::free (allocate (16));
	pthread_mutex_t mutex = PTHREAD_MUTEX_INITIALIZER;
	pthread_mutex_lock (&mutex);
	pthread_mutex_unlock (&mutex);
	watching = false;
	const bool work = allocations.load () >= 1 && locks.load () >= 1;
	allocations = 0;
	locks = 0;
	return work;
}

} // namespace realtime
