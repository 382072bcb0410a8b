#include "seams.h"

#include <QProcess>
#include <QThread>
#include <QUrl>
#include <cstdio>
#include <cstdlib>

namespace vlm {

namespace {
ExitHook g_exit;
ShellHook g_shell;
SaveDialogHook g_save;
WaitHook g_wait;
}  // namespace

void SurecSonlandir(int kod) {
  if (g_exit) {
    g_exit(kod);
    return;
  }
  std::fflush(stdout);
  std::fflush(stderr);
  std::_Exit(kod);
}
void setExitHook(ExitHook hook) {
  g_exit = std::move(hook);
}

void KabukAc(const QString& hedef, const QString& parametreler) {
  if (g_shell) {
    g_shell(hedef, parametreler);
    return;
  }
  if (parametreler.isEmpty())
    QProcess::startDetached(QStringLiteral("xdg-open"), {hedef});
  else
    QProcess::startDetached(hedef, QProcess::splitCommand(parametreler));
}
void setShellHook(ShellHook hook) {
  g_shell = std::move(hook);
}

QString KaydetDiyalogu(const SaveDialogRequest& istek) {
  return g_save ? g_save(istek) : QString();
}
void setSaveDialogHook(SaveDialogHook hook) {
  g_save = std::move(hook);
}

void Bekle(int milisaniye) {
  if (g_wait) {
    g_wait(milisaniye);
    return;
  }
  QThread::msleep(static_cast<unsigned long>(milisaniye));
}
void setWaitHook(WaitHook hook) {
  g_wait = std::move(hook);
}

}  // namespace vlm
