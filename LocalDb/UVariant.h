#pragma once
// A dynamically typed value of one of four kinds, used to hand search keys to the table. Each
// field class accepts exactly one kind and refuses the others, even where a conversion exists.

#include <cstdint>
#include <string>
#include <variant>

#include "UDateTime.h"

// A date-time in a variant; a distinct type so that it is never mistaken for a plain number.
struct TVariantDate {
  TDateTime Value = 0;
};

using TVariant = std::variant<std::int32_t, std::string, bool, TVariantDate>;
