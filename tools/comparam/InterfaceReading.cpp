#include "InterfaceReading.h"

#include "SafeText.h"

#include <pelka/Attribute.h>

#include <set>

namespace NComParamTool {
namespace {

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
  for (const NComParamMan::ZDocumentParam& param :
       NComParamMan::GetDocumentParams(doc, interfaceQualifier.c_str())) {
    if (!param.isRead || aliases.count(param.name) == 0) {
      unused.push_back(
          {param.pAttribute->GetQualifier(), param.name, param.pAttribute->GetValueText()});
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

std::vector<ZInterfaceReading> ReadInterfaces(ZDocument& doc, const std::vector<std::string>& names,
                                              ZLogWatch& log) {
  const std::vector<std::wstring> qualifiers = doc.SelectInterfaces(names);
  NComParamMan::ZComParamManager manager(doc.Get());
  std::vector<ZInterfaceReading> readings;
  readings.reserve(qualifiers.size());
  for (const std::wstring& qualifier : qualifiers) {
    readings.push_back(ReadInterface(doc.Get(), manager, log, qualifier));
  }
  return readings;
}

bool NoteIfIncomplete(const ZInterfaceReading& reading, std::ostream& err) {
  if (reading.complete) return false;
  err << "comparam: interface \"" << OneLine(reading.configuration.GetInterfaceQualifier())
      << "\" is incomplete: the library reported an internal error while reading it\n";
  return true;
}

const Pelka::ZAttribute* FindReadAttribute(Pelka::ZEcuDoc& doc,
                                           const std::wstring& interfaceQualifier,
                                           const std::wstring& alias) {
  for (const NComParamMan::ZDocumentParam& param :
       NComParamMan::GetDocumentParams(doc, interfaceQualifier.c_str())) {
    if (param.isRead && alias == param.name) return param.pAttribute;
  }
  return nullptr;
}

}  // namespace NComParamTool
