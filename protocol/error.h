#pragma once
// The program's exception: a text meant for the user, as it is.
#include <QByteArray>
#include <QString>
#include <exception>

namespace vlm {

class Error : public std::exception {
 public:
  explicit Error(QString message) : message_(std::move(message)), utf8_(message_.toUtf8()) {}
  const QString& message() const noexcept { return message_; }
  const char* what() const noexcept override { return utf8_.constData(); }

 private:
  QString message_;
  QByteArray utf8_;
};

// The user-facing text of any exception.
inline QString errorText(const std::exception_ptr& e) {
  try {
    std::rethrow_exception(e);
  } catch (const Error& err) {
    return err.message();
  } catch (const std::exception& err) {
    return QString::fromUtf8(err.what());
  } catch (...) {
    return QStringLiteral("Bilinmeyen hata");
  }
}

}  // namespace vlm
