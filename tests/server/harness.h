#pragma once
// A reference server on loopback over the demo fixture, and the client
// side that talks to it: a connection and the operation proxy.
#include <QTemporaryDir>
#include <functional>
#include <memory>

#include "connection.h"
#include "content/demo.h"
#include "ops/registration.h"
#include "proxim.h"
#include "tablereader.h"

namespace vlm::server::test {

// One more operation, "Bos", that returns its whole-number argument: the
// floor of a round trip for the benchmarks.
inline void registerEmptyOperation(RpcServer& rpc) {
  static const ParamSpec param[] = {{"x", ValueKind::Int32}};
  static const OperationSpec empty{"Bos", std::span<const ParamSpec>(param, 1), true,
                                   ValueKind::Int32};
  rpc.registerOperation(empty, [](Call& c) { c.setResult(c.int32(0)); });
}

struct ServerHarness {
  QTemporaryDir dir;
  std::unique_ptr<Store> store;
  QList<DemoUser> users;
  std::unique_ptr<TServerMethods1> methods;
  RpcServer rpc;

  // A server over the fixture (or `options`, or an empty database without
  // `seed`); `extra` may register more operations before it listens.
  explicit ServerHarness(bool seed = true, const DemoOptions& options = DemoOptions::fixture(),
                         const std::function<void(RpcServer&)>& extra = {}) {
    store = openSqliteStore(dir.filePath(QStringLiteral("sunucu.db")));
    if (seed) users = generateDemo(*store, options);
    TServerMethods1::Options o;
    o.today = [today = options.today] { return today; };
    methods = std::make_unique<TServerMethods1>(*store, o);
    registerOperations(rpc, *methods);
    if (extra) extra(rpc);
    rpc.listen(QStringLiteral("127.0.0.1"), 0);
  }

  std::unique_ptr<Connection> connect() const {
    auto c = std::make_unique<Connection>();
    c->setHostName(QStringLiteral("127.0.0.1"));
    c->setPort(rpc.port());
    c->setReadTimeout(20000);
    c->open();
    return c;
  }

  // The first demo user of a customer type.
  const DemoUser& user(int customerType) const {
    for (const DemoUser& u : users)
      if (u.customerType == customerType) return u;
    throw std::runtime_error("no such user");
  }

  // The login record the server gives the user's workstation, as the
  // client keeps it.
  std::unique_ptr<TSonucBilgisi> login(Connection& c, const DemoUser& u) const {
    TServerMethods1Client proxy(&c);
    auto own = std::make_unique<TSonucBilgisi>();
    own->Kopyala(*proxy.BuyukGetir(u.identity));
    return own;
  }
};

inline std::unique_ptr<TSonucBilgisi> copy(const TSonucBilgisi& r) {
  auto c = std::make_unique<TSonucBilgisi>();
  c->Kopyala(r);
  return c;
}

inline std::unique_ptr<DataSet> fromPacket(const QByteArray& packet) {
  auto ds = std::make_unique<DataSet>();
  ds->loadFromPacket(packet);
  return ds;
}

inline std::unique_ptr<DataSet> fromReader(TableReader* reader) {
  auto ds = std::make_unique<DataSet>();
  if (reader) ds->loadFromReader(*reader);
  return ds;
}

}  // namespace vlm::server::test
