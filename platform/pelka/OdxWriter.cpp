#include "OdxWriter.h"

#include "FileReplace.h"
#include "OdxEdits.h"
#include "OdxSources.h"
#include "PdxArchive.h"
#include "pelka/EcuDocFile.h"
#include "pelka/OdxFile.h"

#include <algorithm>
#include <cwchar>
#include <filesystem>
#include <map>
#include <system_error>
#include <utility>

namespace Pelka {

namespace {

bool SameFile(const std::string& left, const std::string& right) {
  std::error_code error;
  return std::filesystem::equivalent(std::filesystem::u8path(left), std::filesystem::u8path(right),
                                     error) &&
         !error;
}

void CheckSameSources(const ZOdxOrigin& origin, const std::vector<ZOdxSource>& sources) {
  bool same = origin.Sources().size() == sources.size();
  for (std::size_t i = 0; same && i < sources.size(); ++i) {
    same = origin.Sources()[i].file == sources[i].file &&
           origin.Sources()[i].member == sources[i].member;
  }
  if (!same) throw ZDocFileError("these are not the ODX files the document was read from");
}

void CheckSameAttributes(const ZEcuDoc& edited, const ZEcuDoc& read) {
  bool same = edited.AttributeCount() == read.AttributeCount();
  for (std::size_t i = 0; same && i < read.AttributeCount(); ++i) {
    same =
        std::wcscmp(edited.AttributeAt(i).GetQualifier(), read.AttributeAt(i).GetQualifier()) == 0;
  }
  if (!same) throw ZDocFileError("the ODX files changed since the document was read");
}

// The value of each parameter of the layers, by its layer, comparam and part: names may change
// with a frame format's scheme, these do not.
std::map<std::string, std::wstring> ValuesOfLayers(const ZEcuDoc& doc,
                                                   const std::vector<std::string>& layers) {
  const ZOdxOrigin& origin = *doc.GetOdxOrigin();
  std::map<std::string, std::wstring> values;
  for (std::size_t position = 0; position < doc.AttributeCount(); ++position) {
    const ZOdxOrigin::ZValueSite* pSite = origin.SiteOf(doc.AttributeAt(position));
    if (pSite == nullptr) continue;
    const std::string& layer = origin.Layers()[pSite->layer].shortName;
    if (std::find(layers.begin(), layers.end(), layer) == layers.end()) continue;
    const ZOdxOrigin::ZComparam& comparam = origin.Comparams()[pSite->comparam];
    values[layer + '\n' + comparam.docRef + '\n' + comparam.idRef + '\n' +
           std::to_string(comparam.member) + '\n' + std::to_string(pSite->part)] =
        doc.GetEcu().VirtualAttributes().ItemAt(position).GetValueText();
  }
  return values;
}

// The written sources give the edited layers the values they have in the document.
void CheckReadBack(const ZEcuDoc& edited, std::vector<ZOdxSource> written,
                   const std::vector<std::string>& layers) {
  const std::unique_ptr<ZEcuDoc> pWritten =
      ReadOdxSources(std::move(written), edited.GetOdxOrigin()->PrimaryCount());
  if (ValuesOfLayers(*pWritten, layers) != ValuesOfLayers(edited, layers)) {
    throw ZDocFileError("the written ODX does not read back with the document's values");
  }
}

// Runs a part of the saving; a refusal names the saved path.
template <class TAction>
auto Naming(const std::string& path, TAction action) {
  try {
    return action();
  } catch (const ZOdxValueRefused& refused) {
    throw ZOdxValueRefused(path + ": " + refused.what(), refused.Qualifier());
  } catch (const ZDocFileError& error) {
    throw ZDocFileError(path + ": " + error.what());
  }
}

}  // namespace

ZOdxValueRefused::ZOdxValueRefused(const std::string& message, std::wstring qualifier)
    : ZDocFileError(message), m_qualifier(std::move(qualifier)) {}

ZOdxValueRefused::~ZOdxValueRefused() = default;

std::vector<ZOdxSource> WriteOdxSources(const ZEcuDoc& doc, std::vector<ZOdxSource> sources) {
  const ZOdxOrigin* pOrigin = doc.GetOdxOrigin();
  if (pOrigin == nullptr) throw ZDocFileError("the document was not read from ODX");
  CheckSameSources(*pOrigin, sources);
  const std::unique_ptr<ZEcuDoc> pRead = ReadOdxSources(sources, pOrigin->PrimaryCount());
  CheckSameAttributes(doc, *pRead);
  const ZOdxOrigin& read = *pRead->GetOdxOrigin();
  std::vector<std::string_view> texts;
  for (std::size_t i = 0; i < sources.size(); ++i) {
    const ZOdxOrigin::ZSource& source = read.Sources()[i];
    texts.push_back(source.verbatim
                        ? std::string_view(sources[i].bytes).substr(source.verbatimOffset)
                        : std::string_view());
  }
  const ZOdxEditPlan plan = PlanOdxEdits(doc, *pRead, texts);
  if (plan.layers.empty()) return sources;
  std::vector<ZOdxSource> written = sources;
  for (std::size_t i = 0; i < sources.size(); ++i) {
    if (plan.bySource[i].empty()) continue;
    const std::size_t offset = read.Sources()[i].verbatimOffset;
    written[i].bytes =
        sources[i].bytes.substr(0, offset) + ApplyTextEdits(texts[i], plan.bySource[i]);
  }
  std::vector<std::string> layers;
  for (std::uint32_t layer : plan.layers) layers.push_back(read.Layers()[layer].shortName);
  CheckReadBack(doc, written, layers);
  return written;
}

void SaveOdxDocument(const ZEcuDoc& doc, const std::string& path) {
  const std::vector<ZOdxOrigin::ZSource>& origins = doc.GetOdxOrigin()->Sources();
  if (origins.empty()) throw ZDocFileError(path + ": the document was read from no ODX file");
  const std::string& first = origins.front().file;
  const bool container = !origins.front().member.empty();
  if (container && IsOdxFileName(path)) {
    throw ZDocFileError(path + ": a PDX container cannot be saved as an ODX file");
  }
  if (!container && IsOdxPath(path) && !IsOdxFileName(path)) {
    throw ZDocFileError(path + ": an ODX file cannot be saved as a PDX container");
  }
  std::string archive;
  std::vector<ZOdxSource> sources;
  if (container) {
    archive = ReadFileBytes(first);
    sources = PdxSources(archive.data(), archive.size(), first);
  } else {
    for (const ZOdxOrigin::ZSource& origin : origins) {
      sources.push_back({origin.file, "", ReadFileBytes(origin.file)});
    }
  }
  const std::vector<ZOdxSource> written =
      Naming(path, [&] { return WriteOdxSources(doc, sources); });
  std::map<std::string, std::string> changed;
  for (std::size_t i = 0; i < sources.size(); ++i) {
    if (written[i].bytes == sources[i].bytes) continue;
    if (!container && i != 0) {
      throw ZDocFileError(path + ": the changes lie in " + origins[i].Name() +
                          ", not in the file saved");
    }
    changed[written[i].member] = written[i].bytes;
  }
  // Saved over itself unchanged, a file keeps its links and time stamps.
  if (changed.empty() && SameFile(path, first)) return;
  if (!container) return ReplaceFileContent(path, written.front().bytes);
  ReplaceFileContent(path, changed.empty()
                               ? archive
                               : ReplacePdxMembers(archive.data(), archive.size(), first, changed));
}

}  // namespace Pelka
