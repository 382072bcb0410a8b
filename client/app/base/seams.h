#pragma once
// The places where the program meets the outside world in ways tests must not
// suffer: ending the process, the shell's "open", file dialogs, waiting.
#include <QString>
#include <functional>

namespace vlm {

// ---- Ending the process ---------------------------------------------------
// Ends the process at once with the exit code; nothing is saved on the way.
// Under a test the hook records the code and returns, so the caller must
// return right after calling it.
void SurecSonlandir(int kod);
using ExitHook = std::function<void(int)>;
// Installs a hook in place of the real exit; an empty hook restores it.
void setExitHook(ExitHook hook);

// ---- The shell's "open" ---------------------------------------------------
// Opens a document, an address or a program with the shell; parametreler are
// the command-line arguments for a program (for example "/silent").
void KabukAc(const QString& hedef, const QString& parametreler = QString());
using ShellHook = std::function<void(const QString& hedef, const QString& parametreler)>;
void setShellHook(ShellHook hook);

// ---- File dialogs ---------------------------------------------------------
struct SaveDialogRequest {
  QString baslik;
  QString filtre;  // "Excel|*.xls*" as the lists give it
  QString varsayilanUzanti;
};
// Returns the chosen file name, or an empty text when the user cancelled.
QString KaydetDiyalogu(const SaveDialogRequest& istek);
using SaveDialogHook = std::function<QString(const SaveDialogRequest&)>;
void setSaveDialogHook(SaveDialogHook hook);

// ---- Waiting between attempts ---------------------------------------------
void Bekle(int milisaniye);
using WaitHook = std::function<void(int)>;
void setWaitHook(WaitHook hook);

}  // namespace vlm
