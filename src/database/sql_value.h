#pragma once
// One value as SQL holds it: NULL, an integer, a real, a text (UTF-8) or a
// blob. What a FoxPro value becomes on its way into the database
// (sql_values.h), and what the database gives back.

#include <cstdint>
#include <string>
#include <variant>

namespace quorvex {

struct SqlBlob {
  std::string bytes;
  bool operator==(const SqlBlob&) const = default;
};

using SqlValue = std::variant<std::monostate, std::int64_t, double, std::string, SqlBlob>;

}  // namespace quorvex
