#include "mesaj.h"

#include "uithread.h"

namespace vlm {

namespace {
MessageService* g_service = nullptr;
}

QString MesajBasligi(int tur) {
  switch (tur) {
    case mtUyari: return QStringLiteral("Uyarı");
    case mtHata: return QStringLiteral("Hata");
    case mtBilgi: return QStringLiteral("Bilgi");
    case mtSoru: return QStringLiteral("Soru");
    default: return QString();
  }
}

QString StandartMesajBasligi(int tur) {
  switch (tur) {
    case mtUyari: return QStringLiteral("Warning");
    case mtHata: return QStringLiteral("Error");
    case mtBilgi: return QStringLiteral("Information");
    case mtSoru: return QStringLiteral("Confirm");
    default: return QString();
  }
}

QString DugmeBasligi(MesajDugmesi dugme) {
  switch (dugme) {
    case mbYes: return QStringLiteral("Evet");
    case mbNo: return QStringLiteral("Hayır");
    case mbCancel: return QStringLiteral("Vazgeç");
    case mbOK: return QStringLiteral("Tamam");
    case mbAbort: return QStringLiteral("İptal");
    case mbRetry: return QStringLiteral("Tekrar");
    case mbIgnore: return QStringLiteral("Atla");
    case mbYesToAll: return QStringLiteral("Tümüne Evet");
    case mbNoToAll: return QStringLiteral("Tümüne Hayır");
    case mbHelp: return QStringLiteral("Yardım");
    case mbAll: return QStringLiteral("&All");
  }
  return QString();
}

int DugmeSonucu(MesajDugmesi dugme) {
  switch (dugme) {
    case mbYes: return mrYes;
    case mbNo: return mrNo;
    case mbOK: return mrOk;
    case mbCancel: return mrCancel;
    case mbAbort: return mrAbort;
    case mbRetry: return mrRetry;
    case mbIgnore: return mrIgnore;
    case mbAll: return mrAll;
    case mbNoToAll: return mrNoToAll;
    case mbYesToAll: return mrYesToAll;
    case mbHelp: return mrHelp;
  }
  return mrNone;
}

void setMessageService(MessageService* service) {
  g_service = service;
}
MessageService* messageService() {
  return g_service;
}

static int showOnUiThread(const MesajIstegi& istek) {
  int sonuc = mrNone;
  runOnUiThread([&] {
    if (g_service) sonuc = g_service->show(istek);
  });
  return sonuc;
}

int MesajGoster(const QString& metin, int tur, MesajDugmeleri dugmeler, MesajDugmesi varsayilan) {
  MesajIstegi istek;
  istek.metin = metin;
  istek.tur = tur;
  istek.dugmeler = dugmeler;
  istek.varsayilan = varsayilan;
  return showOnUiThread(istek);
}

void ShowMessage(const QString& metin) {
  MesajIstegi istek;
  istek.metin = metin;
  istek.duz = true;
  istek.dugmeler = mbOK;
  istek.varsayilan = mbOK;
  showOnUiThread(istek);
}

void StandartMesaj(const QString& metin, int tur) {
  MesajIstegi istek;
  istek.metin = metin;
  istek.tur = tur;
  istek.standart = true;
  istek.dugmeler = mbOK;
  istek.varsayilan = mbOK;
  showOnUiThread(istek);
}

ScriptedMessages::ScriptedMessages() : previous_(g_service) {
  g_service = this;
}
ScriptedMessages::~ScriptedMessages() {
  g_service = previous_;
}

int ScriptedMessages::show(const MesajIstegi& istek) {
  shown_.append(istek);
  if (onShow) onShow(istek);
  if (!answers_.isEmpty()) return answers_.takeFirst();
  return DugmeSonucu(istek.varsayilan);
}

QStringList ScriptedMessages::texts() const {
  QStringList out;
  for (const auto& m : shown_) out << m.metin;
  return out;
}

}  // namespace vlm
