// The document a command works on: a file given on the command line or the built-in sample.
#pragma once

#include <pelka/EcuDoc.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace NComParamTool {

// True when a command's first argument names a document rather than an interface: it ends in
// ".xml", ".odx", ".odx-d" or ".pdx", holds a path separator, or is an existing file.
bool LooksLikeDocument(const std::string& argument);

class ZDocument {
 public:
  // Loads the file at path (UTF-8); an empty path loads the built-in sample and says so on
  // notes, as it does the warnings of reading ODX. Throws ZToolError (usage) with
  // "FILE:LINE: problem" when the file cannot be read.
  ZDocument(const std::string& path, std::ostream& notes);

  Pelka::ZEcuDoc& Get() { return *m_pDoc; }
  const Pelka::ZEcuDoc& Get() const { return *m_pDoc; }
  // The path as given, or the built-in sample's file name.
  const std::string& GetName() const { return m_name; }

  // The interface qualifiers in document order.
  std::vector<std::wstring> Interfaces() const;
  // The named interfaces, or all when none is named. Throws ZToolError (usage) for a name the
  // document has no interface of.
  std::vector<std::wstring> SelectInterfaces(const std::vector<std::string>& names) const;

  // True for a document read from ODX files or a PDX container.
  bool IsOdx() const;

  // Writes the document through a temporary file. Throws ZToolError (usage) on failure, and
  // Pelka::ZOdxValueRefused for a value ODX files cannot take.
  void Save(const std::string& path) const;

 private:
  std::unique_ptr<Pelka::ZEcuDoc> m_pDoc;
  std::string m_name;
};

}  // namespace NComParamTool
