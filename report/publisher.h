#pragma once
// The publisher's web address: the report's footers show it, and the desktop program opens its pages.

#include <string_view>

namespace kalvora {

inline constexpr std::string_view PublisherWebAddress = "https://www.kalvora.example";

}  // namespace kalvora
