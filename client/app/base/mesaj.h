#pragma once
// Message boxes of the whole program. Every box goes through one service, so
// that tests can queue the answers and read what was shown.
#include <QString>
#include <QStringList>
#include <functional>

namespace vlm {

// Kinds (the first argument after the text of MesajGoster).
enum MesajTuru : int { mtUyari = 0, mtHata = 1, mtBilgi = 2, mtSoru = 3, mtOzel = 4 };

// Buttons, as a set.
enum MesajDugmesi : unsigned {
  mbYes = 1u << 0,
  mbNo = 1u << 1,
  mbOK = 1u << 2,
  mbCancel = 1u << 3,
  mbAbort = 1u << 4,
  mbRetry = 1u << 5,
  mbIgnore = 1u << 6,
  mbAll = 1u << 7,
  mbNoToAll = 1u << 8,
  mbYesToAll = 1u << 9,
  mbHelp = 1u << 10,
};
using MesajDugmeleri = unsigned;

// Result codes (the toolkit's modal results).
enum MesajSonucu : int {
  mrNone = 0,
  mrOk = 1,
  mrCancel = 2,
  mrAbort = 3,
  mrRetry = 4,
  mrIgnore = 5,
  mrYes = 6,
  mrNo = 7,
  mrAll = 8,
  mrNoToAll = 9,
  mrYesToAll = 10,
  mrHelp = 11,
};

// One box as asked for.
struct MesajIstegi {
  QString metin;
  int tur = mtOzel;  // kind; mtOzel and above: no title, no sound
  MesajDugmeleri dugmeler = mbOK;
  MesajDugmesi varsayilan = mbOK;
  bool duz = false;       // a plain box (ShowMessage): program title, one OK
  bool standart = false;  // the toolkit's own box: its English title and captions
};

// Title by kind: "Uyarı", "Hata", "Bilgi", "Soru"; empty for other kinds.
QString MesajBasligi(int tur);
// The toolkit's own titles: "Warning", "Error", "Information", "Confirm".
QString StandartMesajBasligi(int tur);
// Caption of a button ("Evet", "Hayır", ...); "All" keeps the toolkit's caption.
QString DugmeBasligi(MesajDugmesi dugme);
// Result code of a button.
int DugmeSonucu(MesajDugmesi dugme);

class MessageService {
 public:
  virtual ~MessageService() = default;
  // Shows the box modally on the user-interface thread and returns the result code.
  virtual int show(const MesajIstegi& istek) = 0;
};

// The service in use; a test installs its own. Not owned.
void setMessageService(MessageService* service);
MessageService* messageService();

// Shows a message box; from another thread the call is handed to the
// user-interface thread and waits there until the box is closed.
int MesajGoster(const QString& metin, int tur, MesajDugmeleri dugmeler, MesajDugmesi varsayilan);
// A plain box with one OK button, for texts that come as they are (error texts).
void ShowMessage(const QString& metin);
// The toolkit's standard box of a kind with one OK button.
void StandartMesaj(const QString& metin, int tur);

// A service for tests: answers from a queue (when it is empty, the default
// button's result, as if Enter was pressed), and remembers what was shown.
class ScriptedMessages : public MessageService {
 public:
  ScriptedMessages();            // installs itself
  ~ScriptedMessages() override;  // puts the previous service back
  int show(const MesajIstegi& istek) override;

  void queue(int sonuc) { answers_.append(sonuc); }
  // Called as each box is "shown", to look at the program's state then.
  std::function<void(const MesajIstegi&)> onShow;
  const QList<MesajIstegi>& shown() const { return shown_; }
  QStringList texts() const;
  void clear() {
    shown_.clear();
    answers_.clear();
  }

 private:
  MessageService* previous_;
  QList<int> answers_;
  QList<MesajIstegi> shown_;
};

}  // namespace vlm
