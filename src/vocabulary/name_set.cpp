#include "vocabulary/name_set.h"

#include <algorithm>
#include <bit>
#include <limits>
#include <stdexcept>

#include "base/ascii.h"

namespace quorvex {

bool NameSet::Contains(std::string_view name) const {
  return !slots_.empty() && slots_[SlotOf(name)].offset != kEmpty;
}

bool NameSet::Insert(std::string_view name) {
  if (2 * (count_ + 1) > slots_.size()) Grow(std::max<std::size_t>(16, 2 * slots_.size()));
  const std::size_t slot = SlotOf(name);
  if (slots_[slot].offset != kEmpty) return false;
  if (names_.size() + name.size() >= std::numeric_limits<std::uint32_t>::max()) {
    throw std::length_error("NameSet: 4 GiB of names or more");
  }
  slots_[slot] = {static_cast<std::uint32_t>(names_.size()), static_cast<std::uint32_t>(name.size())};
  names_ += name;
  ++count_;
  return true;
}

void NameSet::Reserve(std::size_t count) {
  if (2 * count > slots_.size()) Grow(std::bit_ceil(2 * count));
}

std::size_t NameSet::SlotOf(std::string_view name) const {
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t slot = TextHash()(name) & mask;; slot = (slot + 1) & mask) {
    const Slot& entry = slots_[slot];
    if (entry.offset == kEmpty || (entry.size == name.size() && SameText(NameAt(entry), name))) return slot;
  }
}

void NameSet::Grow(std::size_t slots) {
  std::vector<Slot> old(slots);
  old.swap(slots_);
  for (const Slot& entry : old) {
    if (entry.offset != kEmpty) slots_[SlotOf(NameAt(entry))] = entry;
  }
}

}  // namespace quorvex
