#pragma once
// The formats a web format service offers: the list fetched from the service and kept in
// table 网站格式, and the download of one format (its interchange file and its picture) into
// the Temp folder, from where it is imported. Every address is the web root setting followed
// by a site path.

#include <QDate>
#include <QList>
#include <QString>

#include "platform/Http.h"

namespace bw {

class Grid;

struct WebFormat {
    QString clas, name, fPath, pPath;
    QDate dat;  // invalid when the service gave no date
};

// The records of a list reply: "<br>"-separated records of five "|"-separated fields
// (category, name, format path, picture path, date); the text after the last "<br>" and
// records with another field count are left out.
QList<WebFormat> ParseWebFormatList(const QString& reply);

// Fetches the list and, when it arrived, replaces the rows of 网站格式 with it (in one
// transaction). False, with the table as it was, when there is no answer. The progress
// window ("正在下载...") shows while the request waits; closing it (Esc) or `cancelled`
// turning true ends the request at once, with no further tries. `status` says how the
// request ended.
bool DownWebFmt(const HttpCancelHook& cancelled = {}, HttpStatus* status = nullptr);

// Lays out the grid of the web list and fills it from 网站格式, ordered by category and name.
void LoadWebFmtList(Grid& grid);

// The grid's columns.
inline constexpr int kWebFmtPathCol = 1, kWebPicPathCol = 2, kWebTickCol = 4, kWebNameCol = 6;

// The local file of a row's preview picture in Temp, fetched when it is not there yet (with
// the progress window, which ends the request when closed, as `cancelled` does); "" when it
// could not be had. `requestFailed`, when given, says whether a request was made and failed
// (as opposed to a row without a picture path, or a request cancelled).
QString WebPreviewFile(const QString& picturePath, bool* requestFailed = nullptr,
                       const HttpCancelHook& cancelled = {});

// What the user is told when a download into `target` ended with `status`: "网络错误！" for a
// failed request; for a file that could not be written, its path and the cause (a full disk,
// a folder that cannot be written).
QString DownloadFailureText(HttpStatus status, const QString& target);

// What the user is told when no request can be made of a format's site path (no web root,
// an empty path, an address that cannot be formed).
QString UnrequestablePathText(const QString& name, const QString& sitePath);

// Downloads the row's picture and format file into Temp and imports the format; a listed
// name too long for the files named after it (FormatFileNamesFit) is asked again first (""
// ends it). A format file that did not download, or a picture that could not be written, is
// never imported: DownloadFailureText (UnrequestablePathText for a path no request could be
// made of) is shown instead and no picture is left behind. Closing the progress window or
// `cancelled` turning true ends the download silently. True when the import ran.
bool DownInputFmt(const QString& listedName, const QString& fPath, const QString& pPath,
                  const HttpCancelHook& cancelled = {});

}  // namespace bw
