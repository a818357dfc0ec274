#pragma once
// The program's HTTP client: a page as text (HttpGet, HttpGetRetry) and a file into a local
// path (HttpDownloadFile). Callers pass complete http or https URLs (see WebRoot.h).
//
// Every call sends one GET of its own, with the cache-buster of HttpText.h appended, and
// waits for it in a local event loop on the calling (user-interface) thread: windows keep
// painting and taking input while it runs. Callers must therefore expect re-entry during the
// call (a click on the same button, a window closing) and hold QPointers to their windows.
//
// Calls nest: a call made while another waits (the web list asking for its list while the
// new-version check waits for its page) sends its own request at once and waits for it
// inside the other's wait, which ends, when its time has come, once the inner call has
// returned. Each caller keeps its own calls from running twice at once (HttpBusy tells the
// new-version check that some call waits).
//
// Cancel: each call takes an optional hook, asked about every 50 ms while the call waits;
// when it returns true the request is abandoned (HttpStatus::Cancelled). The download window
// passes "the progress window was closed".
//
// Deadline: `timeoutSec` whole seconds from the send (negative counts as 0); when it passes
// the request is abandoned (HttpStatus::TimedOut). Bodies are capped (HttpLimits); a longer
// reply is abandoned (HttpStatus::TooLarge), so memory and disk stay bounded even for a reply
// that never ends.

#include <QString>
#include <QtGlobal>
#include <functional>

#include "platform/HttpText.h"

namespace bw {

// How a call ended.
enum class HttpStatus {
    Ok,           // completed with a 2xx reply (a page also held its marker) and was stored
    NoMarker,     // a page completed with a 2xx reply but without the marker
    BadUrl,       // the URL is empty or not an http/https URL; nothing was sent
    Failed,       // the connection failed, broke off before the announced Content-Length,
                  // or the reply was not 2xx
    TimedOut,     // the deadline passed
    Cancelled,    // the cancel hook said so, or the application is quitting
    TooLarge,     // the body went over its limit
    WriteFailed,  // the local file could not be written
};

// Asked while a call waits; true abandons the request.
using HttpCancelHook = std::function<bool()>;

// Caps on reply bodies and the cadence of the cancel hook.
struct HttpLimits {
    qint64 pageBytes = 8 * 1024 * 1024;    // HttpGet: the reply text is kept in memory
    qint64 fileBytes = 256 * 1024 * 1024;  // HttpDownloadFile: written to disk as it comes
    int cancelPollMs = 50;
};
HttpLimits CurrentHttpLimits();
void SetHttpLimits(const HttpLimits& limits);

// The kinds of calls.
enum class HttpKind { Page, File };
// True while a call of that kind runs.
bool HttpBusy(HttpKind kind);

// Fetches `url` as a page. On a completed 2xx reply the body is decoded from GBK (UTF-8 when
// it starts with a byte-order mark) into `reply`; when `saveFile` is not empty the body's
// bytes are also written to it (whole or not at all). When the reply contains `mustContain`
// it is cut and unfolded as ApplyReplyMarker says and the result is "" (success); without
// the marker `reply` holds the whole text and the result is HttpErrorText(). On any other
// ending (bad URL, no connection, a non-2xx reply, time-out, cancel, too large) `reply`
// keeps the value it had and the result is HttpErrorText(). `status`, when given, says how
// the call ended. Shows no message.
QString HttpGet(const QString& url, QString& reply, const QString& mustContain, int timeoutSec,
                const QString& saveFile = QString(), const HttpCancelHook& cancelled = {},
                HttpStatus* status = nullptr);

// HttpGet up to five times with the same arguments, at once one after the other, until a try
// succeeds; stops early when a try ends cancelled or with a bad URL. Returns the last
// try's result (and status).
QString HttpGetRetry(const QString& url, QString& reply, const QString& mustContain, int timeoutSec,
                     const QString& saveFile = QString(), const HttpCancelHook& cancelled = {},
                     HttpStatus* status = nullptr);

// Downloads `url` into `targetFile` (a full local path whose folder exists). The body is
// written to a temporary file in the target's folder and renamed over the target only when
// a 2xx reply completed in time, whole (as long as its Content-Length says), and the file on
// the disk holds every byte received; on any failure the temporary file is removed and an
// existing target stays as it was. A write that failed (a full disk) ends as WriteFailed. True
// exactly when the target now holds the downloaded body. Shows nothing: the caller shows the
// progress window ("正在下载...") around the call and passes a cancel hook that is true once that
// window is closed.
bool HttpDownloadFile(const QString& url, const QString& targetFile, int timeoutSec,
                      const HttpCancelHook& cancelled = {}, HttpStatus* status = nullptr);

}  // namespace bw
