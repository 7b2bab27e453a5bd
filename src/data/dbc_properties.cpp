#include "data/dbc_properties.h"

#include "base/errors.h"
#include "table/byte_order.h"

namespace quorvex {

namespace {

constexpr std::size_t kEntryHead = 6;  // the entry's length and the ID's length
constexpr std::size_t kMaxIdLength = 4;

}  // namespace

std::map<int, std::string> ParseDbcProperties(std::string_view memo, int object_id, std::string_view file_name) {
  std::map<int, std::string> properties;
  std::size_t at = 0;
  while (at < memo.size()) {
    const std::size_t left = memo.size() - at;
    const std::size_t length = left < kEntryHead ? 0 : LittleEndian32(memo, at);
    const std::size_t id_length = left < kEntryHead ? 0 : LittleEndian16(memo, at + 4);
    if (id_length == 0 || id_length > kMaxIdLength || length < kEntryHead + id_length || length > left) {
      throw ETableError("Property entry at " + std::to_string(at) + " of object " + std::to_string(object_id) +
                        " is bad in " + std::string(file_name));
    }
    std::uint32_t id = 0;
    for (std::size_t i = id_length; i-- > 0;) id = id << 8 | Byte(memo, at + kEntryHead + i);
    const std::size_t value_at = at + kEntryHead + id_length;
    properties[static_cast<int>(id)] = std::string(memo.substr(value_at, at + length - value_at));
    at += length;
  }
  return properties;
}

std::string PropertyText(const std::map<int, std::string>& properties, int id) {
  const auto found = properties.find(id);
  if (found == properties.end()) return {};
  return found->second.substr(0, found->second.find('\0'));
}

}  // namespace quorvex
