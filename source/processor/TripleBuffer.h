// Hands the newest copy of a value from one writing thread to one reading thread without locks.
#pragma once

#include <atomic>
#include <cstdint>

namespace Steinberg {
namespace Vst {

// Three slots: the writer fills its own, then swaps it with the shared middle slot; the reader
// swaps the middle slot with its own when the middle one holds something newer. Neither side
// waits, allocates or sees a half-written value. One writer and one reader at a time.
template <typename T>
class TripleBuffer
{
public:
	explicit TripleBuffer (const T& initial) : slots {initial, initial, initial} {}

	// Writer side: publishes a copy of value.
	void write (const T& value)
	{
		slots[writeSlot] = value;
		writeSlot = middle.exchange (writeSlot | kFresh, std::memory_order_acq_rel) & kSlotMask;
	}

	// Reader side: takes the newest value when one came since the last take. False otherwise.
	bool take ()
	{
		if (!(middle.load (std::memory_order_acquire) & kFresh))
			return false;
		readSlot = middle.exchange (readSlot, std::memory_order_acq_rel) & kSlotMask;
		return true;
	}

	// Reader side: the value last taken (the initial one before any).
	const T& current () const { return slots[readSlot]; }

private:
	static constexpr uint8_t kSlotMask = 3;
	static constexpr uint8_t kFresh = 4;

	T slots[3];
	uint8_t writeSlot = 0;
	std::atomic<uint8_t> middle {1};
	uint8_t readSlot = 2;
};

} // namespace Vst
} // namespace Steinberg
