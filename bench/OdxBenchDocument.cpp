#include "OdxBenchDocument.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <stdexcept>
#include <string_view>

namespace NComParamBench {

namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.u8string());
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The text from the first `from` on (with it) up to the `to` after it (without it).
std::string Between(const std::string& text, const std::string& from, const std::string& to) {
  const std::size_t begin = text.find(from);
  const std::size_t end = begin == std::string::npos ? begin : text.find(to, begin);
  if (end == std::string::npos) {
    throw std::runtime_error("the somersault data has no " + from + " ... " + to);
  }
  return text.substr(begin, end - begin);
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  const std::size_t at = text.find(from);
  if (at == std::string::npos) throw std::runtime_error("the somersault data has no " + from);
  return text.replace(at, from.size(), to);
}

// The diagnostics of a copy: every ID defined in it, and every ID-REF to one, get the prefix.
std::string WithIdsPrefixed(const std::string& block, const std::string& prefix) {
  constexpr std::string_view kId = " ID=\"";
  constexpr std::string_view kIdRef = "ID-REF=\"";
  std::set<std::string, std::less<>> defined;
  for (std::size_t at = block.find(kId); at != std::string::npos; at = block.find(kId, at + 1)) {
    const std::size_t begin = at + kId.size();
    defined.insert(block.substr(begin, block.find('"', begin) - begin));
  }
  std::string copy;
  copy.reserve(block.size() + 64 * defined.size());
  std::size_t done = 0;
  for (std::size_t at = 0; at < block.size(); ++at) {
    const bool isId = block.compare(at, kId.size(), kId) == 0;
    const bool isIdRef = !isId && block.compare(at, kIdRef.size(), kIdRef) == 0;
    if (!isId && !isIdRef) continue;
    const std::size_t begin = at + (isId ? kId.size() : kIdRef.size());
    const std::size_t end = block.find('"', begin);
    if (defined.count(std::string_view(block).substr(begin, end - begin)) == 0) continue;
    copy.append(block, done, begin - done).append(prefix);
    done = begin;
  }
  return copy.append(block, done, std::string::npos);
}

}  // namespace

std::string SomersaultFolder() { return COMPARAM_REALWORLD_DIR "/odx/somersault"; }

std::string OdxVariantName(std::size_t index) {
  char name[32];
  std::snprintf(name, sizeof name, "ev_%04zu", index);
  return name;
}

std::uintmax_t WriteOdxDatabase(std::size_t variantCount, const std::string& somersaultFolder,
                                const std::string& folder) {
  const fs::path source = fs::u8path(somersaultFolder);
  const fs::path target = fs::u8path(folder);
  fs::create_directories(target);
  const std::string somersault = ReadFile(source / "somersault.odx-d");
  // The base variant's diagnostics, and the COMPARAM-REFS of an ECU variant.
  const std::string diagnostics = Between(Between(somersault, "<BASE-VARIANT ", "</BASE-VARIANT>"),
                                          "<FUNCT-CLASSS>", "<ADDITIONAL-AUDIENCES>");
  const std::string comparamRefs =
      Between(Between(somersault, "<ECU-VARIANT ID=\"somersault_assiduous\">", "</ECU-VARIANT>"),
              "<COMPARAM-REFS>", "<PARENT-REFS>");
  const std::size_t variantsAt = somersault.find("<ECU-VARIANTS>");
  const std::size_t variantsEnd = somersault.find("</ECU-VARIANTS>");
  if (variantsAt == std::string::npos || variantsEnd == std::string::npos) {
    throw std::runtime_error("the somersault data has no <ECU-VARIANTS>");
  }
  std::ofstream out(target / "bench.odx-d", std::ios::binary);
  out << somersault.substr(0, variantsAt) << "<ECU-VARIANTS>\n";
  for (std::size_t i = 0; i < variantCount; ++i) {
    const std::string name = OdxVariantName(i);
    const unsigned canId = 0x600 + static_cast<unsigned>(i % 0x100);
    std::string refs = Replaced(comparamRefs, "<SIMPLE-VALUE>123</SIMPLE-VALUE>",
                                "<SIMPLE-VALUE>" + std::to_string(canId) + "</SIMPLE-VALUE>");
    refs = Replaced(refs, "<SIMPLE-VALUE>456</SIMPLE-VALUE>",
                    "<SIMPLE-VALUE>" + std::to_string(canId + 0x80) + "</SIMPLE-VALUE>");
    out << "  <ECU-VARIANT ID=\"" << name << "\">\n     <SHORT-NAME>" << name
        << "</SHORT-NAME>\n     <LONG-NAME>Generated ECU variant " << i << "</LONG-NAME>\n     "
        << WithIdsPrefixed(diagnostics, name + ".") << refs
        << "<PARENT-REFS><PARENT-REF ID-REF=\"somersault.base_variant\" "
           "xsi:type=\"BASE-VARIANT-REF\"/></PARENT-REFS>\n  </ECU-VARIANT>\n";
  }
  out << somersault.substr(variantsEnd);
  out.close();
  if (!out) throw std::runtime_error("cannot write " + (target / "bench.odx-d").u8string());
  std::uintmax_t bytes = fs::file_size(target / "bench.odx-d");
  for (const auto& entry : fs::directory_iterator(source)) {
    if (entry.path().filename() == "somersault.odx-d") continue;
    fs::copy_file(entry.path(), target / entry.path().filename(),
                  fs::copy_options::overwrite_existing);
    bytes += fs::file_size(entry.path());
  }
  return bytes;
}

}  // namespace NComParamBench
