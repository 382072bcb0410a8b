#include "async.h"

#include "error.h"
#include "mesaj.h"
#include "uithread.h"

#include <QCoreApplication>
#include <QFutureWatcher>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>

namespace vlm {

namespace {
ErrorHook g_errorHook;
}

QThreadPool* taskPool() {
  // Tasks may wait on the user (message boxes handed to the user-interface
  // thread), so the pool is wider than the number of cores.
  static QThreadPool* pool = [] {
    auto* p = new QThreadPool;
    p->setMaxThreadCount(32);
    return p;
  }();
  return pool;
}

void GenelHataGoster(const std::exception_ptr& hata) {
  if (g_errorHook) {
    g_errorHook(hata);
    return;
  }
  MesajIstegi istek;
  istek.metin = errorText(hata);
  istek.tur = mtHata;
  istek.duz = true;
  runOnUiThread([&] {
    if (auto* s = messageService()) s->show(istek);
  });
}

void setErrorHook(ErrorHook hook) {
  g_errorHook = std::move(hook);
}

std::shared_ptr<IAwait> Async(std::function<void()> islem) {
  return std::make_shared<TAwait>(std::move(islem));
}

void TAwait::Await(std::function<void()> devam, QObject* baglam) {
  auto self = shared_from_this();  // the running task keeps the object alive
  auto hata = std::make_shared<std::exception_ptr>();
  // The watcher lives on the user-interface thread, owned by the context: when
  // the context goes, the watcher goes with it and the continuation is dropped.
  auto* watcher = new QFutureWatcher<void>;
  if (auto* app = QCoreApplication::instance()) watcher->moveToThread(app->thread());
  if (baglam) watcher->setParent(baglam);
  QObject::connect(watcher, &QFutureWatcher<void>::finished, watcher,
                   [watcher, hata, devam = std::move(devam)]() {
                     watcher->deleteLater();
                     if (devam) devam();
                     if (*hata) GenelHataGoster(*hata);
                   });
  watcher->setFuture(QtConcurrent::run(taskPool(), [self, hata]() {
    try {
      if (self->FAsync) self->FAsync();
    } catch (...) {
      *hata = std::current_exception();
    }
  }));
}

}  // namespace vlm
