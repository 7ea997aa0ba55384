#pragma once

#include <cstddef>
#include <string_view>

// Room for any message BadFieldMessage writes, terminator included.
inline constexpr std::size_t kBadFieldMessageSize = 192;

// The message shown when field `control` holds `text`, which is not a
// number. It names the field by its label, adding its calculator where
// another control has the same label ("Frequency (Wavelength Calculator):
// please enter a number."), and when the text holds a comma it says that a
// decimal point is expected instead. Writes into `out`, which must hold
// kBadFieldMessageSize characters, always terminated; returns the length.
std::size_t BadFieldMessage(int control, std::string_view text, char* out);
