#include "command.h"

#include "connection.h"
#include "error.h"
#include "objectform.h"

namespace vlm {

// ---------------------------------------------------------------------------
// Param

void Param::expect(ValueKind k) const {
  if (kind_ != k)
    throw Error(QStringLiteral("Parameter %1 is of kind %2, not %3")
                    .arg(QLatin1String(name_), QLatin1String(valueKindName(kind_)),
                         QLatin1String(valueKindName(k))));
}

void Param::setInt32(qint32 v) {
  setValue(Value::int32(v));
}
void Param::setInt64(qint64 v) {
  setValue(Value::int64(v));
}
void Param::setDouble(double v) {
  setValue(Value::real(v));
}
void Param::setBoolean(bool v) {
  setValue(Value::boolean(v));
}
void Param::setWideString(const QString& v) {
  setValue(Value::text(v));
}
void Param::setJsonText(const QByteArray& json) {
  setValue(json.isNull() ? Value::null(ValueKind::Json) : Value::bytes(ValueKind::Json, json));
}
void Param::setNull() {
  value_ = Value::null(kind_);
}
void Param::setValue(Value v) {
  expect(v.kind());
  value_ = std::move(v);
}

namespace {
const Value& present(const Value& v, const char* name) {
  if (v.isNull())
    throw Error(QStringLiteral("Parameter %1 holds no value").arg(QLatin1String(name)));
  return v;
}
}  // namespace

qint32 Param::getInt32() const {
  expect(ValueKind::Int32);
  return present(value_, name_).toInt32();
}
qint64 Param::getInt64() const {
  expect(ValueKind::Int64);
  return present(value_, name_).toInt64();
}
double Param::getDouble() const {
  expect(ValueKind::Double);
  return present(value_, name_).toDouble();
}
bool Param::getBoolean() const {
  expect(ValueKind::Boolean);
  return present(value_, name_).toBool();
}
QString Param::getWideString() const {
  expect(ValueKind::WideString);
  return present(value_, name_).toText();
}

// ---------------------------------------------------------------------------
// Command

Command::Command(Connection* connection) : connection_(connection) {}
Command::~Command() = default;

void Command::setText(const QString& text) {
  if (text != text_) spec_ = nullptr;
  text_ = text;
}

void Command::prepare() {
  const QString prefix = QLatin1String(kServerClass) + QLatin1Char('.');
  if (!text_.startsWith(prefix))
    throw Error(QStringLiteral("Server method class not found: %1").arg(text_));
  const OperationSpec* imza = findOperation(QStringView(text_).mid(prefix.size()));
  if (!imza) throw Error(QStringLiteral("Server method %1 not found").arg(text_));
  prepare(*imza);
}

void Command::prepare(const OperationSpec& imza) {
  spec_ = &imza;
  text_ = commandText(imza);
  params_.clear();
  for (const ParamSpec& p : imza.params) params_.emplace_back(p.name, p.kind, p.output);
  if (imza.hasResult) params_.emplace_back("Result", imza.result, true);
}

Param& Command::param(int ordinal) {
  if (ordinal < 0 || ordinal >= paramCount())
    throw Error(QStringLiteral("Parameter index out of range: %1").arg(ordinal));
  return params_[size_t(ordinal)];
}

void Command::freeResults() {
  records_.clear();
  readers_.clear();
  streams_.clear();
}

void Command::executeUpdate() {
  if (!spec_) prepare();
  if (!connection_ || !connection_->isOpen())
    throw Error(
        QStringLiteral("Connection cannot be nil.  Make sure the connection has been opened."));
  freeResults();

  Request req;
  req.command = text_;
  req.params.reserve(spec_->params.size());
  for (size_t i = 0; i < spec_->params.size(); ++i) {
    Param& p = params_[i];
    if (p.isOutput()) p.setNull();
    req.params.push_back(p.value());
  }
  for (size_t i = spec_->params.size(); i < params_.size(); ++i) params_[i].setNull();

  const Reply reply = connection_->execute(req);
  if (reply.failed) throw Error(reply.error);
  try {
    takeReply(reply);
  } catch (...) {
    // A server that answers out of turn: nothing more from it can be trusted.
    connection_->close();
    throw;
  }
}

void Command::takeReply(const Reply& reply) {
  // The reply must give every output and the result, each of its kind.
  std::vector<bool> given(params_.size(), false);
  for (const auto& [ordinal, value] : reply.params) {
    if (ordinal < 0 || ordinal >= paramCount() || !params_[size_t(ordinal)].isOutput() ||
        given[size_t(ordinal)])
      throw Error(
          QStringLiteral("Bad reply to %1: unexpected parameter %2").arg(text_).arg(ordinal));
    Param& p = params_[size_t(ordinal)];
    if (value.kind() != p.kind())
      throw Error(QStringLiteral("Bad reply to %1: parameter %2 is of kind %3, not %4")
                      .arg(text_)
                      .arg(ordinal)
                      .arg(QLatin1String(valueKindName(value.kind())),
                           QLatin1String(valueKindName(p.kind()))));
    if (value.isNull() && (p.kind() == ValueKind::Int32 || p.kind() == ValueKind::Int64 ||
                           p.kind() == ValueKind::Double || p.kind() == ValueKind::Boolean ||
                           p.kind() == ValueKind::WideString))
      throw Error(
          QStringLiteral("Bad reply to %1: parameter %2 holds no value").arg(text_).arg(ordinal));
    p.setValue(value);
    given[size_t(ordinal)] = true;
  }
  for (int i = 0; i < paramCount(); ++i)
    if (params_[size_t(i)].isOutput() && !given[size_t(i)])
      throw Error(QStringLiteral("Bad reply to %1: parameter %2 missing").arg(text_).arg(i));
}

TRecord* Command::record(int ordinal) {
  const Param& p = param(ordinal);
  if (p.kind() != ValueKind::Json)
    throw Error(QStringLiteral("Parameter %1 is no record").arg(ordinal));
  if (p.value().isNull()) return nullptr;
  std::unique_ptr<TRecord> r = fromObjectForm(p.value().toBytes());
  if (!r) return nullptr;
  if (spec_ && ordinal == spec_->resultOrdinal() && spec_->recordType &&
      qstrcmp(r->typeName(), spec_->recordType) != 0)
    throwWrongRecordType(r->typeName(), spec_->recordType);
  records_.push_back(std::move(r));
  return records_.back().get();
}

TableReader* Command::reader(int ordinal) {
  const Param& p = param(ordinal);
  if (p.kind() != ValueKind::Reader)
    throw Error(QStringLiteral("Parameter %1 is no reader").arg(ordinal));
  if (p.value().isNull()) return nullptr;
  readers_.push_back(std::make_unique<TableReader>(p.value().toBytes()));
  return readers_.back().get();
}

QIODevice* Command::stream(int ordinal) {
  const Param& p = param(ordinal);
  if (p.kind() != ValueKind::Stream)
    throw Error(QStringLiteral("Parameter %1 is no stream").arg(ordinal));
  if (p.value().isNull()) return nullptr;
  auto b = std::make_unique<QBuffer>();
  b->setData(p.value().toBytes());
  b->open(QIODevice::ReadOnly);
  streams_.push_back(std::move(b));
  return streams_.back().get();
}

QByteArray Command::packet(int ordinal) const {
  if (ordinal < 0 || ordinal >= paramCount())
    throw Error(QStringLiteral("Parameter index out of range: %1").arg(ordinal));
  const Param& p = params_[size_t(ordinal)];
  if (p.kind() != ValueKind::Packet)
    throw Error(QStringLiteral("Parameter %1 is no packet").arg(ordinal));
  return p.value().toBytes();
}

}  // namespace vlm
