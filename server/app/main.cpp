// vlm-server: the reference application server of the Velmora Otomotiv B2B
// client. Serves the operations of TServerMethods1 over the wire protocol
// and the distributor's web side over HTTP, from an SQLite database that is
// created (with demo data) on the first start.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QHostAddress>
#include <QStandardPaths>
#include <cstdio>

#include "content/demo.h"
#include "error.h"
#include "ops/registration.h"
#include "web/website.h"

using namespace vlm;
using namespace vlm::server;

namespace {

void print(const QString& text) {
  std::fputs(text.toUtf8().constData(), stdout);
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("vlm-server"));

  QCommandLineParser cli;
  cli.setApplicationDescription(QStringLiteral("Velmora Otomotiv B2B uygulama sunucusu"));
  cli.addHelpOption();
  const QCommandLineOption port({"p", "port"}, "Uygulama sunucusunun portu (9090).", "port",
                                "9090");
  const QCommandLineOption webPort("web-port", "Web tarafının portu (8080).", "port", "8080");
  const QCommandLineOption address("listen", "Dinlenecek adres (0.0.0.0).", "adres", "0.0.0.0");
  const QCommandLineOption webHost(
      "web-host", "Web tarafının adresi (dinlenecek adres; varsayılan --listen).", "adres");
  const QCommandLineOption database(
      "db", "Veritabanı dosyası (varsayılan: kullanıcı veri klasöründe velmora.db).", "dosya");
  const QCommandLineOption noDemo("no-demo", "Boş veritabanına demo verisi yükleme.");
  const QCommandLineOption registerId(
      "register-workstation",
      "Bu iş istasyonu kimliğini bir demo kullanıcıya bağla, kullanıcı adı ve şifresini yaz, çık.",
      "kimlik");
  const QCommandLineOption customerType(
      "customer-type", "Kaydedilen kullanıcının müşteri tipi 1-4 (3).", "tip", "3");
  const QCommandLineOption installer("installer", "/exe/VLMSetup.exe olarak sunulacak dosya.",
                                     "dosya");
  cli.addOptions(
      {port, webPort, address, webHost, database, noDemo, registerId, customerType, installer});
  cli.process(app);

  QString dbPath = cli.value(database);
  if (dbPath.isEmpty())
    dbPath = QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
                 .filePath(QStringLiteral("velmora.db"));

  try {
    auto store = openSqliteStore(dbPath);
    if (store->productCount() == 0 && !cli.isSet(noDemo)) {
      print(QStringLiteral("Demo verisi oluşturuluyor: %1\n").arg(dbPath));
      const auto users = generateDemo(*store, DemoOptions::demo());
      print(QStringLiteral("%1 ürün, %2 demo kullanıcı.\n")
                .arg(store->productCount())
                .arg(users.size()));
    }

    if (cli.isSet(registerId)) {
      const QString identity = cli.value(registerId).trimmed();
      if (identity.isEmpty()) throw Error(QStringLiteral("Kimlik boş olamaz"));
      const DemoUser u = registerWorkstation(*store, identity, cli.value(customerType).toInt());
      print(QStringLiteral("Kimlik: %1\nKullanıcı adı: %2\nŞifre: %3\nMüşteri tipi: %4\n")
                .arg(u.identity, u.login, u.password)
                .arg(u.customerType));
      return 0;
    }

    TServerMethods1 methods(*store);
    RpcServer rpc;
    registerOperations(rpc, methods);
    rpc.listen(cli.value(address), quint16(cli.value(port).toUShort()));

    WebSite web(*store, {cli.value(installer)});
    const QString host = cli.isSet(webHost) ? cli.value(webHost) : cli.value(address);
    const quint16 webBound = web.listen(QHostAddress(host), quint16(cli.value(webPort).toUShort()));
    if (webBound == 0)
      throw Error(QStringLiteral("Web portu açılamadı: %1").arg(cli.value(webPort)));

    print(QStringLiteral("Veritabanı: %1\nUygulama sunucusu: %2:%3\nWeb: http://%4:%5/\n")
              .arg(dbPath, cli.value(address))
              .arg(rpc.port())
              .arg(host)
              .arg(webBound));
    return app.exec();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "vlm-server: %s\n", e.what());
    return 1;
  }
}
