// Where the XML sources of an ODX database come from: an ODX file with the ODX files of its
// folder, or the ODX members of a PDX container. Every source is read into memory whole; a
// container is never extracted to disk.
#pragma once

#include "pelka/OdxFile.h"

#include <string>
#include <string_view>
#include <vector>

namespace Pelka {

// True for the names of ODX files: ".odx" and ".odx-*" (.odx-d, .odx-c, .odx-cs, ...), in any
// letter case.
bool IsOdxFileName(std::string_view name);

// True for a path that names an ODX file or a PDX container (".pdx"), by its ending.
bool IsOdxPath(std::string_view path);

// The file's bytes (path in UTF-8). Throws ZDocFileError "FILE: cannot read the file".
std::string ReadFileBytes(const std::string& path);

// The ODX file at path, whose bytes are given, and after it every other ODX file of its
// folder, by file name.
std::vector<ZOdxSource> OdxFolderSources(const std::string& path, std::string bytes);

// The members of the PDX container with ODX file names, in archive order; its catalogue
// (index.xml) and other files are left aside. Throws ZDocFileError for a container that cannot
// be read or holds no ODX file.
std::vector<ZOdxSource> PdxSources(const char* data, std::size_t size, const std::string& archive);

}  // namespace Pelka
