#pragma once
// The text rules of the HTTP client that need no network: the cache-buster put on every
// request and the handling of a page reply around its marker.

#include <QString>
#include <QTime>

namespace bw {

// The failure text of HttpGet and HttpGetRetry: "网络错误！".
QString HttpErrorText();

// Appends the cache-buster to `url`: "&" when the URL already holds a "?", else "?", then
// "Time=" and `time` as hh:mm:ss on the 24-hour clock (09:05:30). Nothing is encoded; a URL
// that already carries a Time key gets a second one.
QString AddCacheBuster(const QString& url, const QTime& time);

// Accepts a page reply when it contains `mustContain` (case-sensitive; an empty marker is
// always contained). On acceptance `reply` is cut before its last "<BR>" (upper case only;
// without one it stays whole) and every "<+>" becomes CR LF, and the result is true. Without
// the marker `reply` is left as it is and the result is false.
bool ApplyReplyMarker(QString& reply, const QString& mustContain);

}  // namespace bw
