#include "uygulama.h"

#include "async.h"
#include "mesajkutusu.h"
#include "seams.h"
#include "stil.h"

#include <QFileDialog>

namespace vlm {

Uygulama::Uygulama(int& argc, char** argv) : QApplication(argc, argv) {}

bool Uygulama::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (...) {
    GenelHataGoster(std::current_exception());
    return false;
  }
}

namespace {
// "Excel|*.xls*" (description, bar, patterns; pairs may repeat) as Qt wants it.
QString qtFiltresi(const QString& filtre) {
  const QStringList parcalar = filtre.split(QLatin1Char('|'));
  QStringList out;
  for (qsizetype i = 0; i + 1 < parcalar.size(); i += 2)
    out << parcalar[i] + QStringLiteral(" (") + QString(parcalar[i + 1]).replace(';', ' ') + ')';
  return out.join(QStringLiteral(";;"));
}
}  // namespace

void UygulamaHazirla() {
  static QtMessageService mesajlar;
  TTabColorControlStyleHook::kaydet();
  StilUygula(QStringLiteral("Allports Red"));
  setMessageService(&mesajlar);
  setSaveDialogHook([](const SaveDialogRequest& istek) {
    QFileDialog d(QApplication::activeWindow(), istek.baslik, QString(), qtFiltresi(istek.filtre));
    d.setAcceptMode(QFileDialog::AcceptSave);
    d.setDefaultSuffix(istek.varsayilanUzanti);
    return d.exec() == QDialog::Accepted && !d.selectedFiles().isEmpty() ? d.selectedFiles().first()
                                                                         : QString();
  });
}

}  // namespace vlm
