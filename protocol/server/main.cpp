// A small server of the wire protocol for trying the client by hand and for
// tests: answers a few operations with fixed values.
//   vlm_rpc_testserver [port]     (default 9090; 0 takes a free one)
// Prints "listening on <port>" once it serves.
#include <QCoreApplication>
#include <QDate>
#include <cstdio>

#include "rpcserver.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const quint16 port = argc > 1 ? quint16(QByteArray(argv[1]).toUShort()) : 9090;

  vlm::RpcServer server;
  server.registerOperation("KayanYaziGetir", [](vlm::Call& c) {
    c.setResult(QStringLiteral("Velmora Otomotiv: yeni kampanyalar"));
  });
  server.registerOperation("AcilisReklamAdet", [](vlm::Call& c) { c.setResult(qint32(0)); });
  server.registerOperation("BuyukGetir", [](vlm::Call& c) {
    vlm::TSonucBilgisi b;
    b.SetBILGISAYARID(c.text(0));
    b.SetVarmi(false);
    c.setResult(&b);
  });
  server.registerOperation("SepetVer2", [](vlm::Call& c) {
    vlm::DataSet ds;
    ds.addField("SIRANO", vlm::FieldType::Integer);
    ds.addField("BARKOD", vlm::FieldType::String);
    ds.addField("MIKTAR", vlm::FieldType::Float);
    for (int i = 1; i <= 3; ++i) {
      const int r = ds.appendRow();
      ds.setInteger(r, 0, i);
      ds.setString(r, 1, QStringLiteral("BRK-%1").arg(c.int32(0) * 10 + i));
      ds.setFloat(r, 2, i * 1.5);
    }
    c.setPacket(ds);
  });

  try {
    server.listen(QStringLiteral("127.0.0.1"), port);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  std::printf("listening on %u\n", unsigned(server.port()));
  std::fflush(stdout);
  return app.exec();
}
