#include "catalog/fox_events.h"

#include <charconv>

namespace quorvex {

namespace {

constexpr std::string_view kTableText =
#include "catalog/fox_events_text.inc"
    ;

EventRoute ReadRoute(std::string_view, std::string_view rest) {
  const auto [delphi_event, place_text] = FirstWord(rest);
  if (!delphi_event.starts_with("On")) throw Exception("a Delphi event must start with On");
  EventRoute route{std::string(delphi_event), 1};
  if (!place_text.empty()) {
    const auto [end, error] = std::from_chars(place_text.data(), place_text.data() + place_text.size(), route.place);
    if (error != std::errc() || end != place_text.data() + place_text.size() || route.place < 1)
      throw Exception("a place must be a number from 1");
  }
  return route;
}

}  // namespace

const FoxEvents& FoxEvents::Shared() {
  static const FoxEvents table(kTableText);
  return table;
}

FoxEvents::FoxEvents(std::string_view table_text) : LookupTable(table_text, "FoxPro events", ReadRoute) {}

}  // namespace quorvex
