#include "OdxTextScan.h"

#include "OdxXml.h"

#include <algorithm>

namespace Pelka {
namespace OdxTextScan {

namespace {

constexpr std::size_t npos = std::string_view::npos;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// After the ">" of the tag whose "<" is at `at`: the first ">" outside quoted values.
std::size_t TagEnd(std::string_view text, std::size_t at) {
  char quote = '\0';
  for (++at; at < text.size(); ++at) {
    const char c = text[at];
    if (quote != '\0') {
      if (c == quote) quote = '\0';
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == '>') {
      return at + 1;
    }
  }
  return text.size();
}

// What the markup at a "<" is.
enum ZMarkup { MStart, MEnd, MOther };

struct ZStep {
  ZMarkup kind;
  std::size_t begin;  // its "<"
  std::size_t end;    // after it
  bool selfClosing;
};

// The next markup from `at`, or a step of kind MOther ending at the text's end.
ZStep NextMarkup(std::string_view text, std::size_t at) {
  const std::size_t lt = text.find('<', at);
  if (lt == npos) return {MOther, text.size(), text.size(), false};
  const std::size_t skipped = OdxXml::SkipMarkup(text, lt);
  if (skipped != npos) return {MOther, lt, skipped, false};
  if (lt + 1 < text.size() && (text[lt + 1] == '!' || text[lt + 1] == '?')) {
    return {MOther, lt, text.size(), false};  // unterminated: the reader refuses such text
  }
  const std::size_t end = TagEnd(text, lt);
  if (lt + 1 < text.size() && text[lt + 1] == '/') return {MEnd, lt, end, false};
  return {MStart, lt, end, end >= 2 && text[end - 2] == '/'};
}

}  // namespace

std::string_view NameAt(std::string_view text, std::size_t at) {
  std::size_t end = at + 1;
  while (end < text.size() && !IsBlank(text[end]) && text[end] != '/' && text[end] != '>') ++end;
  return text.substr(at + 1, end - at - 1);
}

ZElementSpan ElementAt(std::string_view text, std::size_t nameOffset) {
  const std::size_t begin = nameOffset > 0 ? nameOffset - 1 : 0;
  const std::size_t startTagEnd = TagEnd(text, begin);
  if (startTagEnd >= 2 && text[startTagEnd - 2] == '/') {
    return {begin, startTagEnd, startTagEnd - 2, startTagEnd, true};
  }
  std::size_t depth = 1;
  std::size_t at = startTagEnd;
  while (at < text.size()) {
    const ZStep step = NextMarkup(text, at);
    if (step.kind == MStart && !step.selfClosing) ++depth;
    if (step.kind == MEnd && --depth == 0) {
      return {begin, startTagEnd, step.begin, step.end, false};
    }
    at = step.end;
  }
  return {begin, startTagEnd, text.size(), text.size(), false};
}

std::vector<ZChild> ChildrenOf(std::string_view text, const ZElementSpan& element) {
  std::vector<ZChild> children;
  if (element.selfClosing) return children;
  std::size_t at = element.startTagEnd;
  while (at < element.endTagBegin) {
    const ZStep step = NextMarkup(text, at);
    if (step.begin >= element.endTagBegin) break;
    if (step.kind == MStart) {
      const ZElementSpan span = ElementAt(text, step.begin + 1);
      children.push_back({NameAt(text, step.begin), span});
      at = span.end;
    } else {
      at = step.end;
    }
  }
  return children;
}

ZIndent IndentOf(std::string_view text, std::size_t at) {
  std::size_t start = at;
  while (start > 0 && (text[start - 1] == ' ' || text[start - 1] == '\t')) --start;
  const bool ownLine = start == 0 || text[start - 1] == '\n' || text[start - 1] == '\r';
  return {ownLine, ownLine ? text.substr(start, at - start) : std::string_view()};
}

std::string_view LineEndBefore(std::string_view text, std::size_t at) {
  std::size_t lf = text.rfind('\n', at == 0 ? 0 : at - 1);
  if (lf == npos) lf = text.find('\n');
  return lf != npos && lf > 0 && text[lf - 1] == '\r' ? "\r\n" : "\n";
}

}  // namespace OdxTextScan
}  // namespace Pelka
