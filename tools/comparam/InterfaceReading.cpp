#include "InterfaceReading.h"

#include <pelka/Attributable.h>

#include <set>

namespace NComParamTool {
namespace {

std::wstring AfterFirstDot(const std::wstring& qualifier) {
  const std::size_t dot = qualifier.find(L'.');
  return dot == std::wstring::npos ? std::wstring() : qualifier.substr(dot + 1);
}

// After a reading, a parameter's alias is the document-side name it came from.
std::set<std::wstring> AliasesOf(NComParamMan::ZComParamConfiguration& configuration) {
  std::set<std::wstring> aliases;
  const NComParamMan::ZComParamCollection& params = configuration.GetComParamCollection();
  for (unsigned i = 0; i < params.Count(); ++i) aliases.insert(params.At(i).GetAlias());
  return aliases;
}

std::vector<ZUnusedParam> FindUnused(Pelka::ZEcuDoc& doc, const std::wstring& interfaceQualifier,
                                     const std::set<std::wstring>& aliases) {
  std::vector<ZUnusedParam> unused;
  const Pelka::ZVirtualAttrView& attributes = doc.GetEcu().VirtualAttributes();
  for (std::size_t position : doc.InterfaceMemberPositions(interfaceQualifier.c_str())) {
    const Pelka::ZAttribute& attribute = attributes.ItemAt(position);
    const std::wstring name = AfterFirstDot(attribute.GetQualifier());
    if (aliases.count(name) == 0) {
      unused.push_back({attribute.GetQualifier(), name, attribute.GetValueText()});
    }
  }
  return unused;
}

}  // namespace

ZInterfaceReading ReadInterface(Pelka::ZEcuDoc& doc, NComParamMan::ZComParamManager& manager,
                                ZLogWatch& log, const std::wstring& interfaceQualifier) {
  ZInterfaceReading reading(interfaceQualifier);
  log.Clear();
  reading.configuration = manager.TolvanToNormalized(interfaceQualifier.c_str());
  reading.complete = !log.SawInternalError();
  reading.unused = FindUnused(doc, interfaceQualifier, AliasesOf(reading.configuration));
  return reading;
}

const Pelka::ZDefaultAttr* FindMemberByName(const Pelka::ZEcuDoc& doc,
                                            const std::wstring& interfaceQualifier,
                                            const std::wstring& name) {
  for (std::size_t position : doc.InterfaceMemberPositions(interfaceQualifier.c_str())) {
    const Pelka::ZDefaultAttr& attribute = doc.AttributeAt(position);
    if (AfterFirstDot(attribute.GetQualifier()) == name) return &attribute;
  }
  return nullptr;
}

}  // namespace NComParamTool
