#pragma once
// A set of names compared without regard to ASCII letter case, kept in one
// buffer: the names a large form gives out cost no allocation each, and
// looking one up touches one slot of a flat table.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorvex {

class NameSet {
 public:
  bool Contains(std::string_view name) const;
  // Adds the name; false, and nothing added, when an equal one is there.
  // Throws std::length_error once the names reach 4 GiB in all.
  bool Insert(std::string_view name);
  // Room for `count` names without the table growing.
  void Reserve(std::size_t count);

 private:
  static constexpr std::uint32_t kEmpty = UINT32_MAX;
  struct Slot {
    std::uint32_t offset = kEmpty;  // of the name in names_
    std::uint32_t size = 0;
  };

  std::string_view NameAt(const Slot& slot) const { return std::string_view(names_).substr(slot.offset, slot.size); }
  // The slot that holds `name`, or the empty slot where it would go.
  std::size_t SlotOf(std::string_view name) const;
  void Grow(std::size_t slots);

  std::string names_;       // every name, one after the other
  std::vector<Slot> slots_;  // open addressing: a power of two, at most half full
  std::size_t count_ = 0;
};

}  // namespace quorvex
