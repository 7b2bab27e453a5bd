#pragma once
// Code the translator cannot be sure of is an ordinary answer, not an
// error: Translated<T> holds either the translation or NotTranslated, whose
// reason is a short phrase that the report of reasons counts ("function not
// translated: GETLANGTEXT" comes as "function not translated"; the name goes
// after a colon). The statement that meets one is kept as it was.

#include <string>
#include <utility>
#include <variant>

namespace quorvex {

struct NotTranslated {
  std::string reason;
};

template <typename T>
class [[nodiscard]] Translated {
 public:
  Translated() = default;
  Translated(T value) : state_(std::in_place_index<0>, std::move(value)) {}
  Translated(NotTranslated failure) : state_(std::in_place_index<1>, std::move(failure)) {}

  explicit operator bool() const { return state_.index() == 0; }
  T& operator*() { return std::get<0>(state_); }
  const T& operator*() const { return std::get<0>(state_); }
  T* operator->() { return &std::get<0>(state_); }
  const T* operator->() const { return &std::get<0>(state_); }
  NotTranslated Failure() && { return std::move(std::get<1>(state_)); }
  const std::string& Reason() const { return std::get<1>(state_).reason; }

 private:
  std::variant<T, NotTranslated> state_;
};

// A step that gives nothing but whether it was translated.
using Done = Translated<std::monostate>;

}  // namespace quorvex
