#pragma once
// Paths longer than the classic limit. Every file call on a dropped or target path goes through
// ExtendedPath, so a file name or a source folder that makes a path pass 260 characters still
// works where the system's long-path switch is off. Portable: no <windows.h>.
#include <cstddef>
#include <string>

namespace varolin {

// Below this length a path needs no prefix (the shortest limit, that of a directory, is 248).
inline constexpr std::size_t kLongPathFrom = 248;

// The path as the file functions should get it: an absolute drive path ("C:\...") or share
// path ("\\server\share\...") of kLongPathFrom characters or more gets the "\\?\" form (shares
// as "\\?\UNC\server\share\..."), normalised first because that form turns off the system's own
// normalisation: slashes become backslashes, repeated separators collapse, "." segments go and
// ".." segments take the one before them away. Shorter paths, relative paths and paths that
// already have a "\\?\" or "\\.\" prefix come back unchanged.
std::wstring ExtendedPath(const std::wstring& path);

}  // namespace varolin
