#pragma once
// The format library's tests start from a fresh database in a data folder of their own and
// a main window state with a format tree, the library's doors installed.

#include <gtest/gtest.h>

#include <QString>
#include <memory>
#include <ostream>

#include "HttpTestServer.h"
#include "TestSupport.h"
#include "common/Database.h"

class QTreeWidget;

// GoogleTest prints QString values in failure messages.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace bw::test {

class LibraryTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A format of that paper size with no boxes (its whole-format row).
    static void AddFormat(const QString& name, double widthMm = 200, double heightMm = 100);
    // A box record; its ID.
    static qint64 AddBox(const QString& format, const QString& label, double rctl = 0,
                         double sumId = 0);
    static int Count(const QString& table, const QString& where, const Params& params);
    static QString Param(const QString& name);
    // The tree of the main window's state.
    static QTreeWidget* Tree();

    TempDataFolder folder_;
};

// The bytes of the format file data/sample.vfm.
QByteArray SampleFormatFile();

// A web service on 127.0.0.1 as the web root: the format list list_ (answered in GBK) at
// /bwf/fmt.asp, the product page page_ at /korvanesoft/downpage/Pro.asp, the sample format file
// at /f/样本.vfm, a JPEG for every .jpg, 404 for the rest.
class WebServiceTest : public LibraryTest {
protected:
    void SetUp() override;
    void TearDown() override;
    // How many times the list was asked for.
    int listRequests() const;

    std::unique_ptr<HttpTestServer> server_;
    QString list_;
    QByteArray page_, picture_;
};

}  // namespace bw::test
