#include "base/text.h"

#include "base/number_format.h"

namespace boltgen {

std::string_view TrimBlanks(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

static char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string ToLowerAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = LowerAscii(c);
  return out;
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

std::optional<std::string_view> LineReader::Next() {
  if (start_ >= content_.size()) return std::nullopt;
  ++number_;
  auto end = content_.find_first_of("\r\n", start_);
  if (end == std::string_view::npos) end = content_.size();
  const std::string_view line = content_.substr(start_, end - start_);
  start_ = end + 1;
  if (end < content_.size() && content_[end] == '\r' && start_ < content_.size() &&
      content_[start_] == '\n') {
    ++start_;
  }
  return line;
}

Character CharacterAt(std::string_view text, std::size_t offset) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[offset + i]); };
  const unsigned char lead = byte(0);
  std::size_t length = 0;
  char32_t code = 0;
  if (lead >= 0xC2 && lead <= 0xDF) length = 2, code = lead & 0x1F;
  else if (lead >= 0xE0 && lead <= 0xEF) length = 3, code = lead & 0x0F;
  else if (lead >= 0xF0 && lead <= 0xF4) length = 4, code = lead & 0x07;
  if (length == 0 || offset + length > text.size()) return {lead, 1};
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return {lead, 1};
    code = (code << 6) | (byte(i) & 0x3F);
  }
  // Overlong forms, surrogates and codes past U+10FFFF are no UTF-8.
  const char32_t smallest = length == 3 ? 0x800 : length == 4 ? 0x10000 : 0x80;
  if (code < smallest || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) return {lead, 1};
  return {code, length};
}

bool IsControlCharacter(char32_t code) {
  return code < 0x20 || (code >= 0x7F && code <= 0x9F) || code == 0x2028 || code == 0x2029;
}

bool IsInvisibleCharacter(char32_t code) {
  return code == ' ' || IsControlCharacter(code) || code == 0xA0 || code == 0x1680 ||
         (code >= 0x2000 && code <= 0x200F) || (code >= 0x2028 && code <= 0x202F) ||
         (code >= 0x205F && code <= 0x2064) || code == 0x3000 || code == 0xFEFF;
}

std::string_view TrimInvisible(std::string_view text) {
  std::size_t first = 0;
  while (first < text.size() && IsInvisibleCharacter(CharacterAt(text, first).code)) {
    first += CharacterAt(text, first).length;
  }
  // The end is found walking forwards: UTF-8 cannot be read backwards safely
  // when it is mixed with 8-bit bytes.
  std::size_t end = first;
  for (std::size_t offset = first; offset < text.size();) {
    const Character c = CharacterAt(text, offset);
    offset += c.length;
    if (!IsInvisibleCharacter(c.code)) end = offset;
  }
  return text.substr(first, end - first);
}

std::optional<FoundCharacter> FindControlCharacter(std::string_view text) {
  std::size_t position = 1;
  for (std::size_t offset = 0; offset < text.size(); ++position) {
    const Character c = CharacterAt(text, offset);
    if (IsControlCharacter(c.code)) return FoundCharacter{offset, position, c.code};
    offset += c.length;
  }
  return std::nullopt;
}

std::string CharacterCodeName(char32_t code) {
  if (code < 256) return "code " + FormatNumber(code, "0");
  constexpr char kHex[] = "0123456789ABCDEF";
  std::string digits;
  for (char32_t rest = code; rest > 0 || digits.size() < 4; rest >>= 4) {
    digits.insert(digits.begin(), kHex[rest & 15]);
  }
  return "U+" + digits;
}

}  // namespace boltgen

namespace boltgen {
namespace {

void AppendEscaped(std::string& out, unsigned char byte) {
  constexpr char kHex[] = "0123456789ABCDEF";
  out += "\\x";
  out += kHex[byte >> 4];
  out += kHex[byte & 15];
}

bool IsContinuation(unsigned char byte) { return byte >= 0x80 && byte <= 0xBF; }

}  // namespace

std::string EscapeControls(std::string_view text, bool keep_line_breaks) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    const auto next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
    if ((byte < 0x20 && !(keep_line_breaks && byte == '\n')) || byte == 0x7F) {
      AppendEscaped(out, byte);
    } else if (byte == 0xC2 && next >= 0x80 && next <= 0x9F) {
      AppendEscaped(out, byte), AppendEscaped(out, next), ++i;
    } else if (byte >= 0xC2 && byte <= 0xF4) {
      // A character of several bytes: its continuation bytes are no C1 codes.
      const std::size_t length = byte < 0xE0 ? 2 : byte < 0xF0 ? 3 : 4;
      out += static_cast<char>(byte);
      for (std::size_t k = 1; k < length && i + 1 < text.size() &&
                              IsContinuation(static_cast<unsigned char>(text[i + 1]));
           ++k)
        out += text[++i];
    } else if (byte >= 0x80 && byte <= 0x9F) {
      AppendEscaped(out, byte);
    } else {
      out += static_cast<char>(byte);
    }
  }
  return out;
}

}  // namespace boltgen
