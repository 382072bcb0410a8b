#pragma once
// Per-thread SQLite connections and bound statements. A QSqlDatabase is
// never shared between threads: each thread that touches a store opens its
// own connection, named after the store and the thread, and closes it when
// the thread ends or the store goes away.
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <mutex>
#include <stdexcept>
#include <vector>

#include "store/table.h"

namespace vlm::server {

class StoreError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class ConnectionPool {
 public:
  explicit ConnectionPool(QString path);
  ~ConnectionPool();
  ConnectionPool(const ConnectionPool&) = delete;
  ConnectionPool& operator=(const ConnectionPool&) = delete;

  // This thread's connection, opened on first use.
  QSqlDatabase database();
  const QString& path() const { return path_; }

 private:
  QString path_;
  quint64 serial_;
  std::mutex mutex_;
  std::vector<QString> names_;
};

// One statement with positional bound values.
class Sql {
 public:
  Sql(const QSqlDatabase& db, const QString& text);
  Sql& bind(const QVariant& v);
  Sql& exec();
  bool next() { return q_.next(); }
  QVariant value(int i) const { return q_.value(i); }
  qint64 lastId() const { return q_.lastInsertId().toLongLong(); }
  int affected() const { return q_.numRowsAffected(); }
  QSqlQuery& query() { return q_; }

 private:
  QSqlQuery q_;
  QString text_;
};

// A result column with the SQL expression that yields it.
struct Col {
  QString name;
  ColumnType type;
  QString expr;
};

// "SELECT expr AS "NAME", ... " + tail, every value bound, each value
// turned into its column's type.
Table selectTable(const QSqlDatabase& db, const QList<Col>& cols, const QString& tail,
                  const QVariantList& binds = {});

// Escapes % and _ for a LIKE pattern with ESCAPE '\'.
QString likeContains(const QString& text);

}  // namespace vlm::server
