#include "XmlSource.h"

#include "pelka/EcuDocFile.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string_view>
#include <utility>

namespace Pelka {

namespace {

// A refusal found on the way in; the source adds its name.
struct Refusal {
  std::size_t line;
  std::string problem;
};

std::size_t LineOf(std::string_view textBefore) {
  return 1 + static_cast<std::size_t>(std::count(textBefore.begin(), textBefore.end(), '\n'));
}

[[noreturn]] void Refuse(std::string_view textBefore, std::string problem) {
  throw Refusal{LineOf(textBefore), std::move(problem)};
}

std::string Hex(unsigned value, int digits) {
  static const char* const kDigits = "0123456789ABCDEF";
  std::string text;
  for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) text += kDigits[(value >> shift) & 15];
  return text;
}

// ---- characters

std::string Utf8(std::uint32_t c) {
  std::string text;
  if (c < 0x80) {
    text += static_cast<char>(c);
  } else if (c < 0x800) {
    text += static_cast<char>(0xC0 | (c >> 6));
    text += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    text += static_cast<char>(0xE0 | (c >> 12));
    text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    text += static_cast<char>(0xF0 | (c >> 18));
    text += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (c & 0x3F));
  }
  return text;
}

// A decoded character must be one XML allows; textBefore is the text decoded up to it.
void CheckChar(std::uint32_t c, std::string_view textBefore) {
  if (c == 0) Refuse(textBefore, "NUL character");
  if (!IsXmlChar(c)) {
    Refuse(textBefore, "character U+" + Hex(c, c > 0xFFFF ? 6 : 4) + " is not allowed in XML");
  }
}

// The code point of the UTF-8 sequence at text[at], and its length; 0 when it is not valid UTF-8
// (overlong, a surrogate, above U+10FFFF, a stray or missing continuation byte).
std::size_t Utf8Sequence(std::string_view text, std::size_t at, std::uint32_t& c) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  std::size_t length = 0;
  std::uint32_t minimum = 0;
  if (lead < 0x80) {
    c = lead;
    return 1;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, minimum = 0x80, c = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, minimum = 0x800, c = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, minimum = 0x10000, c = lead & 0x07;
  } else {
    return 0;
  }
  if (text.size() - at < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) return 0;
    c = (c << 6) | (byte(at + i) & 0x3F);
  }
  const bool surrogate = c >= 0xD800 && c <= 0xDFFF;
  return c < minimum || c > 0x10FFFF || surrogate ? 0 : length;
}

// Printable ASCII and the three blanks below U+0020 need no decoding: most of a file.
bool IsPlainAscii(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return (byte >= 0x20 && byte < 0x80) || byte == '\n' || byte == '\t' || byte == '\r';
}

// True when none of the eight bytes is below U+0020 or above U+007F.
bool IsPrintableAscii8(const char* bytes) {
  constexpr std::uint64_t kHigh = 0x8080808080808080u;
  constexpr std::uint64_t kSpaces = 0x2020202020202020u;
  std::uint64_t word = 0;
  std::memcpy(&word, bytes, sizeof word);
  // A byte below 0x20 borrows into its top bit; a byte of 0x80 or more has it set already.
  return ((word - kSpaces) & ~word & kHigh) == 0 && (word & kHigh) == 0;
}

void CheckUtf8(std::string_view text) {
  for (std::size_t at = 0; at < text.size();) {
    if (text.size() - at >= 8 && IsPrintableAscii8(text.data() + at)) {
      at += 8;
      continue;
    }
    if (IsPlainAscii(text[at])) {
      ++at;
      continue;
    }
    std::uint32_t c = 0;
    const std::size_t length = Utf8Sequence(text, at, c);
    if (length == 0) Refuse(text.substr(0, at), "invalid UTF-8");
    CheckChar(c, text.substr(0, at));
    at += length;
  }
}

void CheckAscii(std::string_view text) {
  for (std::size_t at = 0; at < text.size(); ++at) {
    const auto byte = static_cast<unsigned char>(text[at]);
    if (byte >= 0x80) Refuse(text.substr(0, at), "byte 0x" + Hex(byte, 2) + " is not US-ASCII");
    CheckChar(byte, text.substr(0, at));
  }
}

// Windows-1252 0x80-0x9F; 0 where the code page has no character.
constexpr std::uint16_t kWindows1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

std::string DecodeSingleByte(std::string_view bytes, bool windows1252) {
  std::string text;
  text.reserve(bytes.size() + bytes.size() / 8);
  for (const char byte : bytes) {
    std::uint32_t c = static_cast<unsigned char>(byte);
    if (windows1252 && c >= 0x80 && c <= 0x9F) {
      c = kWindows1252High[c - 0x80];
      if (c == 0) {
        Refuse(text, "byte 0x" + Hex(static_cast<unsigned char>(byte), 2) +
                         " is not a Windows-1252 character");
      }
    }
    CheckChar(c, text);
    text += Utf8(c);
  }
  return text;
}

std::string DecodeUtf16(std::string_view bytes, bool bigEndian) {
  const auto unit = [&](std::size_t at) {
    const auto first = static_cast<unsigned char>(bytes[at]);
    const auto second = static_cast<unsigned char>(bytes[at + 1]);
    return static_cast<std::uint32_t>(bigEndian ? (first << 8 | second) : (second << 8 | first));
  };
  std::string text;
  text.reserve(bytes.size() / 2);
  std::size_t at = 0;
  for (; at + 1 < bytes.size(); at += 2) {
    std::uint32_t c = unit(at);
    if (c >= 0xD800 && c <= 0xDBFF && at + 3 < bytes.size()) {
      const std::uint32_t low = unit(at + 2);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
        at += 2;
      }
    }
    if (c >= 0xD800 && c <= 0xDFFF) Refuse(text, "invalid UTF-16");
    CheckChar(c, text);
    text += Utf8(c);
  }
  if (at != bytes.size()) Refuse(text, "invalid UTF-16: an odd number of bytes");
  return text;
}

// ---- names

bool IsNameStartChar(std::uint32_t c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == ':' ||
         (c >= 0xC0 && c <= 0xD6) || (c >= 0xD8 && c <= 0xF6) || (c >= 0xF8 && c <= 0x2FF) ||
         (c >= 0x370 && c <= 0x37D) || (c >= 0x37F && c <= 0x1FFF) || c == 0x200C || c == 0x200D ||
         (c >= 0x2070 && c <= 0x218F) || (c >= 0x2C00 && c <= 0x2FEF) ||
         (c >= 0x3001 && c <= 0xD7FF) || (c >= 0xF900 && c <= 0xFDCF) ||
         (c >= 0xFDF0 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0xEFFFF);
}

bool IsNameChar(std::uint32_t c) {
  return IsNameStartChar(c) || c == '-' || c == '.' || (c >= '0' && c <= '9') || c == 0xB7 ||
         (c >= 0x300 && c <= 0x36F) || c == 0x203F || c == 0x2040;
}

bool IsAsciiText(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

bool IsAsciiNameChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
         c == ':' || c == '-' || c == '.';
}

// An XML name; the text is valid UTF-8.
bool IsName(std::string_view name) {
  if (name.empty()) return false;
  for (std::size_t at = 0; at < name.size();) {
    // ASCII name characters but the digits, '-' and '.' may also start a name.
    const char ascii = name[at];
    if (IsAsciiNameChar(ascii) &&
        (at != 0 || !(ascii == '-' || ascii == '.' || (ascii >= '0' && ascii <= '9')))) {
      ++at;
      continue;
    }
    std::uint32_t c = 0;
    const std::size_t length = Utf8Sequence(name, at, c);
    if (length == 0 || !(at == 0 ? IsNameStartChar(c) : IsNameChar(c))) return false;
    at += length;
  }
  return true;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

bool StartsWith(std::string_view text, std::size_t at, std::string_view prefix) {
  return text.compare(at, prefix.size(), prefix) == 0;
}

bool EqualsAsciiNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
           return lower(x) == lower(y);
         });
}

// The name at text[at]: the bytes up to a blank or one of the ends given.
std::string_view NameAt(std::string_view text, std::size_t at, std::string_view ends) {
  std::size_t end = at;
  while (end < text.size() && !IsBlank(text[end]) && ends.find(text[end]) == ends.npos) ++end;
  return text.substr(at, end - at);
}

// ---- the XML declaration

// The encoding the declaration at the start of text names; empty without one. Only the
// declaration's ASCII is read, so this works on the undecoded bytes of a single-byte encoding.
std::string DeclaredEncoding(std::string_view text) {
  if (!StartsWith(text, 0, "<?") || NameAt(text, 2, "?") != "xml") return "";
  const std::size_t end = text.find("?>");
  if (end == text.npos) Refuse("", "XML error: the XML declaration is not closed");
  const std::string_view declaration = text.substr(0, end);
  std::size_t at = 5;
  const auto blanks = [&] {
    const std::size_t start = at;
    while (at < declaration.size() && IsBlank(declaration[at])) ++at;
    return at > start;
  };
  const auto malformed = [&] {
    Refuse(text.substr(0, at), "XML error: malformed XML declaration");
  };
  // name = "value" or 'value'; false at the end of the declaration.
  const auto pseudoAttribute = [&](std::string_view name, std::string_view& value) {
    const std::size_t start = at;
    if (!blanks() || !StartsWith(declaration, at, name)) {
      at = start;
      return false;
    }
    at += name.size();
    blanks();
    if (at == declaration.size() || declaration[at] != '=') malformed();
    ++at;
    blanks();
    const char quote = at < declaration.size() ? declaration[at] : '\0';
    if (quote != '"' && quote != '\'') malformed();
    const std::size_t close = declaration.find(quote, at + 1);
    if (close == declaration.npos) malformed();
    value = declaration.substr(at + 1, close - at - 1);
    at = close + 1;
    return true;
  };
  std::string_view version, encoding, standalone;
  if (!pseudoAttribute("version", version)) malformed();
  if (version != "1.0") {
    Refuse(text.substr(0, at), "XML version \"" + std::string(version) + "\" is not supported");
  }
  const bool hasEncoding = pseudoAttribute("encoding", encoding);
  const bool hasStandalone = pseudoAttribute("standalone", standalone);
  blanks();
  if (at != declaration.size()) malformed();
  if (hasEncoding && !IsName(encoding)) malformed();
  if (hasStandalone && standalone != "yes" && standalone != "no") malformed();
  return std::string(encoding);
}

// ---- markup

// The text pugixml gets must mean what XML says it means: pugixml keeps undefined references
// as literal text, skips a DOCTYPE, drops text after the root element and is lenient about a
// few rules of well-formedness, so those are checked here. Broken markup that would stop this
// scan is left to pugixml to report.
class MarkupScan {
 public:
  explicit MarkupScan(std::string_view text) : m_text(text) {}

  void Run() {
    while (m_at < m_text.size()) {
      if (m_text[m_at] == '<') {
        Markup();
      } else {
        CharData();
      }
    }
  }

 private:
  [[noreturn]] void RefuseAt(std::size_t at, std::string problem) const {
    Refuse(m_text.substr(0, at), std::move(problem));
  }

  void CharData() {
    // Inside the root element only these characters need a closer look.
    while (m_depth > 0 && m_at < m_text.size() && m_text[m_at] != '<' && m_text[m_at] != '&' &&
           m_text[m_at] != ']') {
      ++m_at;
    }
    if (m_at == m_text.size() || m_text[m_at] == '<') return;
    const char c = m_text[m_at];
    if (m_depth == 0 && !IsBlank(c)) RefuseAt(m_at, "XML error: text outside the root element");
    if (c == '&') {
      m_at = Reference(m_at);
      return;
    }
    if (c == ']' && StartsWith(m_text, m_at, "]]>")) RefuseAt(m_at, "XML error: \"]]>\" in text");
    ++m_at;
  }

  void Markup() {
    // Most markup is a start or end tag: the second character tells them from the rest.
    const char second = m_at + 1 < m_text.size() ? m_text[m_at + 1] : '\0';
    if (second == '/') {
      if (m_depth > 0) --m_depth;
      SkipPast(">", 2);
    } else if (second != '!' && second != '?') {
      StartTag();
    } else if (StartsWith(m_text, m_at, "<!--")) {
      Comment();
    } else if (StartsWith(m_text, m_at, "<![CDATA[")) {
      if (m_depth == 0) RefuseAt(m_at, "XML error: text outside the root element");
      SkipPast("]]>", 9);
    } else if (StartsWith(m_text, m_at, "<!DOCTYPE")) {
      RefuseAt(m_at, "DOCTYPE is not allowed");
    } else if (second == '?') {
      ProcessingInstruction();
    } else {
      m_at += 2;  // no other markup declaration is XML here; pugixml says so
    }
  }

  void Comment() {
    const std::size_t end = m_text.find("-->", m_at + 4);
    const std::size_t dashes = m_text.find("--", m_at + 4);
    if (end != m_text.npos && dashes != end) RefuseAt(dashes, "XML error: \"--\" in a comment");
    SkipPast("-->", 4);
  }

  // A target ends at a blank or at the instruction's "?>": "<?a?b ...?>" has no valid target.
  bool EndsTarget(std::size_t at) const {
    return at >= m_text.size() || IsBlank(m_text[at]) || m_text.compare(at, 2, "?>") == 0;
  }

  void ProcessingInstruction() {
    const std::string_view target = NameAt(m_text, m_at + 2, "?");
    if (target == "xml") {
      // The declaration at the start was read with the encoding.
      if (m_at != 0) RefuseAt(m_at, "XML error: XML declaration not at the start");
    } else if (EqualsAsciiNoCase(target, "xml")) {
      RefuseAt(m_at,
               "XML error: reserved processing instruction target \"" + std::string(target) + "\"");
    } else if (!IsName(target) || !EndsTarget(m_at + 2 + target.size())) {
      RefuseAt(m_at, "XML error: processing instruction without a valid target");
    } else if (!IsAsciiText(target)) {
      // Parsers of the older XML name rules refuse most such targets: what loads here must
      // read in any parser.
      RefuseAt(m_at, "XML error: processing instruction target \"" + std::string(target) +
                         "\" is not ASCII");
    }
    SkipPast("?>", 2);
  }

  // <name attributes> or <name attributes/>, with the references of its attribute values.
  void StartTag() {
    for (std::size_t at = m_at + 1; at < m_text.size(); ++at) {
      const char c = m_text[at];
      if (c == '>') {
        if (m_text[at - 1] != '/') ++m_depth;
        m_at = at + 1;
        return;
      }
      if (c == '"' || c == '\'') {
        at = AttributeValue(at);
        if (at == m_text.npos) break;
      }
    }
    m_at = m_text.size();
  }

  // The position of the closing quote, or npos.
  std::size_t AttributeValue(std::size_t open) {
    const char quote = m_text[open];
    for (std::size_t at = open + 1; at < m_text.size();) {
      const char c = m_text[at];
      if (c == quote) return at;
      if (c == '<') RefuseAt(at, "XML error: \"<\" in an XML attribute value");
      at = c == '&' ? Reference(at) : at + 1;
    }
    return m_text.npos;
  }

  // Checks the reference at text[at] ('&') and returns the position after it.
  std::size_t Reference(std::size_t at) const {
    const std::string_view name = NameAt(m_text, at + 1, ";<&\"'");
    const std::size_t semicolon = at + 1 + name.size();
    if (name.empty() || semicolon >= m_text.size() || m_text[semicolon] != ';') {
      RefuseAt(at, "XML error: \"&\" that starts no reference");
    }
    const std::string_view written = m_text.substr(at, name.size() + 2);
    if (name[0] == '#') {
      CheckCharacterReference(at, name.substr(1), written);
    } else if (name != "lt" && name != "gt" && name != "amp" && name != "apos" && name != "quot") {
      RefuseAt(at, "entity reference " + std::string(written) +
                       " is not allowed (only &lt; &gt; &amp; &apos; &quot; are)");
    }
    return semicolon + 1;
  }

  void CheckCharacterReference(std::size_t at, std::string_view digits,
                               std::string_view written) const {
    const bool hex = !digits.empty() && digits[0] == 'x';
    if (hex) digits.remove_prefix(1);
    std::uint32_t value = 0;
    for (const char c : digits) {
      int digit = -1;
      if (c >= '0' && c <= '9') digit = c - '0';
      if (hex && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
      if (hex && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
      if (digit < 0)
        RefuseAt(at, "XML error: malformed character reference " + std::string(written));
      value =
          std::min<std::uint32_t>(value * (hex ? 16 : 10) + static_cast<unsigned>(digit), 0x110000);
    }
    if (digits.empty())
      RefuseAt(at, "XML error: malformed character reference " + std::string(written));
    if (value == 0) RefuseAt(at, "NUL character");
    if (!IsXmlChar(value)) RefuseAt(at, std::string(written) + " is not an XML character");
  }

  // Moves past the end marker searched from m_at + skip, or to the end of the text.
  void SkipPast(std::string_view marker, std::size_t skip) {
    const std::size_t end = m_text.find(marker, m_at + skip);
    m_at = end == m_text.npos ? m_text.size() : end + marker.size();
  }

  std::string_view m_text;
  std::size_t m_at = 0;
  std::size_t m_depth = 0;
};

// ---- decoding

enum class Encoding { kUtf8, kAscii, kLatin1, kWindows1252, kUtf16 };

struct EncodingName {
  const char* name;
  Encoding encoding;
};

// Names as IANA registers them, compared without case.
constexpr EncodingName kEncodings[] = {
    {"UTF-8", Encoding::kUtf8},        {"US-ASCII", Encoding::kAscii},
    {"ISO-8859-1", Encoding::kLatin1}, {"windows-1252", Encoding::kWindows1252},
    {"UTF-16", Encoding::kUtf16},      {"UTF-16LE", Encoding::kUtf16},
    {"UTF-16BE", Encoding::kUtf16}};

Encoding EncodingNamed(const std::string& name) {
  for (const EncodingName& known : kEncodings) {
    if (EqualsAsciiNoCase(name, known.name)) return known.encoding;
  }
  Refuse("", "unsupported encoding \"" + name + "\"");
}

struct DecodedText {
  std::string text;  // empty when verbatim: the text is then the bytes from offset on
  bool verbatim;
  std::size_t offset;  // of the text in the bytes, when verbatim
};

[[noreturn]] void RefuseMismatch(const char* byteOrderMark, const std::string& declared) {
  Refuse("", std::string("the byte order mark says ") + byteOrderMark +
                 " but the XML declaration says \"" + declared + "\"");
}

DecodedText DecodeUtf16Source(std::string_view bytes, bool bigEndian) {
  DecodedText decoded{DecodeUtf16(bytes.substr(2), bigEndian), false, 0};
  const std::string declared = DeclaredEncoding(decoded.text);
  if (!declared.empty() && !EqualsAsciiNoCase(declared, "UTF-16")) {
    RefuseMismatch("UTF-16", declared);
  }
  return decoded;
}

DecodedText Decode(std::string_view bytes) {
  const auto startsWith = [&](std::string_view prefix) { return StartsWith(bytes, 0, prefix); };
  using namespace std::string_view_literals;
  if (startsWith("\x00\x00\xFE\xFF"sv) || startsWith("\xFF\xFE\x00\x00"sv)) {
    Refuse("", "unsupported encoding UTF-32");
  }
  if (startsWith("\xFE\xFF")) return DecodeUtf16Source(bytes, true);
  if (startsWith("\xFF\xFE")) return DecodeUtf16Source(bytes, false);
  if (startsWith("\x00<"sv) || startsWith("<\x00"sv)) {
    Refuse("", "UTF-16 without a byte order mark is not supported");
  }
  const std::size_t bom = startsWith("\xEF\xBB\xBF") ? 3 : 0;
  const std::string_view content = bytes.substr(bom);
  const std::string declared = DeclaredEncoding(content);
  const Encoding encoding = declared.empty() ? Encoding::kUtf8 : EncodingNamed(declared);
  if (bom != 0 && encoding != Encoding::kUtf8) RefuseMismatch("UTF-8", declared);
  switch (encoding) {
    case Encoding::kUtf8: CheckUtf8(content); break;
    case Encoding::kAscii: CheckAscii(content); break;
    case Encoding::kLatin1: return {DecodeSingleByte(content, false), false, 0};
    case Encoding::kWindows1252: return {DecodeSingleByte(content, true), false, 0};
    case Encoding::kUtf16: Refuse("", "UTF-16 without a byte order mark is not supported");
  }
  return {std::string(), true, bom};
}

// ---- the parsed tree

std::string Element(const char* name) { return std::string("<") + name + ">"; }

// Names pugixml reads more leniently than XML, and XML attributes given twice, which pugixml
// keeps both of. Walks without recursion: nesting depth is the input's to choose.
void CheckTree(const ZXmlSource& source) {
  pugi::xml_node node = source.Xml().first_child();
  while (node) {
    if (node.type() == pugi::node_element) {
      if (!IsName(node.name())) source.Fail(node, "XML error: invalid element name");
      for (pugi::xml_attribute attribute : node.attributes()) {
        if (!IsName(attribute.name())) source.Fail(node, "XML error: invalid XML attribute name");
        for (pugi::xml_attribute before = attribute.previous_attribute(); before;
             before = before.previous_attribute()) {
          if (std::string_view(before.name()) == attribute.name()) {
            source.Fail(node, std::string("duplicate XML attribute \"") + attribute.name() +
                                  "\" on " + Element(node.name()));
          }
        }
      }
      if (node.first_child()) {
        node = node.first_child();
        continue;
      }
    }
    while (node && !node.next_sibling()) node = node.parent();
    if (node) node = node.next_sibling();
  }
}

// A document has one root element; pugixml reads on after the first.
void CheckOneRoot(const ZXmlSource& source) {
  const pugi::xml_node root = source.Xml().document_element();
  for (pugi::xml_node node = root.next_sibling(); node; node = node.next_sibling()) {
    if (node.type() == pugi::node_element) source.Fail(node, "more than one root element");
  }
}

}  // namespace

void FailAtLine(const std::string& name, std::size_t line, const std::string& problem) {
  throw ZDocFileError(name + ":" + std::to_string(line) + ": " + problem);
}

bool IsUtf8Source(std::string_view start) {
  using namespace std::string_view_literals;
  if (start.find('\0') != start.npos || StartsWith(start, 0, "\xFE\xFF") ||
      StartsWith(start, 0, "\xFF\xFE")) {
    return false;
  }
  const std::size_t bom = StartsWith(start, 0, "\xEF\xBB\xBF") ? 3 : 0;
  try {
    const std::string declared = DeclaredEncoding(start.substr(bom));
    return declared.empty() || EncodingNamed(declared) == Encoding::kUtf8;
  } catch (const Refusal&) {
    return false;
  }
}

bool IsXmlChar(std::uint32_t c) {
  return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) ||
         (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

ZXmlSource::ZXmlSource(const char* data, std::size_t size, std::string name, unsigned parseFlags)
    : ZXmlSource(std::string(data, size), std::move(name), parseFlags) {}

ZXmlSource::ZXmlSource(std::string bytes, std::string name, unsigned parseFlags, ZTextUse textUse)
    : m_name(std::move(name)) {
  try {
    DecodedText decoded = Decode(bytes);
    if (decoded.verbatim) {
      bytes.erase(0, decoded.offset);
      m_text = std::move(bytes);
    } else {
      m_text = std::move(decoded.text);
    }
    m_verbatim = decoded.verbatim;
    m_verbatimOffset = decoded.offset;
    MarkupScan(m_text).Run();
  } catch (const Refusal& refusal) {
    FailAtLine(m_name, refusal.line, refusal.problem);
  }
  // Parsing in place changes the text, so its lines are found first. A kept text is counted
  // when a message asks: an index of a large file's lines would outweigh its element tree.
  m_keepsText = textUse == OPKeepText;
  if (!m_keepsText) {
    for (std::size_t at = m_text.find('\n'); at != m_text.npos; at = m_text.find('\n', at + 1)) {
      m_lineBreaks.push_back(at);
    }
  }
  const pugi::xml_parse_result result =
      textUse == OPParseInPlace
          ? m_xml.load_buffer_inplace(m_text.data(), m_text.size(), parseFlags, pugi::encoding_utf8)
          : m_xml.load_buffer(m_text.data(), m_text.size(), parseFlags, pugi::encoding_utf8);
  if (!result) FailAt(result.offset, std::string("XML error: ") + result.description());
  CheckOneRoot(*this);
  CheckTree(*this);
}

std::size_t ZXmlSource::LineAt(std::ptrdiff_t offset) const {
  const auto end = static_cast<std::size_t>(std::max<std::ptrdiff_t>(offset, 0));
  if (m_keepsText) {
    const std::string_view before = std::string_view(m_text).substr(0, end);
    return 1 + static_cast<std::size_t>(std::count(before.begin(), before.end(), '\n'));
  }
  return 1 +
         static_cast<std::size_t>(std::lower_bound(m_lineBreaks.begin(), m_lineBreaks.end(), end) -
                                  m_lineBreaks.begin());
}

void ZXmlSource::FailAt(std::ptrdiff_t offset, const std::string& problem) const {
  FailAtLine(m_name, LineAt(offset), problem);
}

void ZXmlSource::Fail(pugi::xml_node node, const std::string& problem) const {
  FailAt(node.offset_debug(), problem);
}

}  // namespace Pelka
