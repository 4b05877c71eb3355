// Replacing a file's content safely, for every save of the document stand-in.
#pragma once

#include <string>
#include <string_view>

namespace Pelka {

// Writes content to a new temporary file PATH.tmp-N beside the file path names, then renames it
// over that file, so a reader or a power loss sees the old or the new content, never a mix or an
// empty file. The temporary file has the replaced file's mode from the start (0600 for a new
// file, less where the umask says so) and, where the process may, its owner and group. A link
// is followed to the file it names and stays a link; a link that points nowhere is refused.
// Temporary files of this pattern left by a killed save are removed first: regular files of the
// saving user, older than this save, that no running save holds. Hard links of the file are
// broken by the rename. Throws ZDocFileError "PATH: problem"; on failure path is as it was and
// the temporary file is gone.
void ReplaceFileContent(const std::string& path, std::string_view content);

}  // namespace Pelka
