// When the large processor cannot be allocated, createInstance answers null instead of throwing.
// This program replaces the global allocation functions so that big requests can be made to fail.
#include "processor/Tessaline.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <new>

namespace {

bool failBigAllocations = false;
// The processor is some 20 MB; nothing else in this program asks for as much.
constexpr std::size_t kBig = sizeof (Steinberg::Vst::Tessaline);

void* allocate (std::size_t size)
{
	if (failBigAllocations && size >= kBig)
		return nullptr;
	return std::malloc (size ? size : 1);
}

// Over-aligned requests keep the malloc block's address just before the aligned one.
void* allocateAligned (std::size_t size, std::align_val_t alignment)
{
	const auto align = static_cast<std::size_t> (alignment);
	void* block = allocate (size + align + sizeof (void*));
	if (!block)
		return nullptr;
	auto address = (reinterpret_cast<std::uintptr_t> (block) + sizeof (void*) + align - 1) & ~(align - 1);
	reinterpret_cast<void**> (address)[-1] = block;
	return reinterpret_cast<void*> (address);
}

void releaseAligned (void* pointer)
{
	if (pointer)
		std::free (static_cast<void**> (pointer)[-1]);
}

void* orThrow (void* pointer)
{
	if (!pointer)
		throw std::bad_alloc ();
	return pointer;
}

} // namespace

void* operator new (std::size_t size) { return orThrow (allocate (size)); }
void* operator new[] (std::size_t size) { return orThrow (allocate (size)); }
void* operator new (std::size_t size, const std::nothrow_t&) noexcept { return allocate (size); }
void* operator new[] (std::size_t size, const std::nothrow_t&) noexcept { return allocate (size); }
void operator delete (void* pointer) noexcept { std::free (pointer); }
void operator delete[] (void* pointer) noexcept { std::free (pointer); }
void operator delete (void* pointer, std::size_t) noexcept { std::free (pointer); }
void operator delete[] (void* pointer, std::size_t) noexcept { std::free (pointer); }
void operator delete (void* pointer, const std::nothrow_t&) noexcept { std::free (pointer); }
void operator delete[] (void* pointer, const std::nothrow_t&) noexcept { std::free (pointer); }
void* operator new (std::size_t size, std::align_val_t a) { return orThrow (allocateAligned (size, a)); }
void* operator new[] (std::size_t size, std::align_val_t a) { return orThrow (allocateAligned (size, a)); }
void* operator new (std::size_t size, std::align_val_t a, const std::nothrow_t&) noexcept { return allocateAligned (size, a); }
void* operator new[] (std::size_t size, std::align_val_t a, const std::nothrow_t&) noexcept { return allocateAligned (size, a); }
void operator delete (void* pointer, std::align_val_t) noexcept { releaseAligned (pointer); }
void operator delete[] (void* pointer, std::align_val_t) noexcept { releaseAligned (pointer); }
void operator delete (void* pointer, std::size_t, std::align_val_t) noexcept { releaseAligned (pointer); }
void operator delete[] (void* pointer, std::size_t, std::align_val_t) noexcept { releaseAligned (pointer); }
void operator delete (void* pointer, std::align_val_t, const std::nothrow_t&) noexcept { releaseAligned (pointer); }
void operator delete[] (void* pointer, std::align_val_t, const std::nothrow_t&) noexcept { releaseAligned (pointer); }

namespace {

using namespace Steinberg;
using namespace Steinberg::Vst;

TEST (CreateInstance, AnswersNullWhenTheProcessorCannotBeAllocated)
{
	failBigAllocations = true;
	FUnknown* failed = nullptr;
	EXPECT_NO_THROW (failed = Tessaline::createInstance (nullptr));
	failBigAllocations = false;
	EXPECT_EQ (failed, nullptr);

	FUnknown* created = Tessaline::createInstance (nullptr);
	ASSERT_NE (created, nullptr);
	EXPECT_EQ (created->release (), 0u);
}

} // namespace
