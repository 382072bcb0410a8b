#include "resimturu.h"
#include "scriptedhttp.h"
#include "tasyncresim.h"

#include <QBuffer>
#include <QImage>
#include <QSignalSpy>
#include <QTest>

using namespace vlm;
using vlm::test::HttpAnswer;
using vlm::test::ScriptedHttp;

namespace {
QByteArray encoded(const char* format, QColor color, QSize size = {8, 6}) {
  QImage img(size, QImage::Format_RGB32);
  img.fill(color);
  QByteArray bytes;
  QBuffer b(&bytes);
  b.open(QIODevice::WriteOnly);
  img.save(&b, format);
  return bytes;
}
}  // namespace

class AsyncResimTest : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void contentTypeTable() {
    const std::pair<const char*, const char*> cases[] = {
        {"image/png", "png"},   {"image/bmp", "bmp"},
        {"image/jpeg", "jpeg"}, {"image/jpg", "jpeg"},
        {"image/JPEG", "jpeg"}, {"IMAGE/PNG", "png"},
        {"image/png; q=1", ""}, {"image/gif", ""},
        {"text/html", ""},      {"", ""},
        {"image/", ""},         {"xxxxxxpng", "png"}};
    for (const auto& [type, format] : cases)
      QCOMPARE(ResimBicimi(QString::fromLatin1(type)), QByteArray(format));
  }

  void decodesOrKeepsTheOldPicture() {
    TAsyncResim r;
    QVERIFY(r.ResimAta("image/png", encoded("PNG", Qt::red)));
    QCOMPARE(r.resim().size(), QSize(8, 6));
    QVERIFY(r.ResimAta("image/JPEG", encoded("JPEG", Qt::blue, {10, 10})));
    QCOMPARE(r.resim().size(), QSize(10, 10));
    QVERIFY(r.ResimAta("image/bmp", encoded("BMP", Qt::green, {4, 4})));
    QCOMPARE(r.resim().size(), QSize(4, 4));
    QVERIFY(!r.ResimAta("image/jpeg", QByteArray("not a jpeg at all")));
    QVERIFY(!r.ResimAta("image/png; charset=x", encoded("PNG", Qt::red)));
    QVERIFY(!r.ResimAta("image/jpeg", encoded("JPEG", Qt::red).left(40)));  // cut short
    QCOMPARE(r.resim().size(), QSize(4, 4));
  }

  void downloadsOncePerAddress() {
    ScriptedHttp http;
    http.fallback = {200, "OK", "image/png", encoded("PNG", Qt::red, {20, 10})};
    TAsyncResim r;
    QSignalSpy degisti(&r, &TAsyncResim::resimDegisti);
    r.setUrl(QString());
    QTest::qWait(50);
    QCOMPARE(http.requests().size(), 0);  // the empty text starts nothing
    r.setUrl(http.url("/resimgoster.ashx?id=42"));
    r.setUrl(http.url("/resimgoster.ashx?id=42"));
    QTRY_COMPARE(degisti.count(), 1);
    QCOMPARE(http.requests().size(), 1);
    QCOMPARE(r.resim().size(), QSize(20, 10));
    QVERIFY(http.requests()[0].startsWith("GET /resimgoster.ashx?id=42 "));
  }

  void unusableAnswersLeaveThePicture() {
    const HttpAnswer answers[] = {
        {200, "OK", "image/jpeg", "garbage bytes"},
        {200, "OK", "image/png", ""},
        {200, "OK", "text/html", encoded("PNG", Qt::red)},
        {404, "Not Found", "image/png", encoded("PNG", Qt::red)},
        {200, "OK", "image/png", QByteArray(TAsyncResim::kEnBuyukResim + 1024, 'x')},
    };
    int n = 0;
    for (const HttpAnswer& a : answers) {
      ScriptedHttp http;
      http.fallback = a;
      TAsyncResim r;
      r.setResim(QPixmap::fromImage(QImage(3, 3, QImage::Format_RGB32)));
      QSignalSpy degisti(&r, &TAsyncResim::resimDegisti);
      r.setUrl(http.url("/resimgoster.ashx?id=" + QString::number(++n)));
      QTRY_COMPARE(http.requests().size(), 1);
      QTest::qWait(100);
      QCOMPARE(degisti.count(), 0);
      QCOMPARE(r.resim().size(), QSize(3, 3));
    }
  }

  void destroyedDuringDownload() {
    ScriptedHttp http;
    // No answer until the control is gone: the server holds the request.
    http.fallback = {200, "OK", "image/png", encoded("PNG", Qt::red)};
    auto* r = new TAsyncResim;
    r->setUrl(http.url("/slow"));
    delete r;  // the transfer is aborted and its answer dropped
    QTest::qWait(100);
  }
};

QTEST_MAIN(AsyncResimTest)
#include "test_asyncresim.moc"
