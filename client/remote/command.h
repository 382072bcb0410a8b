#pragma once
// A server-method command: the text "TServerMethods1.<operation>", its
// parameters by ordinal (the result after the last declared one), and what
// its last execution returned. A command owns the records, readers and
// streams it returns until it is executed again or destroyed.
#include <QBuffer>
#include <QString>
#include <memory>
#include <vector>

#include "message.h"
#include "operations.h"
#include "records.h"
#include "tablereader.h"
#include "value.h"

namespace vlm {

class Connection;

class Param {
 public:
  Param(const char* name, ValueKind kind, bool output) : name_(name), kind_(kind), output_(output) {
    value_ = Value::null(kind);
  }
  const char* name() const { return name_; }
  ValueKind kind() const { return kind_; }
  bool isOutput() const { return output_; }
  const Value& value() const { return value_; }

  // Setters check the kind (vlm::Error otherwise).
  void setInt32(qint32 v);
  void setInt64(qint64 v);
  void setDouble(double v);
  void setBoolean(bool v);
  void setWideString(const QString& v);
  // A record's object form; a null record when `json` is null.
  void setJsonText(const QByteArray& json);
  void setNull();
  void setValue(Value v);

  // Getters of what a reply brought; a null or wrong kind raises vlm::Error.
  qint32 getInt32() const;
  qint64 getInt64() const;
  double getDouble() const;
  bool getBoolean() const;
  QString getWideString() const;

 private:
  void expect(ValueKind k) const;
  const char* name_;
  ValueKind kind_;
  bool output_;
  Value value_;
};

class Command {
 public:
  explicit Command(Connection* connection);
  ~Command();
  Command(const Command&) = delete;
  Command& operator=(const Command&) = delete;

  // "DataSnap.ServerMethod"
  QString commandType() const { return type_; }
  void setCommandType(const QString& type) { type_ = type; }
  QString text() const { return text_; }
  void setText(const QString& text);

  // Looks up the operation of the text and makes its parameters; an unknown
  // class or operation raises vlm::Error.
  void prepare();
  // Prepares for an operation of any signature (imza must outlive the command).
  void prepare(const OperationSpec& imza);
  bool isPrepared() const { return spec_ != nullptr; }
  const OperationSpec* operation() const { return spec_; }

  int paramCount() const { return int(params_.size()); }
  Param& param(int ordinal);

  // Sends the command with its input parameters and fills the outputs and
  // the result from the reply. The server's error raises vlm::Error with the
  // server's text, and so does a broken connection or a reply that does not
  // fit the operation. Frees what the previous execution returned.
  void executeUpdate();

  // The result at an ordinal, owned by this command:
  // a record (nullptr for null; vlm::Error for a record the client cannot
  // build), a table reader (nullptr for null), a stream positioned at 0
  // (nullptr for null).
  TRecord* record(int ordinal);
  TableReader* reader(int ordinal);
  QIODevice* stream(int ordinal);
  // A data packet is a value of its own: it does not depend on the command.
  QByteArray packet(int ordinal) const;

 private:
  void freeResults();
  void takeReply(const Reply& reply);
  Connection* connection_;
  QString type_ = QStringLiteral("DataSnap.ServerMethod");
  QString text_;
  const OperationSpec* spec_ = nullptr;
  std::vector<Param> params_;
  std::vector<std::unique_ptr<TRecord>> records_;
  std::vector<std::unique_ptr<TableReader>> readers_;
  std::vector<std::unique_ptr<QBuffer>> streams_;
};

}  // namespace vlm
