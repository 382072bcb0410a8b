#pragma once
// The records that cross the wire between the client and the server, in
// their JSON object form (objectform.h). Each field is private, named "F"
// plus its property; a property is read straight from its field and written
// through a setter that only stores the value. Fields are declared in the
// order of the object form's "fields" member.
#include <QString>
#include <memory>
#include <vector>

namespace vlm {

class TAcilisEkran;

// Walks a record's fields in declaration order, by their names with "F".
class FieldVisitor {
 public:
  virtual ~FieldVisitor() = default;
  virtual void text(const char* name, QString& v) = 0;
  virtual void integer(const char* name, qint32& v) = 0;
  virtual void real(const char* name, double& v) = 0;
  virtual void boolean(const char* name, bool& v) = 0;
  virtual void screens(const char* name, std::vector<std::unique_ptr<TAcilisEkran>>& v) = 0;
};

// What every record offers the object form: its type name ("module.Class")
// and its fields.
class TRecord {
 public:
  TRecord() = default;
  virtual ~TRecord() = default;
  TRecord(const TRecord&) = delete;
  TRecord& operator=(const TRecord&) = delete;

  virtual const char* typeName() const = 0;
  virtual void visitFields(FieldVisitor& v) = 0;
};

// Builds an empty record of a type name with its starting values; nullptr
// for a name that is not one of the six.
std::unique_ptr<TRecord> createRecord(QStringView typeName);

#define VLM_TEXT(Name)               \
 public:                             \
  const QString& Name() const {      \
    return F##Name;                  \
  }                                  \
  void Set##Name(const QString& v) { \
    F##Name = v;                     \
  }                                  \
                                     \
 private:                            \
  QString F##Name;

#define VLM_INT(Name, start) \
 public:                     \
  qint32 Name() const {      \
    return F##Name;          \
  }                          \
  void Set##Name(qint32 v) { \
    F##Name = v;             \
  }                          \
                             \
 private:                    \
  qint32 F##Name = start;

#define VLM_REAL(Name)       \
 public:                     \
  double Name() const {      \
    return F##Name;          \
  }                          \
  void Set##Name(double v) { \
    F##Name = v;             \
  }                          \
                             \
 private:                    \
  double F##Name = 0;

#define VLM_BOOL(Name)     \
 public:                   \
  bool Name() const {      \
    return F##Name;        \
  }                        \
  void Set##Name(bool v) { \
    F##Name = v;           \
  }                        \
                           \
 private:                  \
  bool F##Name = false;

// The login record: user, customer account, sales representative and
// workstation. Customer type and version start at 1.
class TSonucBilgisi : public TRecord {
 public:
  static constexpr const char* kTypeName = "baglantiu.TSonucBilgisi";
  const char* typeName() const override { return kTypeName; }
  void visitFields(FieldVisitor& v) override;
  void Kopyala(const TSonucBilgisi& kaynak);

  VLM_TEXT(BILGISAYARID)
  VLM_TEXT(SaticiMail)
  VLM_INT(Sirano, 0)
  VLM_TEXT(CariAdi)
  VLM_TEXT(SIFRE)
  VLM_INT(SaticiNo, 0)
  VLM_INT(CARINO, 0)
  VLM_INT(AKTIF, 0)
  VLM_TEXT(Kullanicimail)
  VLM_TEXT(ADI)
  VLM_TEXT(SaticiTelefon)
  VLM_TEXT(carikod)
  VLM_BOOL(Varmi)
  VLM_TEXT(SaticiAdi)
  VLM_TEXT(BilgiSayarAdi)
  VLM_TEXT(Disip)
  VLM_TEXT(Icip)
  VLM_TEXT(BilgisayarKullanici)
  VLM_INT(MusteriTipi, 1)
  VLM_INT(Version, 1)
};

// The texts under an order's lines; all start empty.
class TSiparisDipAyrinti : public TRecord {
 public:
  static constexpr const char* kTypeName = "baglantiu.TSiparisDipAyrinti";
  const char* typeName() const override { return kTypeName; }
  void visitFields(FieldVisitor& v) override;
  void Kopyala(const TSiparisDipAyrinti& kaynak);

  VLM_TEXT(SizinMesaj)
  VLM_TEXT(Durumu)
  VLM_TEXT(Veren)
  VLM_TEXT(Kargo)
  VLM_TEXT(BizimMesaj)
  VLM_TEXT(TeslimCinsi)
  VLM_TEXT(KargoCinsi)
  VLM_TEXT(SaticiNotu)
};

// Numbers of orders in each processing state.
class TTusSonuclari : public TRecord {
 public:
  static constexpr const char* kTypeName = "baglantiu.TTusSonuclari";
  const char* typeName() const override { return kTypeName; }
  void visitFields(FieldVisitor& v) override;
  void Kopyala(const TTusSonuclari& kaynak);

  VLM_INT(Alindi, 0)
  VLM_INT(Onaylandi, 0)
  VLM_INT(ParcaliHazirlandi, 0)
  VLM_INT(SevkEdildi, 0)
  VLM_INT(Hazirlandi, 0)
  VLM_INT(Goruldu, 0)
};

// The address and contact card of the customer account of a workstation.
class TMobilCariBilgisi : public TRecord {
 public:
  static constexpr const char* kTypeName = "mobilstokunit.TMobilCariBilgisi";
  const char* typeName() const override { return kTypeName; }
  void visitFields(FieldVisitor& v) override;
  void Kopyala(const TMobilCariBilgisi& kaynak);

  VLM_TEXT(BILGISAYARID)
  VLM_TEXT(SEHIR)
  VLM_TEXT(FAX1)
  VLM_TEXT(SATICIMAIL)
  VLM_TEXT(SATICIADI)
  VLM_TEXT(CARIADI)
  VLM_TEXT(EMAIL)
  VLM_TEXT(VERGIDAIRESI)
  VLM_TEXT(YETKILI)
  VLM_TEXT(AltGrup)
  VLM_TEXT(TEL2)
  VLM_TEXT(SIFRE)
  VLM_TEXT(GSM)
  VLM_TEXT(TEL1)
  VLM_TEXT(ADRES2)
  VLM_REAL(TLBORC)
  VLM_REAL(TLALACAK)
  VLM_TEXT(ADRES1)
  VLM_TEXT(ULKE)
  VLM_TEXT(AnaGrup)
  VLM_INT(CARINO, 0)
  VLM_REAL(TLBAKIYE)
  VLM_TEXT(VERGINO)
  VLM_TEXT(MAIL)
  VLM_TEXT(OzelKod)
  VLM_TEXT(KULLANICIADI)
  VLM_TEXT(SATICITELEFON)
  VLM_TEXT(CARIKOD)
  VLM_TEXT(FAX2)
  VLM_TEXT(ILCE)
};

// One announcement or opening advertisement; the picture is hexadecimal text.
class TAcilisEkran : public TRecord {
 public:
  static constexpr const char* kTypeName = "mobilstokunit.TAcilisEkran";
  const char* typeName() const override { return kTypeName; }
  void visitFields(FieldVisitor& v) override;

  VLM_INT(SiraNo, 0)
  VLM_TEXT(Resim)
  VLM_TEXT(Baslik)
  VLM_TEXT(Arama)
};

// A list of opening screens; the elements belong to the list.
class TAcilisEkranlariki : public TRecord {
 public:
  static constexpr const char* kTypeName = "mobilstokunit.TAcilisEkranlariki";
  using Liste = std::vector<std::unique_ptr<TAcilisEkran>>;
  const char* typeName() const override { return kTypeName; }
  void visitFields(FieldVisitor& v) override;

  const Liste& Ekranlar() const { return FEkranlar; }
  Liste& Ekranlar() { return FEkranlar; }
  void SetEkranlar(Liste v) { FEkranlar = std::move(v); }

 private:
  Liste FEkranlar;
};

#undef VLM_TEXT
#undef VLM_INT
#undef VLM_REAL
#undef VLM_BOOL

}  // namespace vlm
