// Program entry.
#include "seams.h"
#include "stil.h"
#include "tform1.h"
#include "tgirisform.h"
#include "uygulama.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

int main(int argc, char** argv) {
  vlm::TTabColorControlStyleHook::kaydet();
  vlm::Uygulama app(argc, argv);
  vlm::UygulamaHazirla();

  vlm::TForm1::setGirisPenceresi([](vlm::TForm1& f) {
    return vlm::GirisPenceresiniCalistir(&f, f.bagc.get(), f.sbilgi.get());
  });
  vlm::TForm1 form;
  form.FormCreate();
  form.setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
  form.showMaximized();

  // Without a display the run script asks for a picture of the first window.
  const QString ekran = qEnvironmentVariable("VLM_SCREENSHOT");
  if (!ekran.isEmpty()) {
    QTimer::singleShot(2500, &form, [&form, ekran] {
      QPixmap resim = QGuiApplication::primaryScreen()->grabWindow(0);
      if (resim.isNull()) resim = form.grab();
      resim.save(ekran, "PNG");
      if (qEnvironmentVariableIsSet("VLM_SCREENSHOT_QUIT")) vlm::SurecSonlandir(0);
    });
  }
  return app.exec();
}
