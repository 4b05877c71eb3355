#include "OdxWarnings.h"

#include <utility>

namespace Pelka {

namespace {

std::string Place(const ZXmlSource& source, pugi::xml_node node) {
  return source.Name() + ":" + std::to_string(source.LineAt(node.offset_debug()));
}

// "a", "a and b", "a, b and c", "a, b, c and 2 more".
std::string Listing(const std::vector<std::string>& names) {
  constexpr std::size_t kNamed = 3;
  std::string text;
  const std::size_t shown = names.size() > kNamed + 1 ? kNamed : names.size();
  for (std::size_t i = 0; i < shown; ++i) {
    if (i > 0) text += i + 1 == shown && shown == names.size() ? " and " : ", ";
    text += "\"" + names[i] + "\"";
  }
  if (shown < names.size()) text += " and " + std::to_string(names.size() - shown) + " more";
  return text;
}

}  // namespace

void ZOdxWarnings::Add(const ZXmlSource& source, pugi::xml_node node, const std::string& problem) {
  if (IsFull()) {
    ++m_leftOut;
    return;
  }
  m_warnings.push_back(Place(source, node) + ": " + problem);
}

void ZOdxWarnings::NoteMissing(std::string_view document, const ZXmlSource& source,
                               pugi::xml_node link, std::string_view interfaceName) {
  auto found = m_missing.find(document);
  if (found == m_missing.end()) {
    found = m_missing.emplace(std::string(document), ZMissing{Place(source, link), {}, {}}).first;
    m_missingOrder.push_back(found->first);
  }
  ZMissing& missing = found->second;
  if (!interfaceName.empty() && missing.named.insert(std::string(interfaceName)).second) {
    missing.interfaces.emplace_back(interfaceName);
  }
}

void ZOdxWarnings::MoveTo(ZOdxOrigin& origin) {
  for (std::string& warning : m_warnings) origin.AddWarning(std::move(warning));
  if (m_leftOut > 0) {
    origin.AddWarning("and " + std::to_string(m_leftOut) + " more warnings of these kinds");
  }
  for (const std::string& document : m_missingOrder) {
    const ZMissing& missing = m_missing.at(document);
    std::string warning =
        missing.place + ": the ODX document \"" + document + "\" is not among the ODX files read";
    if (!missing.interfaces.empty()) {
      warning += "; its parameters are missing from " + Listing(missing.interfaces);
    }
    origin.AddWarning(std::move(warning));
  }
  m_warnings.clear();
  m_missing.clear();
  m_missingOrder.clear();
}

}  // namespace Pelka
