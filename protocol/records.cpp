#include "records.h"

#include <variant>

namespace vlm {

namespace {

// Collects a record's field addresses in declaration order.
class Collector : public FieldVisitor {
 public:
  using Slot =
      std::variant<QString*, qint32*, double*, bool*, std::vector<std::unique_ptr<TAcilisEkran>>*>;
  std::vector<Slot> cells;
  void text(const char*, QString& v) override { cells.emplace_back(&v); }
  void integer(const char*, qint32& v) override { cells.emplace_back(&v); }
  void real(const char*, double& v) override { cells.emplace_back(&v); }
  void boolean(const char*, bool& v) override { cells.emplace_back(&v); }
  void screens(const char*, std::vector<std::unique_ptr<TAcilisEkran>>& v) override {
    cells.emplace_back(&v);
  }
};

// Every field of `to` takes the value of the same field of `from` (both of
// one class). Texts are values, so the two share nothing afterwards.
void copyFields(TRecord& to, const TRecord& from) {
  Collector a, b;
  to.visitFields(a);
  const_cast<TRecord&>(from).visitFields(b);
  for (size_t i = 0; i < a.cells.size(); ++i) {
    std::visit(
        [&](auto* dst) {
          using T = std::remove_pointer_t<decltype(dst)>;
          if constexpr (!std::is_same_v<T, std::vector<std::unique_ptr<TAcilisEkran>>>)
            *dst = *std::get<T*>(b.cells[i]);
        },
        a.cells[i]);
  }
}

}  // namespace

std::unique_ptr<TRecord> createRecord(QStringView typeName) {
  if (typeName == QLatin1String(TSonucBilgisi::kTypeName)) return std::make_unique<TSonucBilgisi>();
  if (typeName == QLatin1String(TSiparisDipAyrinti::kTypeName))
    return std::make_unique<TSiparisDipAyrinti>();
  if (typeName == QLatin1String(TTusSonuclari::kTypeName)) return std::make_unique<TTusSonuclari>();
  if (typeName == QLatin1String(TMobilCariBilgisi::kTypeName))
    return std::make_unique<TMobilCariBilgisi>();
  if (typeName == QLatin1String(TAcilisEkran::kTypeName)) return std::make_unique<TAcilisEkran>();
  if (typeName == QLatin1String(TAcilisEkranlariki::kTypeName))
    return std::make_unique<TAcilisEkranlariki>();
  return nullptr;
}

void TSonucBilgisi::visitFields(FieldVisitor& v) {
  v.text("FBILGISAYARID", FBILGISAYARID);
  v.text("FSaticiMail", FSaticiMail);
  v.integer("FSirano", FSirano);
  v.text("FCariAdi", FCariAdi);
  v.text("FSIFRE", FSIFRE);
  v.integer("FSaticiNo", FSaticiNo);
  v.integer("FCARINO", FCARINO);
  v.integer("FAKTIF", FAKTIF);
  v.text("FKullanicimail", FKullanicimail);
  v.text("FADI", FADI);
  v.text("FSaticiTelefon", FSaticiTelefon);
  v.text("Fcarikod", Fcarikod);
  v.boolean("FVarmi", FVarmi);
  v.text("FSaticiAdi", FSaticiAdi);
  v.text("FBilgiSayarAdi", FBilgiSayarAdi);
  v.text("FDisip", FDisip);
  v.text("FIcip", FIcip);
  v.text("FBilgisayarKullanici", FBilgisayarKullanici);
  v.integer("FMusteriTipi", FMusteriTipi);
  v.integer("FVersion", FVersion);
}
void TSonucBilgisi::Kopyala(const TSonucBilgisi& kaynak) {
  copyFields(*this, kaynak);
}

void TSiparisDipAyrinti::visitFields(FieldVisitor& v) {
  v.text("FSizinMesaj", FSizinMesaj);
  v.text("FDurumu", FDurumu);
  v.text("FVeren", FVeren);
  v.text("FKargo", FKargo);
  v.text("FBizimMesaj", FBizimMesaj);
  v.text("FTeslimCinsi", FTeslimCinsi);
  v.text("FKargoCinsi", FKargoCinsi);
  v.text("FSaticiNotu", FSaticiNotu);
}
void TSiparisDipAyrinti::Kopyala(const TSiparisDipAyrinti& kaynak) {
  copyFields(*this, kaynak);
}

void TTusSonuclari::visitFields(FieldVisitor& v) {
  v.integer("FAlindi", FAlindi);
  v.integer("FOnaylandi", FOnaylandi);
  v.integer("FParcaliHazirlandi", FParcaliHazirlandi);
  v.integer("FSevkEdildi", FSevkEdildi);
  v.integer("FHazirlandi", FHazirlandi);
  v.integer("FGoruldu", FGoruldu);
}
void TTusSonuclari::Kopyala(const TTusSonuclari& kaynak) {
  copyFields(*this, kaynak);
}

void TMobilCariBilgisi::visitFields(FieldVisitor& v) {
  v.text("FBILGISAYARID", FBILGISAYARID);
  v.text("FSEHIR", FSEHIR);
  v.text("FFAX1", FFAX1);
  v.text("FSATICIMAIL", FSATICIMAIL);
  v.text("FSATICIADI", FSATICIADI);
  v.text("FCARIADI", FCARIADI);
  v.text("FEMAIL", FEMAIL);
  v.text("FVERGIDAIRESI", FVERGIDAIRESI);
  v.text("FYETKILI", FYETKILI);
  v.text("FAltGrup", FAltGrup);
  v.text("FTEL2", FTEL2);
  v.text("FSIFRE", FSIFRE);
  v.text("FGSM", FGSM);
  v.text("FTEL1", FTEL1);
  v.text("FADRES2", FADRES2);
  v.real("FTLBORC", FTLBORC);
  v.real("FTLALACAK", FTLALACAK);
  v.text("FADRES1", FADRES1);
  v.text("FULKE", FULKE);
  v.text("FAnaGrup", FAnaGrup);
  v.integer("FCARINO", FCARINO);
  v.real("FTLBAKIYE", FTLBAKIYE);
  v.text("FVERGINO", FVERGINO);
  v.text("FMAIL", FMAIL);
  v.text("FOzelKod", FOzelKod);
  v.text("FKULLANICIADI", FKULLANICIADI);
  v.text("FSATICITELEFON", FSATICITELEFON);
  v.text("FCARIKOD", FCARIKOD);
  v.text("FFAX2", FFAX2);
  v.text("FILCE", FILCE);
}
void TMobilCariBilgisi::Kopyala(const TMobilCariBilgisi& kaynak) {
  copyFields(*this, kaynak);
}

void TAcilisEkran::visitFields(FieldVisitor& v) {
  v.integer("FSiraNo", FSiraNo);
  v.text("FResim", FResim);
  v.text("FBaslik", FBaslik);
  v.text("FArama", FArama);
}

void TAcilisEkranlariki::visitFields(FieldVisitor& v) {
  v.screens("FEkranlar", FEkranlar);
}

}  // namespace vlm
