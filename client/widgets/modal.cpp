#include "modal.h"

namespace vlm {

namespace {
ModalHook g_hook;
}

int ModalGoster(QDialog* pencere) {
  return g_hook ? g_hook(pencere) : pencere->exec();
}
void setModalHook(ModalHook hook) {
  g_hook = std::move(hook);
}

}  // namespace vlm
