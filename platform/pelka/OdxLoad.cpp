// Reading an ODX database: parse and index its sources, walk the layers, plan the interfaces,
// free the parsed files, then build the document.
#include "OdxDocBuilder.h"
#include "OdxIndex.h"
#include "OdxInterfaces.h"
#include "OdxLayers.h"
#include "OdxSources.h"
#include "OdxWarnings.h"
#include "pelka/OdxFile.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>

namespace Pelka {

namespace {

// How far into the bytes the root element is looked for: past the XML declaration and the
// comments real files begin with.
constexpr std::size_t kSniffLength = std::size_t{64} * 1024;

// The first bytes as ASCII text: UTF-8 without its byte order mark, UTF-16 by its code units'
// low bytes (non-ASCII ones become '?').
std::string SniffText(const char* data, std::size_t size) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(data);
  const bool utf16le = size >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE;
  const bool utf16be = size >= 2 && bytes[0] == 0xFE && bytes[1] == 0xFF;
  std::string text;
  if (utf16le || utf16be) {
    for (std::size_t at = 2; at + 1 < size && text.size() < kSniffLength; at += 2) {
      const unsigned low = utf16le ? bytes[at] : bytes[at + 1];
      const unsigned high = utf16le ? bytes[at + 1] : bytes[at];
      text += high == 0 && low < 0x80 ? static_cast<char>(low) : '?';
    }
    return text;
  }
  const std::size_t bom = size >= 3 && std::memcmp(data, "\xEF\xBB\xBF", 3) == 0 ? 3 : 0;
  return std::string(data + bom, std::min(size - bom, kSniffLength));
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

}  // namespace

bool LooksLikeOdx(const char* data, std::size_t size) noexcept {
  try {
    const std::string text = SniffText(data, size);
    std::size_t at = 0;
    while (at < text.size()) {
      if (IsBlank(text[at])) {
        ++at;
      } else if (text.compare(at, 2, "<?") == 0) {
        at = text.find("?>", at);
        at = at == std::string::npos ? at : at + 2;
      } else if (text.compare(at, 4, "<!--") == 0) {
        at = text.find("-->", at);
        at = at == std::string::npos ? at : at + 3;
      } else {
        break;
      }
    }
    if (at >= text.size() || text.compare(at, 4, "<ODX") != 0) return false;
    const std::size_t after = at + 4;
    return after < text.size() &&
           (IsBlank(text[after]) || text[after] == '>' || text[after] == '/');
  } catch (...) {
    return false;  // out of memory for a copy of 64 KiB: not worth a failure of its own
  }
}

std::unique_ptr<ZEcuDoc> ReadOdxSources(std::vector<ZOdxSource> sources, std::size_t primaryCount) {
  auto pOrigin = std::make_unique<ZOdxOrigin>();
  pOrigin->SetPrimaryCount(std::min(primaryCount, sources.size()));
  ZOdxWarnings warnings;
  ZOdxPlan plan;
  {
    const ZOdxIndex index(sources, primaryCount);
    for (std::size_t i = 0; i < sources.size(); ++i) {
      pOrigin->AddSource({std::move(sources[i].file), std::move(sources[i].member),
                          index.Source(i).IsVerbatim(), index.Source(i).VerbatimOffset()});
    }
    const ZOdxLayers layers(index, warnings);
    plan = PlanInterfaces(index, layers, *pOrigin, warnings);
  }  // the parsed files are freed before the document is built
  warnings.MoveTo(*pOrigin);
  return BuildOdxDocument(std::move(plan), std::move(pOrigin));
}

std::unique_ptr<ZEcuDoc> ReadPdx(const char* data, std::size_t size,
                                 const std::string& archiveName) {
  std::vector<ZOdxSource> sources = PdxSources(data, size, archiveName);
  const std::size_t count = sources.size();
  return ReadOdxSources(std::move(sources), count);
}

}  // namespace Pelka
