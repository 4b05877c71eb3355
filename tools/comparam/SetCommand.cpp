// `comparam set`: every change is checked by the parameter, written by the library, read back,
// and only then saved; any refusal on the way leaves every file as it was.
#include "Commands.h"

#include "Document.h"
#include "HexNumbers.h"
#include "InterfaceReading.h"
#include "SafeText.h"
#include "TargetLock.h"
#include "ToolError.h"
#include "Utf8.h"

#include <comparam/ComParamMan.h>
#include <pelka/OdxFile.h>

#include <memory>
#include <optional>
#include <set>

namespace NComParamTool {
namespace {

using NComParamMan::ZComParam;
using NComParamMan::ZComParamConfiguration;

struct ZAssignment {
  std::string name;  // UTF-8, for messages
  std::string value;
  std::wstring wideName;
  std::wstring wideValue;  // a hexadecimal number as its decimal text, for the library
};

struct ZChange {
  ZAssignment assignment;
  std::wstring alias;  // the document-side name the parameter was read from
  std::wstring oldValue;
  std::unique_ptr<ZComParam> pParam;  // a clone holding the new value
  std::wstring newValue;              // as read back from the changed document
};

[[noreturn]] void Fail(ZExitStatus status, const std::string& message) {
  throw ZToolError(status, "set: " + message);
}

std::vector<ZAssignment> ParseAssignments(const std::vector<std::string>& arguments) {
  std::vector<ZAssignment> assignments;
  std::set<std::string> names;
  for (const std::string& argument : arguments) {
    const std::size_t equals = argument.find('=');
    if (equals == 0 || equals == std::string::npos) {
      Fail(ESUsage, "'" + argument + "' is not NAME=VALUE");
    }
    ZAssignment assignment{argument.substr(0, equals), argument.substr(equals + 1), L"", L""};
    if (!names.insert(assignment.name).second) {
      Fail(ESUsage, "parameter '" + assignment.name + "' is given twice");
    }
    assignment.wideName = FromUtf8(assignment.name);
    assignment.wideValue = FromUtf8(assignment.value);
    assignments.push_back(assignment);
  }
  if (assignments.empty()) Fail(ESUsage, "nothing to set: give NAME=VALUE");
  return assignments;
}

std::string PermittedText(const ZComParam& param) {
  if (param.GetValueType() == ZComParam::CPTUnsigned) {
    const std::wstring start = param.GetStartRange();
    const std::wstring stop = param.GetStopRange();
    if (!NComParamMan::RangeRestricts(param.GetStartRangeAsUnsigned(),
                                      param.GetStopRangeAsUnsigned())) {
      return "permitted: a number from 0 to 4294967295";
    }
    return "permitted range: " + ToUtf8(start) + " to " + ToUtf8(stop);
  }
  std::string values;
  for (const std::wstring& value : param.GetValidValues().GetValues()) {
    values += (values.empty() ? "" : ", ") + ToUtf8(value);
  }
  return "permitted values: " + values;
}

// The interface's parameter of that name, or a refusal that says why there is none.
ZComParam& FindParam(ZInterfaceReading& reading, const ZAssignment& assignment) {
  ZComParam* pParam =
      reading.configuration.GetComParamCollection().FindByQualifier(assignment.wideName.c_str());
  if (pParam != nullptr) return *pParam;
  // The catalogue answers through a scratch configuration: it only adds qualifiers it knows.
  ZComParamConfiguration probe(L"");
  if (probe.AddComParam(L"", assignment.wideName.c_str(), L"", false, false) == nullptr) {
    Fail(ESUsage, "unknown parameter '" + assignment.name +
                      "' (a normalized qualifier is expected, as `comparam show` lists them)");
  }
  Fail(ESUsage, "interface \"" + ToUtf8(reading.configuration.GetInterfaceQualifier()) +
                    "\" has no parameter '" + assignment.name + "'");
}

bool SameValue(const ZComParam& param, const ZComParam& changed) {
  if (!param.HasValidValue()) return false;
  // 0150 is the number 150, which a number attribute keeps.
  if (param.GetValueType() == ZComParam::CPTUnsigned) {
    return param.GetValueAsUnsigned() == changed.GetValueAsUnsigned();
  }
  return std::wstring(param.GetValue()) == changed.GetValue();
}

// The change an assignment asks for; empty when the parameter already holds the value.
std::unique_ptr<ZChange> PrepareChange(ZInterfaceReading& reading, const ZAssignment& assignment) {
  const ZComParam& param = FindParam(reading, assignment);
  if (!param.GetMayBeModified()) {
    Fail(ESFailed, "parameter '" + assignment.name + "' may not be modified (document attribute '" +
                       ToUtf8(param.GetAlias()) + "')");
  }
  std::unique_ptr<ZChange> pChange(new ZChange{assignment, param.GetAlias(), param.GetValue(),
                                               std::unique_ptr<ZComParam>(param.Clone()), L""});
  const bool number = param.GetValueType() == ZComParam::CPTUnsigned;
  if (number) {
    pChange->assignment.wideValue =
        DecimalOfHex(assignment.wideValue).value_or(assignment.wideValue);
  }
  // A parameter reads "" as 0 and takes blanks, a sign and wrapping; a user's number is digits.
  const std::wstring& value = pChange->assignment.wideValue;
  const bool plain = !number || NComParamMan::IsDecimalUnsigned(value.c_str());
  if (!plain || !pChange->pParam->SetValue(value.c_str())) {
    Fail(ESFailed, "value '" + assignment.value + "' refused for '" + assignment.name + "' (" +
                       PermittedText(param) + ")");
  }
  if (SameValue(param, *pChange->pParam)) return nullptr;
  return pChange;
}

// The document may refuse a value the parameter accepted (a signed attribute cannot hold an
// unsigned parameter's 4294967295).
void WriteBack(NComParamMan::ZComParamManager& manager, ZLogWatch& log,
               const std::wstring& interfaceQualifier,
               std::vector<std::unique_ptr<ZChange>>& changes) {
  ZComParamConfiguration written(interfaceQualifier.c_str());
  for (const std::unique_ptr<ZChange>& pChange : changes) {
    written.GetComParamCollection().AddComParam(pChange->pParam->Clone());
  }
  log.Clear();
  manager.NormalizedToTolvan(written);
  const std::vector<std::wstring> failures =
      log.LinesStartingWith(L"ComParamMan: Writing COM parameter '");
  for (const std::unique_ptr<ZChange>& pChange : changes) {
    for (const std::wstring& failure : failures) {
      if (failure.find(L"'" + pChange->alias + L"'") != std::wstring::npos) {
        Fail(ESFailed, "nothing was saved: the document refused '" + pChange->assignment.value +
                           "' for '" + pChange->assignment.name + "' (attribute '" +
                           ToUtf8(pChange->alias) + "')");
      }
    }
  }
  if (!failures.empty() || log.SawInternalError()) {
    Fail(ESFailed, "nothing was saved: the library could not write the changes");
  }
}

bool ReadsBackAsSet(const ZComParam* pRead, const ZChange& change) {
  if (pRead == nullptr || !pRead->HasValidValue() || change.alias != pRead->GetAlias())
    return false;
  if (change.assignment.wideValue == pRead->GetValue()) return true;
  // A number attribute keeps the number, not the spelling: 0012 reads back as 12.
  return pRead->GetValueType() == ZComParam::CPTUnsigned &&
         pRead->GetValueAsUnsigned() == change.pParam->GetValueAsUnsigned();
}

void VerifyReadBack(ZDocument& doc, NComParamMan::ZComParamManager& manager, ZLogWatch& log,
                    const std::wstring& interfaceQualifier,
                    const std::vector<std::unique_ptr<ZChange>>& changes) {
  ZInterfaceReading reread = ReadInterface(doc.Get(), manager, log, interfaceQualifier);
  if (!reread.complete)
    Fail(ESFailed, "nothing was saved: the changed interface cannot be read back");
  for (const std::unique_ptr<ZChange>& pChange : changes) {
    const ZComParam* pRead = reread.configuration.GetComParamCollection().FindByQualifier(
        pChange->assignment.wideName.c_str());
    if (!ReadsBackAsSet(pRead, *pChange)) {
      Fail(ESFailed, "nothing was saved: '" + pChange->assignment.name + "' reads back as '" +
                         (pRead != nullptr ? ToUtf8(pRead->GetValue()) : std::string()) +
                         "' instead of '" + pChange->assignment.value + "'");
    }
    pChange->newValue = pRead->GetValue();
  }
}

// The interfaces other than the changed one that share the attribute a change was written to.
std::string OtherInterfacesOf(const ZDocument& doc, const std::wstring& interfaceQualifier,
                              const Pelka::ZAttribute& attribute) {
  std::string others;
  for (const std::wstring& other : doc.Interfaces()) {
    if (other != interfaceQualifier &&
        doc.Get().IsInterfaceMember(other.c_str(), attribute.GetDefaultAttribute())) {
      others += (others.empty() ? "" : ", ") + ToUtf8(other);
    }
  }
  return others;
}

// An attribute is one value for every interface it is a member of: say so once it has changed.
void NoteSharedAttributes(ZDocument& doc, const std::wstring& interfaceQualifier,
                          const std::vector<std::unique_ptr<ZChange>>& changes, std::ostream& err) {
  for (const std::unique_ptr<ZChange>& pChange : changes) {
    const Pelka::ZAttribute* pAttribute =
        FindReadAttribute(doc.Get(), interfaceQualifier, pChange->alias);
    if (pAttribute == nullptr) continue;
    const std::string others = OtherInterfacesOf(doc, interfaceQualifier, *pAttribute);
    if (!others.empty()) {
      err << "comparam: note: " << OneLine(pAttribute->GetQualifier()) << " is also a parameter of "
          << OneLine(others) << "\n";
    }
  }
}

std::string TargetOf(const ZCommandLine& line) {
  if (line.inPlace && !line.output.empty())
    Fail(ESUsage, "give either -o OUT or --in-place, not both");
  if (!line.inPlace && line.output.empty()) {
    Fail(ESUsage, "refusing to write without -o OUT or --in-place");
  }
  return line.output;
}

// The changes the assignments ask for, written into the document and read back as set.
std::vector<std::unique_ptr<ZChange>> MakeChanges(ZDocument& doc, ZLogWatch& log,
                                                  const std::wstring& interfaceQualifier,
                                                  const std::vector<ZAssignment>& assignments) {
  NComParamMan::ZComParamManager manager(doc.Get());
  ZInterfaceReading reading = ReadInterface(doc.Get(), manager, log, interfaceQualifier);
  if (!reading.complete) {
    Fail(ESFailed,
         "refusing to write: interface \"" + ToUtf8(interfaceQualifier) +
             "\" is incomplete (the library reported an internal error while reading it)");
  }
  std::vector<std::unique_ptr<ZChange>> changes;
  for (const ZAssignment& assignment : assignments) {
    if (std::unique_ptr<ZChange> pChange = PrepareChange(reading, assignment)) {
      changes.push_back(std::move(pChange));
    }
  }
  if (!changes.empty()) {
    WriteBack(manager, log, interfaceQualifier, changes);
    VerifyReadBack(doc, manager, log, interfaceQualifier, changes);
  }
  return changes;
}

// An ODX frame format refuses a scheme and width its text table lacks only when it is saved:
// reported as the document's refusal of the value, as the attribute's own refusal is.
void SaveChanges(ZDocument& doc, const std::string& path, const std::wstring& interfaceQualifier,
                 const std::vector<std::unique_ptr<ZChange>>& changes) {
  try {
    doc.Save(path);
  } catch (const Pelka::ZOdxValueRefused& refused) {
    for (const std::unique_ptr<ZChange>& pChange : changes) {
      const Pelka::ZAttribute* pAttribute =
          FindReadAttribute(doc.Get(), interfaceQualifier, pChange->alias);
      if (pAttribute != nullptr && refused.Qualifier() == pAttribute->GetQualifier()) {
        Fail(ESFailed, "nothing was saved: the document refused '" + pChange->assignment.value +
                           "' for '" + pChange->assignment.name + "' (" + refused.what() + ")");
      }
    }
    Fail(ESFailed, std::string("nothing was saved: ") + refused.what());
  }
}

}  // namespace

int RunSet(const ZCommandLine& line, ZContext& context) {
  const std::string output = TargetOf(line);
  if (line.positionals.size() < 2) Fail(ESUsage, "DOC and INTERFACE are required");
  const std::string& documentPath = line.positionals[0];
  // The built-in sample has no file to save over.
  if (documentPath.empty()) Fail(ESUsage, "DOC is empty: name the document file");
  const std::vector<ZAssignment> assignments =
      ParseAssignments({line.positionals.begin() + 2, line.positionals.end()});
  // Held from before the reading until the file is replaced, so that no other save is lost.
  std::optional<ZTargetLock> lock;
  if (line.inPlace) lock.emplace(documentPath, context.err);
  ZDocument doc(documentPath, context.err);
  const std::wstring interfaceQualifier = doc.SelectInterfaces({line.positionals[1]}).front();
  const std::vector<std::unique_ptr<ZChange>> changes =
      MakeChanges(doc, context.log, interfaceQualifier, assignments);
  // An unchanged document is not rewritten in place: saving would only reformat it.
  if (!changes.empty() || !output.empty()) {
    if (lock) lock->CheckUnchanged();
    SaveChanges(doc, output.empty() ? documentPath : output, interfaceQualifier, changes);
  }
  // Reported only once saved, so a failed save never looks like a change.
  for (const std::unique_ptr<ZChange>& pChange : changes) {
    context.out << OneLine(line.positionals[1]) << " " << OneLine(pChange->assignment.name) << ": "
                << OneLine(pChange->oldValue) << " -> " << OneLine(pChange->newValue) << "\n";
  }
  NoteSharedAttributes(doc, interfaceQualifier, changes, context.err);
  if (changes.empty()) context.out << OneLine(line.positionals[1]) << ": nothing to change\n";
  return ESOk;
}

}  // namespace NComParamTool
