#include "OdxSources.h"

#include "PdxArchive.h"
#include "pelka/EcuDocFile.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <utility>

namespace Pelka {

namespace {

namespace fs = std::filesystem;

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// The name's extension from its last dot, in lower case; empty without a dot.
std::string ExtensionOf(std::string_view name) {
  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos) return {};
  std::string extension(name.substr(dot));
  std::transform(extension.begin(), extension.end(), extension.begin(), Lower);
  return extension;
}

// The path up to and with its last separator, as given; empty for a bare file name.
std::string FolderPrefix(const std::string& path) {
#if defined(_WIN32)
  const std::size_t separator = path.find_last_of("/\\");
#else
  const std::size_t separator = path.rfind('/');
#endif
  return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}

}  // namespace

bool IsOdxFileName(std::string_view name) {
  const std::string extension = ExtensionOf(name);
  return extension == ".odx" || extension.compare(0, 5, ".odx-") == 0;
}

bool IsOdxPath(std::string_view path) { return IsOdxFileName(path) || ExtensionOf(path) == ".pdx"; }

std::string ReadFileBytes(const std::string& path) {
  const fs::path file = fs::u8path(path);
  std::error_code error;
  std::ifstream in(file, std::ios::binary);
  if (!in.is_open() || fs::is_directory(file, error)) {
    throw ZDocFileError(path + ": cannot read the file");
  }
  // One read of the whole file: copying it character by character took longer than parsing it.
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  in.seekg(0, std::ios::beg);
  std::string bytes(size > 0 ? static_cast<std::size_t>(size) : 0, '\0');
  if (size < 0 || !in.read(bytes.data(), size))
    throw ZDocFileError(path + ": cannot read the file");
  return bytes;
}

std::vector<ZOdxSource> OdxFolderSources(const std::string& path, std::string bytes) {
  std::vector<ZOdxSource> sources;
  sources.push_back({path, "", std::move(bytes)});
  const fs::path file = fs::u8path(path);
  const std::string prefix = FolderPrefix(path);
  const fs::path folder = fs::u8path(prefix.empty() ? std::string(".") : prefix);
  std::vector<std::string> others;
  std::error_code error;
  for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
       entry.increment(error)) {
    const std::string name = entry->path().filename().u8string();
    std::error_code ignored;
    if (!entry->is_regular_file(ignored) || !IsOdxFileName(name)) continue;
    if (fs::equivalent(entry->path(), file, ignored)) continue;
    others.push_back(name);
  }
  if (error) throw ZDocFileError(folder.u8string() + ": cannot list the folder");
  std::sort(others.begin(), others.end());
  // Named as the path names the folder, so that messages read as the user wrote it.
  for (const std::string& name : others) {
    sources.push_back({prefix + name, "", ReadFileBytes(prefix + name)});
  }
  return sources;
}

std::vector<ZOdxSource> PdxSources(const char* data, std::size_t size, const std::string& archive) {
  std::vector<ZOdxSource> sources;
  for (ZArchiveMember& member : ReadPdxMembers(data, size, archive)) {
    if (IsOdxFileName(member.name)) {
      sources.push_back({archive, std::move(member.name), std::move(member.bytes)});
    }
  }
  if (sources.empty()) throw ZDocFileError(archive + ": the PDX container holds no ODX file");
  return sources;
}

}  // namespace Pelka
