#pragma once
// One GET on the network, for the HTTP client (Http.h): the network module does it, so that
// the network libraries load only with the first request.

#include <QByteArray>
#include <QUrl>
#include <functional>

#include "platform/Http.h"

namespace bw {

// What a piece of the body is handed to as it arrives; false: it could not be stored.
using HttpSink = std::function<bool(const QByteArray&)>;

// Sends the GET and waits for it in a local event loop: Ok on a whole 2xx reply, else how it
// ended (Failed, TimedOut, Cancelled, TooLarge beyond `limit` bytes, WriteFailed when the
// sink refused a piece). `cancelled` is asked every `cancelPollMs`. Failed when the network
// module cannot be loaded.
HttpStatus HttpTransfer(const QUrl& url, int timeoutSec, const HttpCancelHook& cancelled,
                        qint64 limit, int cancelPollMs, const HttpSink& sink);

// The module's entry, looked up by this name.
using HttpTransferEntry = HttpStatus (*)(const QUrl&, int, const HttpCancelHook&, qint64, int,
                                         const HttpSink&);
inline constexpr char kHttpTransferSymbol[] = "BwHttpTransfer";

}  // namespace bw
