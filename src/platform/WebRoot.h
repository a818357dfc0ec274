#pragma once
// The root of the web services (format list and downloads, product page). The program names
// no host: the root is the setting BWF\Para\WebRoot, empty by default, for example
// "http://formats.example.net" or "https://example.net/site". Without a usable root every URL
// built here is empty and every request fails at once.

#include <QString>

namespace bw {

// The setting's application, section and key.
inline constexpr const char* kWebRootApp = "BWF";
inline constexpr const char* kWebRootSection = "Para";
inline constexpr const char* kWebRootKey = "WebRoot";

// The root as set, trimmed and without trailing "/". "" when unset, or when it is not an
// absolute http or https URL with a host, or when it carries a query, fragment or user info.
QString WebRoot();

// The root followed by a site path such as "/bwf/fmt.asp" or a path taken from the format
// list; a path not starting with "/" gets one, so the path never changes the host. "" when
// there is no usable root or the path is empty.
QString WebUrl(const QString& sitePath);

}  // namespace bw
