#pragma once
// The settings of one object in the loadable mode: each FoxPro property line
// becomes a DFM assignment that the component's class publishes, with a value
// of the kind it takes, or is kept (to be written as a comment), or is left
// to a rule of the component as a whole. A row of setting_rules.txt for the
// class decides first (TShape's BorderColor is Pen.Color, ToolTipText is
// Hint, a label's BackStyle is Transparent); else the vocabulary converts, as
// in pass 2. Each assignment is checked against the table of published
// properties. Strings are decoded from the form's code page and written as
// ASCII and #codes.

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <shared_mutex>
#include <unordered_map>
#include <utility>
#include <string>
#include <string_view>
#include <vector>

#include "base/ascii.h"
#include "base/text_list.h"
#include "catalog/fox_defaults.h"
#include "catalog/published_properties.h"
#include "model/component_model.h"
#include "model/setting_rules.h"
#include "vocabulary/lists.h"
#include "vocabulary/property_conversion.h"

namespace quorvex {

// What one object's lines gave.
struct ConvertedSettings {
  std::vector<DfmSetting> settings;  // each property once, the later line winning
  TextList kept;  // lines not carried over, as read
  // Lines that a rule of the component as a whole carries (setting_rules.txt
  // "*"): the option chosen in a group, the form's border icons ...; and
  // those FoxRuntime makes (RuntimeSetting).
  TextList deferred;
  // The FoxPro properties whose lines were carried over (not kept).
  std::set<std::string, TextLess> carried;
};

// One converter serves one form, on one thread: it keeps what it worked out
// of FoxPro's defaults for the classes it met.
class SettingConverter {
 public:
  explicit SettingConverter(int code_page, const PublishedProperties& table = PublishedProperties::Shared(),
                            const FoxDefaults& defaults = FoxDefaults::Shared(),
                            const SettingRules& rules = SettingRules::Shared(), const Lists& lists = Lists::Shared());

  // Converts `lines` (an object's property lines as the object text holds
  // them) for `table_class` (a Delphi class of the table, or
  // kColumnItemClass). `fox_class` chooses the vocabulary's class rules;
  // `prefix` goes in front of every DFM property ("Title." for a grid
  // column's header). Name lines are not settings: they name the component.
  ConvertedSettings Convert(const TextList& lines, std::string_view fox_class, std::string_view table_class,
                            std::string_view prefix = {}) const;

  // `lines` without those whose property ends up with FoxPro's default of
  // `base_class` (the last line of a property deciding): such a setting is
  // FoxPro's own and AddDefaults makes it where Delphi needs it.
  TextList WithoutFoxDefaults(TextList lines, std::string_view base_class) const;

  // Adds to `converted` (what Convert gave for an object) FoxPro's defaults
  // of `base_class` for the properties it did not carry: each default that
  // converts to a setting the class publishes, unless Delphi and the LCL
  // give the property that value anyway. Defaults are never kept.
  void AddDefaults(ConvertedSettings& converted, std::string_view base_class, std::string_view fox_class,
                   std::string_view table_class) const;

 private:
  // The DFM assignment of a value by a rule of setting_rules.txt, or "" when
  // the value has none.
  std::string ConvertByRule(const SettingRule& rule, std::string_view value) const;
  // Renames, checks and re-encodes one assignment; false when it does not fit.
  bool Accept(std::string_view table_class, std::string_view raw_value, std::string assignment,
              DfmSetting& setting) const;

  // The settings FoxPro's defaults of `base_class` give, each with the
  // FoxPro property it stands for, but for those Delphi and the LCL default
  // to anyway; worked out once per class.
  using DefaultSettingList = std::vector<std::pair<std::string, DfmSetting>>;
  struct DefaultSettingsMemo {
    std::shared_mutex lock;
    std::unordered_map<std::string, DefaultSettingList> entries;  // by code page and classes
  };
  const DefaultSettingList& DefaultSettings(std::string_view base_class, std::string_view fox_class,
                                            std::string_view table_class) const;
  DefaultSettingList MakeDefaultSettings(std::string_view base_class, std::string_view fox_class,
                                         std::string_view table_class) const;

  int code_page_;
  const PublishedProperties& table_;
  const FoxDefaults& defaults_;
  const SettingRules& rules_;
  const Lists& lists_;
  mutable DefaultSettingsMemo own_default_settings_;  // for tables other than the shared ones
  // Convert's DFM lines and the vocabulary's converter over them, made once
  // for all the objects of the form: an object's conversion starts them afresh.
  mutable TextList scratch_dfm_;
  mutable PropertyConverter vocabulary_;
};

// Sets `setting` in `settings`, replacing one of the same name (letter case
// aside) when `replace` is true, else leaving that one as it is.
void PutSetting(std::vector<DfmSetting>& settings, DfmSetting setting, bool replace = true);

// The settings that a component of `delphi_class` needs in the LCL alone
// (properties Delphi does not have), to be made when its form is loaded.
std::vector<DfmSetting> LclOnlySettings(std::string_view delphi_class);

// The value of the setting named `name`, or null.
const std::string* FindSetting(const std::vector<DfmSetting>& settings, std::string_view name);

// The value of the integer setting named `name`, 0 where there is none; 64
// bits, so that sums of 32-bit values cannot overflow.
std::int64_t IntegerSetting(const std::vector<DfmSetting>& settings, std::string_view name);

// The call of FoxRuntime that makes `value` by `rule` when the form is loaded
// (Component::runtime_settings): a row "!" with the value as the row lists
// it, FoxPro's Anchor (@anchors) with the number of a value that holds an
// edge in proportion or a centre; nothing for a value FoxRuntime does not make.
std::optional<DfmSetting> RuntimeSetting(const SettingRule& rule, std::string_view value);

}  // namespace quorvex
