#include "objectform.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QSet>
#include <cmath>
#include <limits>

#include "error.h"
#include "numberformat.h"

namespace vlm {

// ---------------------------------------------------------------------------
// Writing

namespace {

void appendJsonString(QByteArray& out, const QString& s) {
  out += '"';
  const QByteArray utf8 = s.toUtf8();
  for (const char ch : utf8) {
    const auto c = static_cast<unsigned char>(ch);
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\b': out += "\\b"; break;
      case '\f': out += "\\f"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (c < 0x20) {
          static const char hex[] = "0123456789abcdef";
          out += "\\u00";
          out += hex[c >> 4];
          out += hex[c & 15];
        } else {
          out += ch;
        }
    }
  }
  out += '"';
}

class Writer : public FieldVisitor {
 public:
  QByteArray out;

  void record(const TRecord* r) {
    if (!r) {
      out += "null";
      return;
    }
    out += "{\"type\":";
    appendJsonString(out, QString::fromLatin1(r->typeName()));
    if (auto it = ids_.constFind(r); it != ids_.constEnd()) {
      out += ",\"ref\":" + QByteArray::number(*it) + '}';
      return;
    }
    const int id = ++lastId_;
    ids_.insert(r, id);
    out += ",\"id\":" + QByteArray::number(id) + ",\"fields\":{";
    const bool outerFirst = first_;
    first_ = true;
    const_cast<TRecord*>(r)->visitFields(*this);
    first_ = outerFirst;
    out += "}}";
  }

  void text(const char* name, QString& v) override {
    key(name);
    appendJsonString(out, v);
  }
  void integer(const char* name, qint32& v) override {
    key(name);
    out += QByteArray::number(v);
  }
  void real(const char* name, double& v) override {
    if (!std::isfinite(v))
      throw Error(QStringLiteral("Field %1 holds no valid number").arg(QLatin1String(name)));
    key(name);
    out += formatReal(v);
  }
  void boolean(const char* name, bool& v) override {
    key(name);
    out += v ? "true" : "false";
  }
  void screens(const char* name, std::vector<std::unique_ptr<TAcilisEkran>>& v) override {
    key(name);
    out += '[';
    for (size_t i = 0; i < v.size(); ++i) {
      if (i) out += ',';
      record(v[i].get());
    }
    out += ']';
  }

 private:
  void key(const char* name) {
    if (!first_) out += ',';
    first_ = false;
    out += '"';
    out += name;
    out += "\":";
  }

  QHash<const TRecord*, int> ids_;
  int lastId_ = 0;
  bool first_ = true;
};

}  // namespace

QByteArray toObjectForm(const TRecord* record) {
  Writer w;
  w.record(record);
  return w.out;
}

void throwWrongRecordType(const char* got, const char* expected) {
  throw Error(QStringLiteral("Record of type %1 received where %2 was expected")
                  .arg(QLatin1String(got), QLatin1String(expected)));
}

// ---------------------------------------------------------------------------
// Reading

namespace {

[[noreturn]] void bad(const QString& detail) {
  throw Error(QStringLiteral("Bad record: %1").arg(detail));
}

// An "id" or "ref": a whole number in a sane range; -1 otherwise.
qint64 recordNumber(const QJsonValue& v) {
  if (!v.isDouble()) return -1;
  const double d = v.toDouble();
  if (!(d >= 0 && d <= 1e15) || d != std::trunc(d)) return -1;
  return qint64(d);
}

class Reader {
 public:
  std::unique_ptr<TRecord> record(const QJsonValue& value, const char* expected, int depth);

 private:
  static std::unique_ptr<TRecord> copyOf(const TRecord& r) {
    return fromObjectForm(toObjectForm(&r));
  }
  QHash<qint64, const TRecord*> done_;
};

// Assigns the members of "fields" to the fields of one record.
class Assigner : public FieldVisitor {
 public:
  Assigner(Reader& reader, const QJsonObject& fields, const char* type, int depth)
      : reader_(reader), fields_(fields), type_(type), depth_(depth) {}

  void text(const char* name, QString& v) override {
    const QJsonValue j = take(name);
    if (j.isUndefined()) return;
    if (j.isNull()) {
      v.clear();
      return;
    }
    if (!j.isString()) wrong(name, "text");
    v = j.toString();
  }
  void integer(const char* name, qint32& v) override {
    const QJsonValue j = take(name);
    if (j.isUndefined()) return;
    if (j.isNull()) {
      v = 0;
      return;
    }
    const double d = j.toDouble(std::numeric_limits<double>::quiet_NaN());
    if (!j.isDouble() || d != std::trunc(d)) wrong(name, "whole number");
    if (d < std::numeric_limits<qint32>::min() || d > std::numeric_limits<qint32>::max())
      bad(QStringLiteral("field %1 of %2 is out of range").arg(QLatin1String(name), type()));
    v = static_cast<qint32>(d);
  }
  void real(const char* name, double& v) override {
    const QJsonValue j = take(name);
    if (j.isUndefined()) return;
    if (j.isNull()) {
      v = 0;
      return;
    }
    if (!j.isDouble()) wrong(name, "number");
    v = j.toDouble();
  }
  void boolean(const char* name, bool& v) override {
    const QJsonValue j = take(name);
    if (j.isUndefined()) return;
    if (j.isNull()) {
      v = false;
      return;
    }
    if (!j.isBool()) wrong(name, "true or false");
    v = j.toBool();
  }
  void screens(const char* name, std::vector<std::unique_ptr<TAcilisEkran>>& v) override {
    const QJsonValue j = take(name);
    if (j.isUndefined()) return;
    v.clear();
    if (j.isNull()) return;
    if (!j.isArray()) wrong(name, "list");
    const QJsonArray a = j.toArray();
    v.reserve(size_t(a.size()));
    for (const QJsonValue& e : a) {
      std::unique_ptr<TRecord> r = reader_.record(e, TAcilisEkran::kTypeName, depth_ + 1);
      v.emplace_back(static_cast<TAcilisEkran*>(r.release()));
    }
  }

  // Whatever is left in "fields" names no field of the record.
  void finish() const {
    for (auto it = fields_.begin(); it != fields_.end(); ++it)
      if (!seen_.contains(it.key()))
        bad(QStringLiteral("%1 has no field %2").arg(type(), it.key()));
  }

 private:
  QJsonValue take(const char* name) {
    const QString key = QLatin1String(name);
    seen_.insert(key);
    return fields_.value(key);
  }
  QString type() const { return QLatin1String(type_); }
  [[noreturn]] void wrong(const char* name, const char* want) const {
    bad(QStringLiteral("field %1 of %2 is not a %3")
            .arg(QLatin1String(name), type(), QLatin1String(want)));
  }

  Reader& reader_;
  const QJsonObject& fields_;
  const char* type_;
  int depth_;
  QSet<QString> seen_;
};

std::unique_ptr<TRecord> Reader::record(const QJsonValue& value, const char* expected, int depth) {
  if (value.isNull()) return nullptr;
  if (!value.isObject()) bad(QStringLiteral("an object or null expected"));
  if (depth > 8) bad(QStringLiteral("records nested too deeply"));
  const QJsonObject o = value.toObject();

  const QJsonValue type = o.value(QLatin1String("type"));
  if (!type.isString()) bad(QStringLiteral("\"type\" missing"));
  const QString typeName = type.toString();
  std::unique_ptr<TRecord> r = createRecord(typeName);
  if (!r) bad(QStringLiteral("unknown type %1").arg(typeName));
  if (expected && qstrcmp(r->typeName(), expected) != 0)
    throwWrongRecordType(r->typeName(), expected);

  for (auto it = o.begin(); it != o.end(); ++it) {
    const QString k = it.key();
    if (k != QLatin1String("type") && k != QLatin1String("id") && k != QLatin1String("fields") &&
        k != QLatin1String("ref"))
      bad(QStringLiteral("unknown member %1").arg(k));
  }

  if (o.contains(QLatin1String("ref"))) {
    // A record met before in this conversion: the same values again.
    const QJsonValue ref = o.value(QLatin1String("ref"));
    const auto it = done_.constFind(recordNumber(ref));
    if (it == done_.constEnd()) bad(QStringLiteral("\"ref\" names no earlier record"));
    if (qstrcmp((*it)->typeName(), r->typeName()) != 0)
      bad(QStringLiteral("\"ref\" names a record of another type"));
    return copyOf(**it);
  }

  const QJsonValue id = o.value(QLatin1String("id"));
  const qint64 number = recordNumber(id);
  if (number < 0) bad(QStringLiteral("\"id\" missing or not a record number"));
  const QJsonValue fields = o.value(QLatin1String("fields"));
  if (!fields.isObject()) bad(QStringLiteral("\"fields\" missing"));

  const QJsonObject fieldObject = fields.toObject();
  Assigner assign(*this, fieldObject, r->typeName(), depth);
  r->visitFields(assign);
  assign.finish();
  done_.insert(number, r.get());
  return r;
}

}  // namespace

std::unique_ptr<TRecord> fromObjectForm(QByteArrayView json) {
  QJsonParseError err;
  // A lone null is not a document for QJsonDocument.
  if (json.trimmed() == QByteArrayView("null")) return nullptr;
  const QJsonDocument doc = QJsonDocument::fromJson(json.toByteArray(), &err);
  if (err.error != QJsonParseError::NoError)
    bad(QStringLiteral("%1 at offset %2").arg(err.errorString()).arg(err.offset));
  if (!doc.isObject()) bad(QStringLiteral("an object expected"));
  Reader reader;
  return reader.record(doc.object(), nullptr, 0);
}

}  // namespace vlm
