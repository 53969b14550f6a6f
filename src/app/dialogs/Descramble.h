#pragma once
// The contact address is kept scrambled: each character is shifted by the code of the
// matching character of a repeating key word, modulo 256. Codes are Latin-1 (0..255);
// characters beyond Latin-1 are not supported.

#include <QString>

namespace tivane {

// (data code - key code) mod 256 for each character. Empty data gives the empty string;
// an empty key gives data unchanged.
QString descramble(const QString &key, const QString &data);

// The inverse: descramble(key, scramble(key, text)) == text.
QString scramble(const QString &key, const QString &text);

} // namespace tivane
