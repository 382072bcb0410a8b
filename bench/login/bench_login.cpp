// From process start to the login window painted, and from "Giriş" to the
// main window painted, each beside a floor measured in the same run.
#include "buyukharfkutusu.h"
#include "harness.h"
#include "modal.h"
#include "proxim.h"
#include "scriptedhttp.h"
#include "seams.h"
#include "tform1.h"
#include "tgirisform.h"

#include <benchmark/benchmark.h>
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QProcess>
#include <cstdio>

using namespace vlm;

namespace {

struct Kurulum {
  vlm::server::test::ServerHarness server;
  vlm::test::ScriptedHttp echo;
  Kurulum() {
    echo.fallback = {200, "OK", "text/plain", "85.1.2.3"};
    qputenv("VLM_IPECHO_URL", echo.url("/").toUtf8());
    qputenv("VLM_SUNUCU_HOST", "127.0.0.1");
    qputenv("VLM_FIRMA_DIS_IP", "10.99.99.99");
    qputenv("VLM_SUNUCU_PORT", QByteArray::number(server.rpc.port()));
  }
};

Kurulum* kurulum = nullptr;
// Floors measured in the same run, before the benchmarks, in seconds.
double tabanSurec = 0;
double tabanIslem = 0;

// Seconds from starting a client process until it reports the first paint of
// its login window ("--olcum-giris" makes it print and leave then).
double surecSuresi(const QStringList& args, const QByteArray& bekle) {
  QProcess p;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("QT_QPA_PLATFORM", "offscreen");
  p.setProcessEnvironment(env);
  QElapsedTimer t;
  t.start();
  p.start(QStringLiteral(VLM_CLIENT_PATH), args);
  QByteArray out;
  while (!out.contains(bekle) && p.waitForReadyRead(10000)) out += p.readAllStandardOutput();
  const double s = t.nsecsElapsed() / 1e9;
  p.waitForFinished(10000);
  return s;
}

void BM_SurecBaslangici_Taban(benchmark::State& state) {
  // The floor: the same program started and left before it builds any window.
  for (auto _ : state) state.SetIterationTime(surecSuresi({"--kimlik"}, "\n"));
}
BENCHMARK(BM_SurecBaslangici_Taban)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

void BM_GirisPenceresiBoyandi(benchmark::State& state) {
  double toplam = 0;
  for (auto _ : state) {
    const double s = surecSuresi({"--olcum-giris"}, "boyandi");
    toplam += s;
    state.SetIterationTime(s);
  }
  state.counters["taban_orani"] = toplam / double(state.iterations()) / tabanSurec;
}
BENCHMARK(BM_GirisPenceresiBoyandi)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

void BM_BosIslem_Taban(benchmark::State& state) {
  auto c = kurulum->server.connect();
  TServerMethods1Client proxy(c.get());
  for (auto _ : state) benchmark::DoNotOptimize(proxy.AcilisReklamAdet());
}
BENCHMARK(BM_BosIslem_Taban)->Unit(benchmark::kMillisecond);

// Waits for the first paint of a widget.
class BoyamaBekcisi : public QObject {
 public:
  bool boyandi = false;
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint) boyandi = true;
    return false;
  }
};

void BM_GiristenAnaPencereye(benchmark::State& state) {
  const auto& u = kurulum->server.user(3);
  double toplam = 0;
  for (auto _ : state) {
    QElapsedTimer t;
    TForm1::setGirisPenceresi([&](TForm1& f) {
      setModalHook([&](QDialog* d) {
        auto* g = static_cast<Tgirisform*>(d);
        g->idsi = u.identity;
        g->adi->setText(u.login);
        g->sifre->setText(u.password);
        g->show();
        t.start();
        g->Button1Click();
        while (g->calisiyor()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        return g->result();
      });
      return GirisPenceresiniCalistir(&f, f.bagc.get(), f.sbilgi.get());
    });
    TForm1 form;
    BoyamaBekcisi bekci;
    form.installEventFilter(&bekci);
    form.FormCreate();
    form.resize(1366, 768);
    form.show();
    while (!bekci.boyandi) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    const double s = t.nsecsElapsed() / 1e9;
    toplam += s;
    state.SetIterationTime(s);
    while (!form.baslangicBitti())
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
  }
  setModalHook({});
  state.counters["taban_orani"] = toplam / double(state.iterations()) / tabanIslem;
}
BENCHMARK(BM_GiristenAnaPencereye)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  setWaitHook([](int) {});
  Kurulum k;
  kurulum = &k;
  for (int i = 0; i < 3; ++i) tabanSurec += surecSuresi({"--kimlik"}, "\n") / 3;
  {
    auto c = k.server.connect();
    TServerMethods1Client proxy(c.get());
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < 200; ++i) proxy.AcilisReklamAdet();
    tabanIslem = t.nsecsElapsed() / 1e9 / 200;
  }
  std::printf("floors: process start %.1f ms, empty operation %.3f ms\n", tabanSurec * 1e3,
              tabanIslem * 1e3);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
