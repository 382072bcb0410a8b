#pragma once
// Showing a window modally goes through one place, so that tests can see
// which window would open and answer for it without a real modal loop.
#include <QDialog>
#include <functional>

namespace vlm {

// Runs the dialog modally and returns its result (QDialog::Accepted = OK).
int ModalGoster(QDialog* pencere);
using ModalHook = std::function<int(QDialog*)>;
void setModalHook(ModalHook hook);

}  // namespace vlm
