#pragma once

#include <string_view>

// The seven commands the transmitter's controller understands. Each goes on the line as its two
// characters, whole, with nothing before or after it; nothing else is ever written to the port.
namespace txlink::command {

inline constexpr std::string_view kStep = "1a";
inline constexpr std::string_view kStatusRequest = "2a";
inline constexpr std::string_view kFrequencyUp = "3a";
inline constexpr std::string_view kFrequencyDown = "4a";
inline constexpr std::string_view kPowerUp = "5a";
inline constexpr std::string_view kPowerDown = "6a";
inline constexpr std::string_view kCarrierToggle = "7a";

}  // namespace txlink::command
