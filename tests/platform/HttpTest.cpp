#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "HttpTestServer.h"
#include "platform/Http.h"
#include "platform/TextCodec.h"

using namespace bw;
using bw::test::HttpTestServer;
using bw::test::TestReply;
using Mode = TestReply::Mode;

namespace {

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// Small body caps so that endless replies end quickly.
class HttpTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = CurrentHttpLimits();
        HttpLimits small = saved_;
        small.pageBytes = 256 * 1024;
        small.fileBytes = 1024 * 1024;
        SetHttpLimits(small);
    }
    void TearDown() override { SetHttpLimits(saved_); }
    HttpLimits saved_;
};

}  // namespace

TEST_F(HttpTest, EveryRequestCarriesTheCacheBuster) {
    HttpTestServer server([](const QByteArray&) { return TestReply{200, "Finished"}; });
    QString reply;
    EXPECT_EQ(HttpGet(server.url("/bwf/fmt.asp"), reply, "Finished", 5), "");
    EXPECT_EQ(HttpGet(server.url("/korvanesoft/downpage/Pro.asp?ID=48"), reply, "Finished", 5), "");
    QTemporaryDir dir;
    EXPECT_TRUE(HttpDownloadFile(server.url("/f/a.vfm"), dir.filePath("a.vfm"), 5));
    const QStringList expected = {"^/bwf/fmt\\.asp\\?", "^/korvanesoft/downpage/Pro\\.asp\\?ID=48&",
                                  "^/f/a\\.vfm\\?"};
    ASSERT_EQ(server.targets().size(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        const QString target = QString::fromLatin1(server.targets()[i]);
        EXPECT_TRUE(target.contains(QRegularExpression(expected[i] + "Time=\\d\\d:\\d\\d:\\d\\d$")))
            << target.toStdString();
    }
}

// Each reply served to a page request and to a download: only a completed 2xx reply reaches
// the caller (the marker rules themselves are in WebHelpersTest), and a download replaces its
// target only when everything worked.
TEST_F(HttpTest, OnlyACompleted2xxReplyReachesTheCallerOrTheTarget) {
    const QString list = QStringLiteral("银行|进账单|/f/1.vfm|/p/1.jpg|2024-01-02<br>Finished");
    const QByteArray picture("\xFF\xD8\xFF\xE0 jpeg bytes \x00\x01\x02 Finished", 29);
    struct Case {
        const char* name;
        TestReply served;
        HttpStatus page, file;
        QString reply;  // what the page request gives; "<kept>": unchanged from before the call
    };
    const Case cases[] = {
        {"gbk list, cut and unfolded",
         {200, ToAnsi(list + "<BR>x<+>y")},
         HttpStatus::Ok,
         HttpStatus::Ok,
         list},
        {"bytes that are no gbk", {200, picture}, HttpStatus::Ok, HttpStatus::Ok, "<any>"},
        {"empty body", {200, ""}, HttpStatus::NoMarker, HttpStatus::Ok, ""},
        {"no marker", {200, "A<BR>B<+>C"}, HttpStatus::NoMarker, HttpStatus::Ok, "A<BR>B<+>C"},
        {"404 page",
         {404, "<title>404 (1.0)</title>Finished"},
         HttpStatus::Failed,
         HttpStatus::Failed,
         "<kept>"},
        {"500 page", {500, "Finished"}, HttpStatus::Failed, HttpStatus::Failed, "<kept>"},
        {"redirect to nowhere",
         {302, "Finished"},
         HttpStatus::Failed,
         HttpStatus::Failed,
         "<kept>"},
        {"broken off",
         {200, "Finished", Mode::CutShort},
         HttpStatus::Failed,
         HttpStatus::Failed,
         "<kept>"},
        {"never ends",
         {200, "", Mode::Endless},
         HttpStatus::TooLarge,
         HttpStatus::TooLarge,
         "<kept>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HttpTestServer server([&](const QByteArray&) { return c.served; });
        QString reply = QStringLiteral("before");
        HttpStatus status{};
        const QString result = HttpGet(server.url("/p"), reply, "Finished", 10, {}, {}, &status);
        EXPECT_EQ(result, status == HttpStatus::Ok ? QString() : HttpErrorText());
        EXPECT_EQ(status, c.page);
        if (c.reply == u"<kept>")
            EXPECT_EQ(reply, "before");
        else if (c.reply == u"<any>")
            EXPECT_TRUE(reply.contains("Finished"));
        else
            EXPECT_EQ(reply, c.reply);

        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("进账单.jpg"));
        writeFile(target, "old picture");
        const bool ok = c.file == HttpStatus::Ok;
        EXPECT_EQ(HttpDownloadFile(server.url("/p/1.jpg"), target, 10, {}, &status), ok);
        EXPECT_EQ(status, c.file);
        EXPECT_EQ(readAll(target), ok ? c.served.body : QByteArray("old picture"));
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
    }
}

// A server that closes the connection after half of the announced body: the connection may
// end without an error now and then, so every one of many tries must still be a failed
// request, with the old target left and no piece of the body anywhere.
TEST_F(HttpTest, AReplyCutShortIsNeverTakenAsWhole) {
    QByteArray big(160000, 'x');
    big.prepend("Finished");
    for (const QByteArray& body : {QByteArray("Finished 24 bytes of body"), big}) {
        SCOPED_TRACE(body.size());
        HttpTestServer server([&](const QByteArray&) { return TestReply{200, body, Mode::Half}; });
        QTemporaryDir dir;
        const QString target = dir.filePath("a.vfm");
        writeFile(target, "old format");
        int pages = 0, files = 0;
        for (int i = 0; i < 150; ++i) {
            QString reply = "before";
            HttpStatus status{};
            pages += HttpGet(server.url("/p"), reply, "Finished", 10, {}, {}, &status).isEmpty();
            EXPECT_TRUE(reply == "before");  // (a cut reply would print its 160 kB)
            files += HttpDownloadFile(server.url("/f/a.vfm"), target, 10, {}, &status);
            EXPECT_EQ(status, HttpStatus::Failed);
        }
        EXPECT_EQ(pages, 0);
        EXPECT_EQ(files, 0);
        EXPECT_EQ(readAll(target), "old format");
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"a.vfm"});
    }
}

TEST_F(HttpTest, RetryTriesFiveTimesAndStopsAtTheFirstSuccess) {
    struct Case {
        int succeedOn;  // 0: never
        int requests;
        bool ok;
    };
    for (const Case c : {Case{0, 5, false}, Case{3, 3, true}, Case{1, 1, true}}) {
        int n = 0;
        HttpTestServer server([&](const QByteArray&) {
            ++n;
            return TestReply{200, n == c.succeedOn ? "ok</title>" : "no marker"};
        });
        QString reply;
        const QString result = HttpGetRetry(server.url("/p"), reply, "</title>", 5);
        EXPECT_EQ(result.isEmpty(), c.ok) << c.succeedOn;
        EXPECT_EQ(server.targets().size(), c.requests) << c.succeedOn;
    }
}

TEST_F(HttpTest, DeadlineAndCancelEndASilentServer) {
    HttpTestServer server([](const QByteArray&) { return TestReply{200, "", Mode::Silent}; });
    QString reply = QStringLiteral("before");
    HttpStatus status{};
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(HttpGet(server.url("/p"), reply, "", 1, {}, {}, &status), HttpErrorText());
    EXPECT_EQ(status, HttpStatus::TimedOut);
    EXPECT_EQ(reply, "before");
    EXPECT_GE(clock.elapsed(), 900);
    EXPECT_LT(clock.elapsed(), 10000);

    // Closing the progress window: the hook turns true after a few polls.
    QTemporaryDir dir;
    const QString target = dir.filePath("old.jpg");
    writeFile(target, "old");
    int polls = 0;
    auto hook = [&] { return ++polls >= 3; };
    clock.restart();
    EXPECT_FALSE(HttpDownloadFile(server.url("/p.jpg"), target, 60, hook, &status));
    EXPECT_EQ(status, HttpStatus::Cancelled);
    EXPECT_LT(clock.elapsed(), 10000);
    EXPECT_EQ(readAll(target), "old");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"old.jpg"});

    clock.restart();
    EXPECT_EQ(HttpGetRetry(
                  server.url("/p"), reply, "", 60, {}, [] { return true; }, &status),
              HttpErrorText());
    EXPECT_EQ(status, HttpStatus::Cancelled);
    EXPECT_LT(clock.elapsed(), 10000);
    EXPECT_FALSE(HttpBusy(HttpKind::Page));
    EXPECT_FALSE(HttpBusy(HttpKind::File));
}

TEST_F(HttpTest, ARequestMadeWhileAnotherWaitsIsSentToo) {
    HttpTestServer silent([](const QByteArray&) { return TestReply{200, "", Mode::Silent}; });
    HttpTestServer server([](const QByteArray&) { return TestReply{200, "Finished"}; });
    QTemporaryDir dir;
    // While an outer request of each kind waits, its cancel hook starts one request of each
    // kind: both are sent and arrive, whatever the outer one's kind.
    for (HttpKind outerKind : {HttpKind::Page, HttpKind::File}) {
        HttpStatus pageStatus{}, fileStatus{};
        auto hook = [&] {
            EXPECT_TRUE(HttpBusy(outerKind));
            QString r;
            HttpGet(server.url("/list"), r, "Finished", 5, {}, {}, &pageStatus);
            QFile::remove(dir.filePath("b.jpg"));
            HttpDownloadFile(server.url("/b.jpg"), dir.filePath("b.jpg"), 5, {}, &fileStatus);
            return true;
        };
        HttpStatus outer{};
        if (outerKind == HttpKind::Page) {
            QString r;
            HttpGet(silent.url("/p"), r, "", 5, {}, hook, &outer);
        } else {
            HttpDownloadFile(silent.url("/a.jpg"), dir.filePath("a.jpg"), 5, hook, &outer);
        }
        EXPECT_EQ(outer, HttpStatus::Cancelled);
        EXPECT_EQ(pageStatus, HttpStatus::Ok);
        EXPECT_EQ(fileStatus, HttpStatus::Ok);
        EXPECT_TRUE(QFile::exists(dir.filePath("b.jpg")));
        EXPECT_FALSE(HttpBusy(outerKind));
    }
}

TEST_F(HttpTest, NothingIsSentForBadUrlsOrTargets) {
    HttpTestServer server([](const QByteArray&) { return TestReply{200, "x"}; });
    QTemporaryDir dir;
    struct Case {
        QString url;
        QString target;
        HttpStatus status;
    };
    const Case cases[] = {
        {"", dir.filePath("a"), HttpStatus::BadUrl},
        {"file:///etc/hostname", dir.filePath("a"), HttpStatus::BadUrl},
        {"ftp://127.0.0.1/x", dir.filePath("a"), HttpStatus::BadUrl},
        {"/bwf/fmt.asp", dir.filePath("a"), HttpStatus::BadUrl},
        {server.url("/x"), dir.filePath("missing/a"), HttpStatus::WriteFailed},
        {server.url("/x"), "", HttpStatus::WriteFailed},
    };
    for (const Case& c : cases) {
        HttpStatus status{};
        EXPECT_FALSE(HttpDownloadFile(c.url, c.target, 5, {}, &status)) << c.url.toStdString();
        EXPECT_EQ(status, c.status) << c.url.toStdString();
        if (c.status == HttpStatus::BadUrl) {
            QString reply = "kept";
            EXPECT_EQ(HttpGetRetry(c.url, reply, "", 5, {}, {}, &status), HttpErrorText());
            EXPECT_EQ(status, HttpStatus::BadUrl);
            EXPECT_EQ(reply, "kept");
        }
    }
    EXPECT_TRUE(server.targets().isEmpty());
}
