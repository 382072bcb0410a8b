#include "sqlconnection.h"

#include <QSqlError>
#include <QThread>
#include <atomic>
#include <set>
#include <unordered_map>

namespace vlm::server {

namespace {

std::mutex gLiveMutex;
std::set<QString> gLive;
std::atomic<quint64> gSerial{0};

void releaseConnection(const QString& name) {
  std::lock_guard lock(gLiveMutex);
  if (gLive.erase(name) == 0) return;
  QSqlDatabase::removeDatabase(name);
}

// Closes this thread's connections when the thread ends.
struct ThreadConnections {
  std::unordered_map<quint64, QString> byPool;
  ~ThreadConnections() {
    for (auto& [serial, name] : byPool) releaseConnection(name);
  }
};
thread_local ThreadConnections tConnections;

}  // namespace

ConnectionPool::ConnectionPool(QString path) : path_(std::move(path)), serial_(++gSerial) {}

ConnectionPool::~ConnectionPool() {
  std::lock_guard lock(mutex_);
  for (const QString& name : names_) releaseConnection(name);
}

QSqlDatabase ConnectionPool::database() {
  auto it = tConnections.byPool.find(serial_);
  if (it != tConnections.byPool.end()) return QSqlDatabase::database(it->second, false);

  const QString name = QStringLiteral("vlmstore-%1-%2")
                           .arg(serial_)
                           .arg(quintptr(QThread::currentThreadId()), 0, 16);
  QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
  db.setDatabaseName(path_);
  db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=15000"));
  {
    std::lock_guard lock(gLiveMutex);
    gLive.insert(name);
  }
  {
    std::lock_guard lock(mutex_);
    names_.push_back(name);
  }
  tConnections.byPool.emplace(serial_, name);
  if (!db.open()) throw StoreError("Veritabanı açılamadı: " + db.lastError().text().toStdString());
  for (const char* pragma : {"PRAGMA foreign_keys=ON", "PRAGMA synchronous=NORMAL"}) {
    QSqlQuery q(db);
    q.exec(QString::fromLatin1(pragma));
  }
  return db;
}

Sql::Sql(const QSqlDatabase& db, const QString& text) : q_(db), text_(text) {
  q_.setForwardOnly(true);
  if (!q_.prepare(text))
    throw StoreError("SQL hazırlanamadı: " + q_.lastError().text().toStdString() + " [" +
                     text.left(200).toStdString() + "]");
}

Sql& Sql::bind(const QVariant& v) {
  // A null QString would be bound as SQL NULL; texts are never NULL here.
  if (v.metaType().id() == QMetaType::QString && v.toString().isNull())
    q_.addBindValue(QStringLiteral(""));
  else
    q_.addBindValue(v);
  return *this;
}

Sql& Sql::exec() {
  if (!q_.exec())
    throw StoreError("SQL çalıştırılamadı: " + q_.lastError().text().toStdString() + " [" +
                     text_.left(200).toStdString() + "]");
  return *this;
}

Table selectTable(const QSqlDatabase& db, const QList<Col>& cols, const QString& tail,
                  const QVariantList& binds) {
  QStringList parts;
  parts.reserve(cols.size());
  Table t;
  t.columns.reserve(cols.size());
  for (const Col& c : cols) {
    parts << c.expr + QStringLiteral(" AS \"") + c.name + QLatin1Char('"');
    t.columns.append({c.name, c.type});
  }
  Sql q(db, QStringLiteral("SELECT ") + parts.join(QStringLiteral(", ")) + QLatin1Char(' ') + tail);
  for (const QVariant& b : binds) q.bind(b);
  q.exec();
  const int n = int(cols.size());
  while (q.next()) {
    QVariantList row;
    row.reserve(n);
    for (int i = 0; i < n; ++i) row.append(coerce(q.value(i), cols[i].type));
    t.rows.append(std::move(row));
  }
  return t;
}

QString likeContains(const QString& text) {
  QString s = text;
  s.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
  s.replace(QLatin1Char('%'), QStringLiteral("\\%"));
  s.replace(QLatin1Char('_'), QStringLiteral("\\_"));
  return QLatin1Char('%') + s + QLatin1Char('%');
}

}  // namespace vlm::server
