#include "uithread.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

namespace vlm {

bool onUiThread() {
  auto* app = QCoreApplication::instance();
  return !app || QThread::currentThread() == app->thread();
}

void runOnUiThread(const std::function<void()>& fn) {
  if (onUiThread()) {
    fn();
    return;
  }
  QMetaObject::invokeMethod(QCoreApplication::instance(), fn, Qt::BlockingQueuedConnection);
}

}  // namespace vlm
