#include "operations.h"

namespace vlm {

namespace {

using K = ValueKind;

constexpr ParamSpec kNone[] = {{"", K::Int32}};  // placeholder for empty lists

constexpr ParamSpec pBuyukGetir[] = {{"idsi", K::WideString}};
constexpr ParamSpec pStokAraGetir[] = {{"kod", K::WideString}, {"bilgi", K::Json}};
constexpr ParamSpec pCarino[] = {{"carino", K::Int32}};
constexpr ParamSpec pKampanyaliVer2[] = {{"cario", K::Int32}, {"satici", K::Int32}};
constexpr ParamSpec pSepetEkle2[] = {{"bilgim", K::Json},
                                     {"carino", K::Int32},
                                     {"stokno", K::Int32},
                                     {"barkod", K::WideString},
                                     {"stokadi", K::WideString},
                                     {"miktar", K::Double},
                                     {"kdv", K::Double},
                                     {"fiyat", K::Double},
                                     {"ind1", K::Double},
                                     {"verenid", K::Int32},
                                     {"k", K::Int32},
                                     {"ind2", K::Double},
                                     {"ind3", K::Double},
                                     {"ind4", K::Double}};
constexpr ParamSpec pSepetGuncelle2[] = {
    {"bilgim", K::Json},       {"carino", K::Int32},       {"stokno", K::Int32},
    {"barkod", K::WideString}, {"stokadi", K::WideString}, {"miktar", K::Double},
    {"kdv", K::Double},        {"fiyat", K::Double},       {"ind1", K::Double},
    {"verenid", K::Int32},     {"_sepetsirano", K::Int32}, {"ind2", K::Double},
    {"ind3", K::Double},       {"ind4", K::Double}};
constexpr ParamSpec pSepetSatirSil[] = {
    {"bilgi", K::Json}, {"satirno", K::Int32}, {"aciklamam", K::WideString}};
constexpr ParamSpec pBilgi[] = {{"bilgi", K::Json}};
constexpr ParamSpec pSepetSecimGuncelle[] = {{"sirano", K::Int32}, {"secim", K::Int32}};
constexpr ParamSpec pKargolarVer[] = {{"gn", K::Int32}};
constexpr ParamSpec pSiparisKaydet[] = {
    {"BB", K::Json},         {"_carino", K::Int32},        {"_teslim", K::Int32},
    {"_kargo", K::Int32},    {"_aciklama", K::WideString}, {"_verenid", K::Int32},
    {"_kargoyeni", K::Int32}};
constexpr ParamSpec pBakiye[] = {{"k", K::Json},
                                 {"stokno", K::Int32},
                                 {"sepetsirano", K::Int32},
                                 {"siparissirano", K::Int32},
                                 {"Adet", K::Double},
                                 {"Bakiye", K::Double},
                                 {"barkod", K::WideString}};
constexpr ParamSpec pBakiyeFiyatDegistir[] = {{"k", K::Json},
                                              {"stokno", K::Int32},
                                              {"sepetsirano", K::Int32},
                                              {"siparissirano", K::Int32},
                                              {"Adet", K::Double},
                                              {"Bakiye", K::Double},
                                              {"barkod", K::WideString},
                                              {"fiyat", K::Double},
                                              {"ind", K::Double}};
constexpr ParamSpec pSiparisAytintisiDip[] = {{"carino", K::Int32}, {"siranosu", K::Int32}};
constexpr ParamSpec pCarinoStokno[] = {{"carino", K::Int32}, {"stokno", K::Int32}};
constexpr ParamSpec pResimVer5[] = {{"stokno", K::Int32}, {"boy", K::Int64, true}};
constexpr ParamSpec pCarinoIdnosu[] = {{"carino", K::Int32}, {"idnosu", K::Int32}};
constexpr ParamSpec pIdnosu[] = {{"idnosu", K::Int32}};
constexpr ParamSpec pSAnalPosPdfVer[] = {{"sirano", K::Int32}, {"boy", K::Int64, true}};
constexpr ParamSpec pRapor[] = {{"bilgi", K::Json}, {"tarih1", K::Double}, {"tarih2", K::Double}};
constexpr ParamSpec pCariAra[] = {{"bil", K::Json}, {"aranan", K::WideString}};
constexpr ParamSpec pCariSepetVer[] = {{"bil", K::Json}, {"n", K::Int32}};
constexpr ParamSpec pBil[] = {{"bil", K::Json}};
constexpr ParamSpec pRaporGetir[] = {{"raporno", K::Int32},        {"bolum", K::Int32},
                                     {"idno", K::Int32},           {"carino", K::Int32},
                                     {"saticiadi", K::WideString}, {"tarih1", K::Double},
                                     {"tarih2", K::Double},        {"size", K::Int64, true}};
constexpr ParamSpec pSize[] = {{"size", K::Int64, true}};
constexpr ParamSpec pAcilisREklamVer[] = {{"sira", K::Int32}};
constexpr ParamSpec pMobilCariBilgisiGetir[] = {{"sirano", K::Int32}, {"_idsi", K::WideString}};

#define VLM_MAIL_TEXTS                                                                      \
  {"idsi", K::WideString}, {"baslik", K::WideString}, {"firmaadi", K::WideString},          \
      {"adres1", K::WideString}, {"adres2", K::WideString}, {"ilce", K::WideString},        \
      {"sehir", K::WideString}, {"telefon", K::WideString}, {"fax", K::WideString},         \
      {"vd", K::WideString}, {"vn", K::WideString}, {"yetkili", K::WideString},             \
      {"kullaniciadi", K::WideString}, {"sifre", K::WideString}, {"mail", K::WideString}, { \
    "kargoambar", K::WideString                                                             \
  }
constexpr ParamSpec pMailGonserCari[] = {VLM_MAIL_TEXTS};
constexpr ParamSpec pMailGonserCariNormal[] = {VLM_MAIL_TEXTS, {"konu", K::WideString}};
#undef VLM_MAIL_TEXTS

constexpr std::span<const ParamSpec> none() {
  return std::span<const ParamSpec>(kNone, 0);
}

constexpr const char* kLogin = "baglantiu.TSonucBilgisi";

const OperationSpec kOperations[] = {
    {"BuyukGetir", pBuyukGetir, true, K::Json, kLogin},
    {"StokAraGetir", pStokAraGetir, true, K::Packet},
    {"YenilerVer2", pCarino, true, K::Packet},
    {"KampanyaliVer2", pKampanyaliVer2, true, K::Packet},
    {"SepetVer2", pCarino, true, K::Packet},
    {"SepetEkle2", pSepetEkle2, true, K::Int32},
    {"SepetGuncelle2", pSepetGuncelle2, true, K::Int32},
    {"SepetSatirSil", pSepetSatirSil, true, K::Int32},
    {"SepetHepsiniSil", pBilgi, true, K::Int32},
    {"SepetSecimGuncelle", pSepetSecimGuncelle, false, K::Int32},
    {"CariVadeGunGecmismiBul", pCarino, true, K::WideString},
    {"TeslimVer", none(), true, K::Reader},
    {"KargoVer", none(), true, K::Reader},
    {"KargolarVer", pKargolarVer, true, K::Reader},
    {"SiparisKaydet", pSiparisKaydet, true, K::Boolean},
    {"BakiyelerVer2", pCarino, true, K::Reader},
    {"BakiyeDuzenle", pBakiye, true, K::Int32},
    {"BakiyeDegistir", pBakiye, true, K::Int32},
    {"BakiyeFiyatDegistir", pBakiyeFiyatDegistir, true, K::Int32},
    {"SiparisAytintisiDip", pSiparisAytintisiDip, true, K::Json, "baglantiu.TSiparisDipAyrinti"},
    {"TumSiparislerVer", pCarinoStokno, true, K::Reader},
    {"StokHareketVer", pCarinoStokno, true, K::Packet},
    {"ResimVer5", pResimVer5, true, K::Stream},
    {"OncekiSiparisler", pCarino, true, K::Reader},
    {"SiparisAyrintisi2", pCarinoIdnosu, true, K::Reader},
    {"CariEkstreVer", pCarino, true, K::Reader},
    {"FaturaGetir", pCarinoIdnosu, true, K::Reader},
    {"FaturaAltGetir", pIdnosu, true, K::Reader},
    {"Tahsilat", pIdnosu, true, K::Reader},
    {"SanalposSiranoVer", pIdnosu, true, K::Int32},
    {"SAnalPosPdfVer", pSAnalPosPdfVer, true, K::Stream},
    {"RaporAlinanSiparisler", pRapor, true, K::Reader},
    {"RaporEnCokSatilanStoklar", pRapor, true, K::Reader},
    {"CariAra", pCariAra, true, K::Reader},
    {"CariSepetVer", pCariSepetVer, true, K::Reader},
    {"SepetSayisi", pBil, true, K::Int32},
    {"TusSonuclariVer", pBil, true, K::Json, "baglantiu.TTusSonuclari"},
    {"RaporGetir", pRaporGetir, true, K::Stream},
    {"BalonGetir", pBil, true, K::Reader},
    {"KayanYaziGetir", none(), true, K::WideString},
    {"BannerResimVer", pSize, true, K::Stream},
    {"BannerResimVer2", pSize, true, K::Stream},
    {"BannerResimVer3", pSize, true, K::Stream},
    {"AcilisReklamAdet", none(), true, K::Int32},
    {"AcilisREklamVer", pAcilisREklamVer, true, K::Json, "mobilstokunit.TAcilisEkran"},
    {"AcilisEkranlarVer2", none(), true, K::Json, "mobilstokunit.TAcilisEkranlariki"},
    {"MobilCariBilgisiGetir", pMobilCariBilgisiGetir, true, K::Json,
     "mobilstokunit.TMobilCariBilgisi"},
    {"MailGonserCari", pMailGonserCari, true, K::Int32},
    {"MailGonserCariNormal", pMailGonserCariNormal, true, K::Int32},
};
static_assert(std::size(kOperations) == size_t(Op::Count));

}  // namespace

std::span<const OperationSpec> operations() {
  return kOperations;
}

const OperationSpec& operation(Op op) {
  return kOperations[size_t(op)];
}

const OperationSpec* findOperation(QStringView name) {
  for (const auto& op : kOperations)
    if (name == QLatin1String(op.name)) return &op;
  return nullptr;
}

QString commandText(const OperationSpec& op) {
  return QLatin1String(kServerClass) + QLatin1Char('.') + QLatin1String(op.name);
}

}  // namespace vlm
