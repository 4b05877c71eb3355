// What the ODX reader warns about, collected for the document's origin: each warning
// "FILE:LINE: problem", and one per ODX document that DOCREFs name but the database lacks.
#pragma once

#include "XmlSource.h"
#include "pelka/OdxOrigin.h"

#include <pugixml.hpp>

#include <cstddef>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace Pelka {

class ZOdxWarnings {
 public:
  void Add(const ZXmlSource& source, pugi::xml_node node, const std::string& problem);
  // The same with a problem made only when it is kept: finding a line number costs a scan of the
  // source, too much for every one of a warning that repeats in a large file.
  template <class TProblem>
  void AddMade(const ZXmlSource& source, pugi::xml_node node, TProblem makeProblem) {
    if (IsFull()) {
      ++m_leftOut;
      return;
    }
    Add(source, node, makeProblem());
  }

  // A DOCREF at the node names a document the database lacks; the interface (when one is
  // given) misses the parameters it would define.
  void NoteMissing(std::string_view document, const ZXmlSource& source, pugi::xml_node link,
                   std::string_view interfaceName = {});

  // Hands every warning to the origin, a missing document's after the others.
  void MoveTo(ZOdxOrigin& origin);

 private:
  struct ZMissing {
    std::string place;  // "FILE:LINE" of the first reference
    std::vector<std::string> interfaces;
    std::set<std::string, std::less<>> named;
  };

  // The first warnings are kept; a database that warns about more says how many it left out.
  static constexpr std::size_t kMaxWarnings = 50;
  bool IsFull() const noexcept { return m_warnings.size() == kMaxWarnings; }

  std::vector<std::string> m_warnings;
  std::size_t m_leftOut = 0;
  std::map<std::string, ZMissing, std::less<>> m_missing;
  std::vector<std::string> m_missingOrder;
};

}  // namespace Pelka
