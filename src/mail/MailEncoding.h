// The text encodings a mail needs on its way to the server: base64 and
// quoted-printable bodies (RFC 2045), encoded words in headers (RFC 2047),
// the dot-stuffing of the SMTP data stream (RFC 5321) and the date line
// (RFC 5322). Pure text processing; nothing here touches the network.
#pragma once

#include <cstddef>
#include <ctime>
#include <string>
#include <string_view>

namespace pantrio {

// RFC 4648 section 4, standard alphabet, padded with "=".
std::string Base64Encode(std::string_view bytes);
// Reverses Base64Encode; blanks and line ends are skipped. Empty on any
// other character outside the alphabet or on a bad length, which is also
// what an empty input gives; `ok` tells the two apart.
std::string Base64Decode(std::string_view text, bool* ok = nullptr);
// Base64 cut into lines of 76 characters, every line (the last too) ended by
// "\r\n" (RFC 2045 section 6.8). Empty input gives empty output.
std::string Base64Lines(std::string_view bytes);

// Quoted-printable (RFC 2045 section 6.7). Line ends in `text` must already
// be "\r\n"; they stay hard line breaks. Bytes outside 33..126, "=", and a
// blank or tab just before a line end are written as "=XX"; longer lines get
// soft breaks ("=\r\n") so that no encoded line exceeds 76 characters, cut
// after white space where there is some and never inside an "=XX".
std::string EncodeQuotedPrintable(std::string_view text);

// Every "\n." becomes "\n.." (RFC 5321 section 4.5.2), scanning once. A text
// that itself starts a line gets its leading "." doubled when `atLineStart`.
std::string DotStuff(std::string_view text, bool atLineStart = false);

// A header text as RFC 2047 encoded words when it holds a byte of 128 or
// more, else unchanged. Encoded words use the "Q" encoding, carry whole
// UTF-8 characters, stay within 75 characters each and are separated by a
// folding line break, which readers drop between encoded words
// (RFC 2047 sections 2, 5 and 6.2).
std::string EncodeHeaderWord(std::string_view text, std::string_view charset);

// Every "\r\n", lone "\r" and lone "\n" of `text` becomes `lineEnd`.
std::string WithLineEnds(std::string_view text, std::string_view lineEnd);

// Line ends and other control characters in a header value become blanks, so
// a value can never start a header line of its own.
std::string CleanHeaderValue(std::string_view text);

// The zone of a date line: sign, two digits of hours and two of minutes east
// of UTC ("+0530", "-0330", "+0000").
std::string MailZoneText(long minutesEastOfUtc);
// The date of a message header in English whatever the locale
// ("Wed, 09 Dec 2026 12:47:46 +0100"), in local time (RFC 5322 section 3.3).
std::string MailDateText(std::time_t when);

}  // namespace pantrio
