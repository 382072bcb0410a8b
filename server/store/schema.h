#pragma once
// The database schema as a list of migrations: entry i takes a database
// from version i to version i + 1. The table schema_version holds the
// version a database file is at.
#include <QList>
#include <QStringList>

namespace vlm::server {

const QList<QStringList>& migrations();

}  // namespace vlm::server
