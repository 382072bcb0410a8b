#pragma once
// Background tasks: a procedure on the shared thread pool, then a continuation
// on the user-interface thread.
#include <QObject>
#include <exception>
#include <functional>
#include <memory>

class QThreadPool;

namespace vlm {

class IAwait {
 public:
  virtual ~IAwait() = default;
  // Starts the background procedure and returns at once. When it has ended,
  // the continuation runs on the user-interface thread; an error that the
  // procedure did not catch is then raised there, after the continuation.
  // With a context object, the continuation (and the error report) is
  // dropped when the context has been destroyed in the meantime.
  virtual void Await(std::function<void()> devam, QObject* baglam = nullptr) = 0;
};

class TAwait : public IAwait, public std::enable_shared_from_this<TAwait> {
 public:
  explicit TAwait(std::function<void()> async) : FAsync(std::move(async)) {}
  void Await(std::function<void()> devam, QObject* baglam = nullptr) override;

 private:
  std::function<void()> FAsync;
};

// Creates a task holding the procedure; nothing runs until Await.
std::shared_ptr<IAwait> Async(std::function<void()> islem);

// The pool background tasks run on.
QThreadPool* taskPool();

// The application's general error display: shows the error's text. Used for
// errors raised again on the user-interface thread and for exceptions that
// reach the event loop. A test may install its own handler.
void GenelHataGoster(const std::exception_ptr& hata);
using ErrorHook = std::function<void(const std::exception_ptr&)>;
void setErrorHook(ErrorHook hook);

}  // namespace vlm
