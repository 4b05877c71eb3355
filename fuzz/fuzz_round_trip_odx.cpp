// Writing edited values into ODX files. The input is the ODX files of one database, separated by
// form feeds as for fuzz_load_odx, and after a last "\f\f" the bytes that choose the edits
// (without one the input's own bytes choose them): an interface and a few of its parameters, each
// given a value of its kind. A database the reader accepts, so edited and written, is either
// refused with ZDocFileError naming the change, or reads again with the edited values; no file
// but the edited layer's changes, no other interface's value changes unless the edited layer
// passes it on, and writing the result again without a change gives the same bytes.
#include <FuzzInput.h>

#include <pelka/AttrUtilities.h>
#include <pelka/Attributable.h>
#include <pelka/AttributeKinds.h>
#include <pelka/EcuDocFile.h>
#include <pelka/OdxFile.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

using Pelka::ZOdxOrigin;
using Pelka::ZOdxSource;

std::vector<ZOdxSource> SplitSources(const std::string& input) {
  std::vector<ZOdxSource> sources;
  for (std::size_t at = 0; at <= input.size();) {
    const std::size_t end = std::min(input.find('\f', at), input.size());
    sources.push_back(
        {"fuzz-" + std::to_string(sources.size()) + ".odx", "", input.substr(at, end - at)});
    at = end + 1;
  }
  return sources;
}

// A parameter's value by its interface, comparam and part: the key names may not keep.
struct ZKey {
  std::string layer;
  std::string comparam;
  bool operator<(const ZKey& other) const {
    return std::tie(layer, comparam) < std::tie(other.layer, other.comparam);
  }
};

std::map<ZKey, std::wstring> ValuesBySite(const Pelka::ZEcuDoc& doc) {
  const ZOdxOrigin& origin = *doc.GetOdxOrigin();
  std::map<ZKey, std::wstring> values;
  for (std::size_t position = 0; position < doc.AttributeCount(); ++position) {
    const ZOdxOrigin::ZValueSite* pSite = origin.SiteOf(doc.AttributeAt(position));
    if (pSite == nullptr) continue;
    const ZOdxOrigin::ZComparam& comparam = origin.Comparams()[pSite->comparam];
    values[{origin.Layers()[pSite->layer].shortName, comparam.docRef + "/" + comparam.idRef + "/" +
                                                         std::to_string(comparam.member) + "/" +
                                                         std::to_string(pSite->part)}] =
        doc.GetEcu().VirtualAttributes().ItemAt(position).GetValueText();
  }
  return values;
}

// A value of the attribute's kind, chosen by the input, set at the ECU as the library sets it.
void Edit(Pelka::ZEcuDoc& doc, Pelka::ZDefaultAttr& attribute, Fuzz::ZInput& choices) {
  Pelka::ZOverrideAttr& value = attribute.CreateOverride(doc.GetEcu());
  switch (Pelka::ZAttrTypeChecker::GetAttrType(attribute)) {
    case Pelka::ZAttrManager::ATUnsigned:
      return static_cast<Pelka::ZUnsignedOverrideAttr&>(value).SetValue(choices.Unsigned());
    case Pelka::ZAttrManager::ATSigned:
      return static_cast<Pelka::ZSignedOverrideAttr&>(value).SetValue(
          static_cast<int>(choices.Unsigned()));
    case Pelka::ZAttrManager::ATFloat:
      return static_cast<Pelka::ZFloatOverrideAttr&>(value).SetValue(
          static_cast<int>(choices.Unsigned()) / 16.0);
    case Pelka::ZAttrManager::ATEnum: {
      const Pelka::ZEnumTagTable& tags =
          static_cast<Pelka::ZEnumDefaultAttr&>(attribute).EnumTagTable();
      if (tags.Count() == 0) return;
      return static_cast<Pelka::ZEnumOverrideAttr&>(value).SetValue(
          tags.ItemAt(choices.Below(tags.Count())).GetId());
    }
    case Pelka::ZAttrManager::ATText:
    case Pelka::ZAttrManager::ATString:
      return static_cast<Pelka::ZCommonStringOverrideAttr&>(value).SetValue(choices.Text().c_str());
  }
}

// Edits one interface; returns its name, empty when there is none to edit.
std::string EditOneInterface(Pelka::ZEcuDoc& doc, Fuzz::ZInput& choices) {
  const ZOdxOrigin& origin = *doc.GetOdxOrigin();
  if (origin.Layers().empty()) return {};
  const std::uint32_t layer = static_cast<std::uint32_t>(choices.Below(origin.Layers().size()));
  std::vector<Pelka::ZDefaultAttr*> params;
  for (std::size_t position = 0; position < doc.AttributeCount(); ++position) {
    const ZOdxOrigin::ZValueSite* pSite = origin.SiteOf(doc.AttributeAt(position));
    if (pSite != nullptr && pSite->layer == layer) params.push_back(&doc.AttributeAt(position));
  }
  if (params.empty()) return {};
  for (std::size_t count = 1 + choices.Below(3); count-- > 0;) {
    Edit(doc, *params[choices.Below(params.size())], choices);
  }
  return origin.Layers()[layer].shortName;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const std::size_t split = input.rfind("\f\f");
  const std::string databaseText = split == std::string::npos ? input : input.substr(0, split);
  const std::vector<ZOdxSource> sources = SplitSources(databaseText);
  Fuzz::ZInput choices = split == std::string::npos
                             ? Fuzz::ZInput(data, size)
                             : Fuzz::ZInput(data + split + 2, size - split - 2);
  std::unique_ptr<Pelka::ZEcuDoc> pDoc;
  try {
    pDoc = Pelka::ReadOdxSources(sources, sources.size());
  } catch (const Pelka::ZDocFileError&) {
    return 0;
  }
  const std::map<ZKey, std::wstring> before = ValuesBySite(*pDoc);
  const std::string edited = EditOneInterface(*pDoc, choices);
  std::vector<ZOdxSource> written;
  try {
    written = Pelka::WriteOdxSources(*pDoc, sources);
  } catch (const Pelka::ZDocFileError& error) {
    const std::string message = error.what();
    FUZZ_CHECK(message.find("read back") == std::string::npos &&
                   message.find("overlap") == std::string::npos,
               "the writer failed itself: " + message);
    return 0;
  }
  FUZZ_CHECK(written.size() == sources.size(), "a source lost");
  std::unique_ptr<Pelka::ZEcuDoc> pWritten;
  try {
    pWritten = Pelka::ReadOdxSources(written, written.size());
  } catch (const Pelka::ZDocFileError& error) {
    FUZZ_CHECK(false, std::string("the written files do not load: ") + error.what());
  }
  const std::map<ZKey, std::wstring> wanted = ValuesBySite(*pDoc);
  const std::map<ZKey, std::wstring> after = ValuesBySite(*pWritten);
  FUZZ_CHECK(after.size() == wanted.size(), "parameters appeared or went");
  for (const auto& [key, value] : wanted) {
    const auto found = after.find(key);
    FUZZ_CHECK(found != after.end(), "a parameter went: " + key.layer + " " + key.comparam);
    if (key.layer == edited) {
      FUZZ_CHECK(found->second == value, "an edited value reads back otherwise: " + key.comparam);
    } else if (found->second != before.at(key)) {
      // Only what the edited layer now holds reaches the layers that inherit it.
      const auto passedOn = after.find({edited, key.comparam});
      FUZZ_CHECK(passedOn != after.end() && passedOn->second == found->second,
                 "another interface changed: " + key.layer + " " + key.comparam);
    }
  }
  std::size_t changedFiles = 0;
  for (std::size_t i = 0; i < sources.size(); ++i) {
    changedFiles += written[i].bytes != sources[i].bytes ? 1 : 0;
  }
  FUZZ_CHECK(changedFiles <= 1, "more than the edited layer's file changed");
  const std::vector<ZOdxSource> again = Pelka::WriteOdxSources(*pWritten, written);
  for (std::size_t i = 0; i < written.size(); ++i) {
    FUZZ_CHECK(again[i].bytes == written[i].bytes, "a save without change changed the bytes");
  }
  return 0;
}
