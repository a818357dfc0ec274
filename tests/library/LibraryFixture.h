#pragma once
// The format library's tests start from a fresh database in a data folder of their own and
// a main window state with a format tree, the library's doors installed.

#include <gtest/gtest.h>

#include <QString>
#include <ostream>

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

}  // namespace bw::test
