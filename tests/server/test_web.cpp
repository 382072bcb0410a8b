// The web side over HTTP: pictures with their types, the request form and
// its submission into the outbox, the home page, the IP echo, the installer.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTemporaryDir>
#include <atomic>
#include <thread>

#include "content/demo.h"
#include "netsocket.h"
#include "web/website.h"

using namespace vlm;
using namespace vlm::server;

namespace {

struct Response {
  int status = 0;
  QByteArray headers, body;
  QByteArray header(const QByteArray& name) const {
    for (const QByteArray& line : headers.split('\n'))
      if (line.toLower().startsWith(QByteArray(name.toLower() + ':')))
        return line.mid(name.size() + 1).trimmed();
    return {};
  }
};

class Web : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    static int argc = 1;
    static char name[] = "test";
    static char* argv[] = {name, nullptr};
    app = new QCoreApplication(argc, argv);
    dir = new QTemporaryDir;
    store = openSqliteStore(dir->filePath(QStringLiteral("web.db"))).release();
    generateDemo(*store, DemoOptions::fixture());
    site = new WebSite(*store, {});
    port = site->listen(QHostAddress::LocalHost, 0);
  }
  static void TearDownTestSuite() {
    delete site;
    delete store;
    delete dir;
    delete app;
  }

  // One HTTP exchange from another thread while this one serves.
  static Response request(const QByteArray& method, const QByteArray& target,
                          const QByteArray& body = {}) {
    Response r;
    std::atomic<bool> done{false};
    std::thread client([&] {
      try {
        NetSocket s = NetSocket::connectTo(QStringLiteral("127.0.0.1"), port, 5000);
        QByteArray req = method + ' ' + target +
                         " HTTP/1.1\r\nHost: 127.0.0.1\r\n"
                         "Connection: close\r\n";
        if (!body.isEmpty())
          req += "Content-Type: application/x-www-form-urlencoded\r\nContent-Length: " +
                 QByteArray::number(body.size()) + "\r\n";
        req += "\r\n" + body;
        s.sendAll(req.constData(), req.size(), 5000);
        QByteArray head;
        char c;
        while (!head.endsWith("\r\n\r\n")) {
          s.recvExact(&c, 1, 5000);
          head += c;
        }
        r.headers = head.trimmed();
        r.status = r.headers.mid(9, 3).toInt();
        r.body.resize(r.header("Content-Length").toLongLong());
        if (!r.body.isEmpty()) s.recvExact(r.body.data(), r.body.size(), 5000);
      } catch (...) {
      }
      done = true;
    });
    while (!done) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    client.join();
    return r;
  }

  static QCoreApplication* app;
  static QTemporaryDir* dir;
  static Store* store;
  static WebSite* site;
  static quint16 port;
};
QCoreApplication* Web::app = nullptr;
QTemporaryDir* Web::dir = nullptr;
Store* Web::store = nullptr;
WebSite* Web::site = nullptr;
quint16 Web::port = 0;

}  // namespace

TEST_F(Web, PicturesCarryTheirTypeAndMissingOnesAre404) {
  int pictured = 0;
  const Table t = store->searchProducts(QStringLiteral("A"), {}, 1000);
  for (int r = 0; r < t.rowCount() && !pictured; ++r)
    if (t.value(r, QStringLiteral("RESIM")).toInt() == 1)
      pictured = t.value(r, QStringLiteral("STOK_STOKNO")).toInt();
  struct Case {
    QByteArray query;
    int status;
    QByteArray type;
  } cases[] = {{"id=" + QByteArray::number(pictured), 200, "image/jpeg"},
               {"id=900001", 200, "image/gif"},
               {"id=900003", 200, "image/bmp"},
               {"id=99999999", 404, {}},
               {"id=abc", 404, {}},
               {"", 404, {}}};
  for (const Case& c : cases) {
    const Response r = request("GET", "/resimgoster.ashx?" + c.query);
    EXPECT_EQ(r.status, c.status) << c.query.toStdString();
    if (c.status == 200) {
      EXPECT_EQ(r.header("Content-Type"), c.type);
      EXPECT_FALSE(r.body.isEmpty());
    }
  }
}

TEST_F(Web, RequestFormIsStoredAsARequest) {
  const Response form = request("GET", "/formmailgonder.aspx?carino=0&kullanici=%20&id=AB%3Cb%3E1");
  EXPECT_EQ(form.status, 200);
  EXPECT_TRUE(form.body.contains("<form"));
  EXPECT_TRUE(form.body.contains("AB&lt;b&gt;1"));  // the identity, escaped
  EXPECT_FALSE(form.body.contains("AB<b>1"));

  const int before = int(store->outbox(false).size());
  const Response missing = request("POST", "/formmailgonder.aspx", "id=AB1&firmaadi=Deneme");
  EXPECT_EQ(missing.status, 400);
  EXPECT_EQ(store->outbox(false).size(), before);
  const Response sent =
      request("POST", "/formmailgonder.aspx",
              "id=AB1&firmaadi=Deneme+Oto&yetkili=Ay%C5%9Fe&telefon=0212&mail=a%40b.example");
  EXPECT_EQ(sent.status, 200);
  const auto box = store->outbox(false);
  ASSERT_EQ(box.size(), before + 1);
  EXPECT_EQ(box.last().kind, QStringLiteral("istek"));
  EXPECT_EQ(box.last().identity, QStringLiteral("AB1"));
  EXPECT_TRUE(box.last().body.contains(QStringLiteral("Deneme Oto")));
  EXPECT_TRUE(box.last().body.contains(QStringLiteral("Ayşe")));
}

TEST_F(Web, HomePageIpEchoAndInstaller) {
  const Response home = request("GET", "/");
  EXPECT_EQ(home.status, 200);
  EXPECT_TRUE(home.body.contains("Velmora Otomotiv"));
  const Response ip = request("GET", "/ip");
  EXPECT_EQ(ip.status, 200);
  EXPECT_EQ(ip.body.trimmed(), QByteArray("127.0.0.1"));
  const Response setup = request("GET", "/exe/VLMSetup.exe");
  EXPECT_EQ(setup.status, 200);
  EXPECT_FALSE(setup.body.isEmpty());
  EXPECT_EQ(request("GET", "/yok").status, 404);
}
