#include "Document.h"

#include "EmbeddedSample.h"
#include "ToolError.h"
#include "Utf8.h"

#include <pelka/EcuDocFile.h>
#include <pelka/OdxFile.h>

#include <filesystem>
#include <system_error>

namespace NComParamTool {
namespace {

// The endings of document files: the tool's own format, ODX files and PDX containers.
bool HasDocumentEnding(const std::string& text) {
  std::string lower = text;
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  for (const char* ending : {".xml", ".odx", ".odx-d", ".pdx"}) {
    const std::string suffix = ending;
    if (lower.size() >= suffix.size() &&
        lower.compare(lower.size() - suffix.size(), suffix.size(), suffix) == 0) {
      return true;
    }
  }
  return false;
}

bool IsExistingFile(const std::string& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(std::filesystem::u8path(path), error);
}

std::unique_ptr<Pelka::ZEcuDoc> LoadDocument(const std::string& path) {
  try {
    if (path.empty()) {
      return Pelka::ParseEcuDoc(reinterpret_cast<const char*>(embeddedSampleData),
                                embeddedSampleSize, embeddedSampleName);
    }
    return Pelka::LoadEcuDoc(path);
  } catch (const Pelka::ZDocFileError& error) {
    throw ZToolError(ESUsage, error.what());
  }
}

}  // namespace

bool LooksLikeDocument(const std::string& argument) {
  return HasDocumentEnding(argument) || argument.find('/') != std::string::npos ||
#if defined(_WIN32)
         argument.find('\\') != std::string::npos ||
#endif
         IsExistingFile(argument);
}

ZDocument::ZDocument(const std::string& path, std::ostream& notes)
    : m_pDoc(LoadDocument(path)), m_name(path.empty() ? embeddedSampleName : path) {
  if (path.empty()) {
    notes << "comparam: no document given, using the built-in sample " << m_name << "\n";
  }
  if (const Pelka::ZOdxOrigin* pOrigin = m_pDoc->GetOdxOrigin()) {
    for (const std::string& warning : pOrigin->Warnings()) notes << "comparam: " << warning << "\n";
  }
}

std::vector<std::wstring> ZDocument::Interfaces() const { return m_pDoc->InterfaceQualifiers(); }

std::vector<std::wstring> ZDocument::SelectInterfaces(const std::vector<std::string>& names) const {
  if (names.empty()) return Interfaces();
  std::vector<std::wstring> qualifiers;
  for (const std::string& name : names) {
    const std::wstring qualifier = FromUtf8(name);
    if (m_pDoc->FindInterface(qualifier.c_str()) == nullptr) {
      throw ZToolError(ESUsage, m_name + ": no interface \"" + name + "\"");
    }
    qualifiers.push_back(qualifier);
  }
  return qualifiers;
}

bool ZDocument::IsOdx() const { return m_pDoc->GetOdxOrigin() != nullptr; }

void ZDocument::Save(const std::string& path) const {
  try {
    Pelka::SaveEcuDoc(*m_pDoc, path);
  } catch (const Pelka::ZOdxValueRefused&) {
    throw;  // a refused value, which the command reports as the attribute's refusal
  } catch (const Pelka::ZDocFileError& error) {
    throw ZToolError(ESUsage, error.what());
  }
}

}  // namespace NComParamTool
