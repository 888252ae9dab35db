#pragma once
// Text files of other programs in the program's single-byte text: a UTF-8
// byte order mark is dropped, UTF-16 (with its byte order mark, or plain
// text with every other byte NUL) is converted when each character has a
// single byte (Latin-1); anything else is left as it is.
#include <string>
#include <string_view>

namespace mardex {

// `text` is set to the single-byte text: a view into itself, or into
// `storage` when it had to be converted. False with `error` (naming the
// encoding and the line) when a UTF-16 character has no single byte.
bool DecodeToSingleBytes(std::string_view& text, std::string& storage, std::string& error);

} // namespace mardex
