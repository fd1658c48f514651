// Lock-free hand-over of parameter values between the host's threads, the UI timer and the audio thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

namespace Steinberg {
namespace Vst {

// One slot per parameter: its latest normalized value and, for each destination, a bit that says
// "changed since you last took it". A producer stores the value, then sets the bits of the
// destinations that must hear of it; the one consumer of a destination takes (clears) its bits and
// reads the values. Parameters act once per block, so only the latest value counts: the slots never
// fill up, never allocate after construction and accept writes from any thread, which VST 2.4 hosts
// need (they call setParameter from their audio thread as well as from their user interface).
class ParameterSlots
{
public:
	enum Destination : uint32_t
	{
		kToProcessor = 1, // consumed by the audio thread (takeForProcessor)
		kToController = 2, // consumed by the UI timer (takeForController)
	};

	explicit ParameterSlots (int32_t count)
	: count (count > 0 ? count : 0)
	, words ((this->count + 31) / 32)
	, values (new std::atomic<double>[static_cast<size_t> (this->count > 0 ? this->count : 1)])
	, toProcessor (new std::atomic<uint32_t>[static_cast<size_t> (words > 0 ? words : 1)])
	, toController (new std::atomic<uint32_t>[static_cast<size_t> (words > 0 ? words : 1)])
	, onTheWay (new std::atomic<uint32_t>[static_cast<size_t> (words > 0 ? words : 1)])
	{
		for (int32_t i = 0; i < this->count; ++i)
			values[i].store (0.0, std::memory_order_relaxed);
		for (int32_t w = 0; w < words; ++w)
		{
			toProcessor[w].store (0, std::memory_order_relaxed);
			toController[w].store (0, std::memory_order_relaxed);
			onTheWay[w].store (0, std::memory_order_relaxed);
		}
	}

	int32_t size () const { return count; }

	double value (int32_t slot) const { return values[slot].load (std::memory_order_acquire); }

	// The value alone, with no destination told (a value that every side already holds).
	void store (int32_t slot, double value) { values[slot].store (value, std::memory_order_release); }

	// Any thread: the value, then the news of it for each destination in the mask.
	void publish (int32_t slot, double value, uint32_t destinations)
	{
		values[slot].store (value, std::memory_order_release);
		const uint32_t bit = 1u << (slot % 32);
		if (destinations & kToProcessor)
			toProcessor[slot / 32].fetch_or (bit, std::memory_order_release);
		if (destinations & kToController)
			toController[slot / 32].fetch_or (bit, std::memory_order_release);
	}

	// The controller's one consumer: calls take (slot, value) for every slot changed since the
	// last call, in slot order. A value published during the call may be handed over twice.
	template <typename Take>
	void takeForController (Take&& take)
	{
		for (int32_t w = 0; w < words; ++w)
			takeValues (w, toController[w].exchange (0, std::memory_order_acq_rel), take);
	}

	// The audio thread, for the block it is about to run: the same for kToProcessor, except that what
	// it takes stays "on its way" until delivered () says that the processor has run the block.
	// Whoever finds the news taken finds it on its way (it is marked first), so that at every moment
	// awaitsProcessor knows every value that the processor's state may still lack.
	template <typename Take>
	void takeForProcessor (Take&& take)
	{
		for (int32_t w = 0; w < words; ++w)
		{
			const uint32_t seen = toProcessor[w].load (std::memory_order_acquire);
			if (seen == 0)
				continue;
			onTheWay[w].fetch_or (seen, std::memory_order_acq_rel);
			// Only what is still there: discard may have taken some meanwhile.
			takeValues (w, toProcessor[w].fetch_and (~seen, std::memory_order_acq_rel) & seen, take);
		}
	}

	void delivered ()
	{
		for (int32_t w = 0; w < words; ++w)
			onTheWay[w].store (0, std::memory_order_release);
	}

	// Any thread: whether the processor's state may still lack the slot's latest value (not taken
	// yet, or in a block that has not finished).
	bool awaitsProcessor (int32_t slot) const
	{
		const uint32_t bit = 1u << (slot % 32);
		return (toProcessor[slot / 32].load (std::memory_order_acquire) & bit) != 0 ||
		       (onTheWay[slot / 32].load (std::memory_order_acquire) & bit) != 0;
	}

	bool isPending (Destination destination, int32_t slot) const
	{
		return (bitsOf (destination)[slot / 32].load (std::memory_order_acquire) >> (slot % 32)) & 1u;
	}

	// Forgets what the destination has not taken yet (a loaded state has superseded it).
	void discard (Destination destination)
	{
		std::atomic<uint32_t>* pending = bitsOf (destination);
		for (int32_t w = 0; w < words; ++w)
			pending[w].store (0, std::memory_order_release);
	}

private:
	template <typename Take>
	void takeValues (int32_t word, uint32_t bits, Take& take)
	{
		for (int32_t bit = 0; bits != 0; ++bit, bits >>= 1)
			if (bits & 1u)
				take (word * 32 + bit, values[word * 32 + bit].load (std::memory_order_acquire));
	}

	std::atomic<uint32_t>* bitsOf (Destination destination) const
	{
		return destination == kToProcessor ? toProcessor.get () : toController.get ();
	}

	const int32_t count;
	const int32_t words;
	std::unique_ptr<std::atomic<double>[]> values;
	std::unique_ptr<std::atomic<uint32_t>[]> toProcessor;
	std::unique_ptr<std::atomic<uint32_t>[]> toController;
	std::unique_ptr<std::atomic<uint32_t>[]> onTheWay; // taken for the processor, block not finished
};

static_assert (std::atomic<double>::is_always_lock_free, "parameter values cross threads without locks");

} // namespace Vst
} // namespace Steinberg
