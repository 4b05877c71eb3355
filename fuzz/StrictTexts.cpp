#include "StrictTexts.h"

#include <expat.h>
#include <strings.h>  // strcasecmp: the fuzz build is a POSIX one

#include <cstring>
#include <initializer_list>
#include <memory>
#include <vector>

namespace Fuzz {

namespace {

bool Is(const char* name, std::initializer_list<const char*> names) {
  for (const char* candidate : names) {
    if (std::strcmp(name, candidate) == 0) return true;
  }
  return false;
}

void Fold(std::string& text) {
  std::string folded;
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (text[at] != '\r') {
      folded += text[at];
    } else if (at + 1 == text.size() || text[at + 1] != '\n') {
      folded += '\n';
    }
  }
  text.swap(folded);
}

class Collector {
 public:
  explicit Collector(std::set<std::string>& texts) : m_texts(texts) {}

  static void XMLCALL Start(void* pUser, const XML_Char* name, const XML_Char** attributes) {
    static_cast<Collector*>(pUser)->OnStart(name, attributes);
  }
  static void XMLCALL End(void* pUser, const XML_Char*) { static_cast<Collector*>(pUser)->OnEnd(); }
  static void XMLCALL Characters(void* pUser, const XML_Char* text, int length) {
    static_cast<Collector*>(pUser)->m_contents.back().append(text,
                                                             static_cast<std::size_t>(length));
  }

 private:
  void OnStart(const XML_Char* name, const XML_Char** attributes) {
    const char* kind = "";
    for (const XML_Char** pair = attributes; *pair != nullptr; pair += 2) {
      if (std::strcmp(pair[0], "kind") == 0) kind = pair[1];
    }
    const bool valuesAreTexts = Is(kind, {"string", "text"});
    for (const XML_Char** pair = attributes; *pair != nullptr; pair += 2) {
      const bool carried =
          Is(pair[0], {"qualifier", "category", "interface", "name", "description", "text"}) ||
          (valuesAreTexts && Is(pair[0], {"value", "override"}));
      if (carried) Add(pair[1]);
    }
    m_textElement.push_back(Is(name, {"name", "description", "value", "override", "text"}));
    m_contents.emplace_back();
  }

  void OnEnd() {
    if (m_textElement.back()) Add(m_contents.back());
    m_textElement.pop_back();
    m_contents.pop_back();
  }

  void Add(std::string text) {
    Fold(text);
    if (!text.empty()) m_texts.insert(std::move(text));
  }

  std::set<std::string>& m_texts;
  std::vector<bool> m_textElement;
  std::vector<std::string> m_contents{1};  // the document level's, never used
};

// expat knows UTF-8, UTF-16, ISO-8859-1 and US-ASCII; the loader reads Windows-1252 too.
int XMLCALL UnknownEncoding(void*, const XML_Char* name, XML_Encoding* pInfo) {
  if (strcasecmp(name, "windows-1252") != 0) return XML_STATUS_ERROR;
  static const int kHigh[32] = {0x20AC, -1,     0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, -1,     0x017D, -1,
                                -1,     0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, -1,     0x017E, 0x0178};
  for (int byte = 0; byte < 256; ++byte) {
    pInfo->map[byte] = byte >= 0x80 && byte < 0xA0 ? kHigh[byte - 0x80] : byte;
  }
  pInfo->data = nullptr;
  pInfo->convert = nullptr;
  pInfo->release = nullptr;
  return XML_STATUS_OK;
}

}  // namespace

bool StrictTexts(const std::string& bytes, std::set<std::string>& texts, std::string& what) {
  const std::unique_ptr<XML_ParserStruct, void (*)(XML_Parser)> parser(XML_ParserCreate(nullptr),
                                                                       XML_ParserFree);
  Collector collector(texts);
  XML_SetUserData(parser.get(), &collector);
  XML_SetElementHandler(parser.get(), Collector::Start, Collector::End);
  XML_SetCharacterDataHandler(parser.get(), Collector::Characters);
  XML_SetUnknownEncodingHandler(parser.get(), UnknownEncoding, nullptr);
  if (XML_Parse(parser.get(), bytes.data(), static_cast<int>(bytes.size()), XML_TRUE) ==
      XML_STATUS_OK) {
    return true;
  }
  what = std::string(XML_ErrorString(XML_GetErrorCode(parser.get()))) + " at line " +
         std::to_string(XML_GetCurrentLineNumber(parser.get()));
  return false;
}

}  // namespace Fuzz
