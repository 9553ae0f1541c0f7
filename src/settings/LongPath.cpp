#include "settings/LongPath.h"

#include <vector>

namespace varolin {
namespace {
bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

bool IsDriveRoot(const std::wstring& path) {
    return path.size() >= 3 && ((path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z')) &&
           path[1] == L':' && IsSeparator(path[2]);
}

// "a\b\..\.\c" below a root that ".." never climbs past.
std::wstring NormalisedSegments(const std::wstring& rest) {
    std::vector<std::wstring> segments;
    std::wstring segment;
    const auto flush = [&] {
        if (segment == L"..") {
            if (!segments.empty()) segments.pop_back();
        } else if (!segment.empty() && segment != L".") {
            segments.push_back(segment);
        }
        segment.clear();
    };
    for (wchar_t c : rest) {
        if (IsSeparator(c)) flush();
        else segment += c;
    }
    const bool trailing = !rest.empty() && IsSeparator(rest.back());
    flush();
    std::wstring joined;
    for (size_t i = 0; i < segments.size(); ++i) {
        if (i > 0) joined += L'\\';
        joined += segments[i];
    }
    if (trailing && !joined.empty()) joined += L'\\';
    return joined;
}
}  // namespace

std::wstring ExtendedPath(const std::wstring& path) {
    if (path.size() < kLongPathFrom) return path;
    if (path.rfind(L"\\\\?\\", 0) == 0 || path.rfind(L"\\\\.\\", 0) == 0) return path;
    if (IsDriveRoot(path)) return L"\\\\?\\" + path.substr(0, 2) + L'\\' + NormalisedSegments(path.substr(3));
    if (path.size() > 2 && IsSeparator(path[0]) && IsSeparator(path[1]) && !IsSeparator(path[2])) {
        // \\server\share\...: the server and share are kept as they are, the rest normalised.
        const size_t server = path.find_first_of(L"\\/", 2);
        if (server == std::wstring::npos) return path;
        const size_t share = path.find_first_of(L"\\/", server + 1);
        const std::wstring root = path.substr(2, server - 2) + L'\\' +
                                  path.substr(server + 1, share == std::wstring::npos ? std::wstring::npos : share - server - 1);
        if (share == std::wstring::npos) return L"\\\\?\\UNC\\" + root;
        return L"\\\\?\\UNC\\" + root + L'\\' + NormalisedSegments(path.substr(share + 1));
    }
    return path;
}

}  // namespace varolin
