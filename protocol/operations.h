#pragma once
// The server operations of the class TServerMethods1: for each, its name,
// its parameters in order (name, value kind, direction) and its result. Both
// the client's proxy and the server side read their signatures from here.
#include <QString>
#include <QStringView>
#include <span>

#include "value.h"

namespace vlm {

// The class every operation belongs to; a command's text is this, a full
// stop and the operation's name.
inline constexpr const char* kServerClass = "TServerMethods1";

struct ParamSpec {
  const char* name;
  ValueKind kind;
  bool output = false;
};

struct OperationSpec {
  const char* name;
  std::span<const ParamSpec> params;
  bool hasResult;
  ValueKind result;  // meaningful when hasResult
  // The record class of a Json result. Json parameters always carry the
  // login record, baglantiu.TSonucBilgisi.
  const char* recordType = nullptr;

  // The ordinal of the result: right after the last declared parameter.
  int resultOrdinal() const { return int(params.size()); }
  // Parameters plus the result.
  int slotCount() const { return int(params.size()) + (hasResult ? 1 : 0); }
  ValueKind kindAt(int ordinal) const {
    return ordinal < int(params.size()) ? params[size_t(ordinal)].kind : result;
  }
  bool isOutput(int ordinal) const {
    return ordinal >= int(params.size()) || params[size_t(ordinal)].output;
  }
};

// All 49 operations, in a fixed order (Op below indexes it).
std::span<const OperationSpec> operations();
// An operation by name (exact case); nullptr when there is none.
const OperationSpec* findOperation(QStringView name);
// "TServerMethods1.<name>"
QString commandText(const OperationSpec& op);

// Indexes into operations(), one per operation.
enum class Op : int {
  BuyukGetir,
  StokAraGetir,
  YenilerVer2,
  KampanyaliVer2,
  SepetVer2,
  SepetEkle2,
  SepetGuncelle2,
  SepetSatirSil,
  SepetHepsiniSil,
  SepetSecimGuncelle,
  CariVadeGunGecmismiBul,
  TeslimVer,
  KargoVer,
  KargolarVer,
  SiparisKaydet,
  BakiyelerVer2,
  BakiyeDuzenle,
  BakiyeDegistir,
  BakiyeFiyatDegistir,
  SiparisAytintisiDip,
  TumSiparislerVer,
  StokHareketVer,
  ResimVer5,
  OncekiSiparisler,
  SiparisAyrintisi2,
  CariEkstreVer,
  FaturaGetir,
  FaturaAltGetir,
  Tahsilat,
  SanalposSiranoVer,
  SAnalPosPdfVer,
  RaporAlinanSiparisler,
  RaporEnCokSatilanStoklar,
  CariAra,
  CariSepetVer,
  SepetSayisi,
  TusSonuclariVer,
  RaporGetir,
  BalonGetir,
  KayanYaziGetir,
  BannerResimVer,
  BannerResimVer2,
  BannerResimVer3,
  AcilisReklamAdet,
  AcilisREklamVer,
  AcilisEkranlarVer2,
  MobilCariBilgisiGetir,
  MailGonserCari,
  MailGonserCariNormal,
  Count
};

const OperationSpec& operation(Op op);

}  // namespace vlm
