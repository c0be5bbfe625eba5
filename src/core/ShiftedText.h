// The character shift under which the mail settings (server, address, user
// name, password) are kept in the settings file, so that they are not stored
// as plain text. It hides the values from a casual glance; it is not
// encryption.
#pragma once

#include <string>
#include <string_view>

namespace pantrio {

// The shift amount k of the stored form.
inline constexpr int kTextShift = 23;

// Shifts every byte c to c + k when that is below 256, else to c + k - 255.
// Bytes 1..255 map one-to-one onto 1..255, so UnshiftText restores every text
// that holds no NUL byte; the result is often not valid UTF-8, which is why
// the settings store escapes the bytes it writes.
std::string ShiftText(std::string_view plain);
// The same rule with 255 - k: the inverse of ShiftText.
std::string UnshiftText(std::string_view shifted);

}  // namespace pantrio
