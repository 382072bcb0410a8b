#include "website.h"

#include <QFile>
#include <QHttpServer>
#include <QHttpServerRequest>
#include <QHttpServerResponse>
#include <QUrlQuery>

namespace vlm::server {

namespace {

using Status = QHttpServerResponse::StatusCode;

constexpr int kMaxField = 500;

QString page(const QString& title, const QString& body) {
  return QStringLiteral(
             "<!DOCTYPE html>\n<html lang=\"tr\"><head><meta charset=\"utf-8\">"
             "<title>%1</title><style>"
             "body{font-family:Arial,sans-serif;margin:0;background:#efefef;color:#354051}"
             "header{background:#354051;color:#fff;padding:18px 28px;font-size:22px}"
             "main{background:#fff;max-width:760px;margin:24px auto;padding:24px 32px}"
             "label{display:block;margin-top:10px;font-weight:bold}"
             "input,textarea{width:100%;padding:6px;box-sizing:border-box}"
             "button{margin-top:16px;background:#e20a17;color:#fff;border:0;padding:10px 24px}"
             ".hata{color:#e20a17}</style></head><body>"
             "<header>Velmora Otomotiv</header><main>%2</main></body></html>\n")
      .arg(title.toHtmlEscaped(), body);
}

QHttpServerResponse html(const QString& text, Status status = Status::Ok) {
  return QHttpServerResponse("text/html; charset=utf-8", text.toUtf8(), status);
}

struct FormField {
  const char* name;
  const char* label;
  bool required;
};
const FormField kFields[] = {
    {"firmaadi", "Firma Adı", true},
    {"yetkili", "Yetkili", true},
    {"telefon", "Telefon", true},
    {"mail", "E-posta", true},
    {"sehir", "Şehir", false},
    {"adres", "Adres", false},
    {"vergidairesi", "Vergi Dairesi", false},
    {"vergino", "Vergi No", false},
    {"aciklama", "Açıklama", false},
};

QString requestForm(const QUrlQuery& q, const QString& error, const QUrlQuery& filled = {}) {
  const QString id = q.queryItemValue(QStringLiteral("id"), QUrl::FullyDecoded);
  QString body = QStringLiteral(
      "<h2>B2B Kullanım İsteği</h2>"
      "<p>Bu bilgisayar sistemimizde kayıtlı değil. Bilgilerinizi "
      "bırakın, temsilcimiz sizinle iletişime geçsin.</p>");
  if (!error.isEmpty())
    body += QStringLiteral("<p class=\"hata\">%1</p>").arg(error.toHtmlEscaped());
  body +=
      QStringLiteral(
          "<form method=\"post\" action=\"formmailgonder.aspx\">"
          "<input type=\"hidden\" name=\"id\" value=\"%1\">"
          "<input type=\"hidden\" name=\"carino\" value=\"%2\">"
          "<input type=\"hidden\" name=\"kullanici\" value=\"%3\">"
          "<p>Bilgisayar ID: <b>%1</b></p>")
          .arg(id.toHtmlEscaped(),
               q.queryItemValue(QStringLiteral("carino"), QUrl::FullyDecoded).toHtmlEscaped(),
               q.queryItemValue(QStringLiteral("kullanici"), QUrl::FullyDecoded).toHtmlEscaped());
  for (const FormField& f : kFields) {
    const QString name = QString::fromLatin1(f.name);
    const QString value = filled.queryItemValue(name, QUrl::FullyDecoded).toHtmlEscaped();
    body +=
        QStringLiteral("<label for=\"%1\">%2%3</label>")
            .arg(name, QString::fromUtf8(f.label), f.required ? QStringLiteral(" *") : QString());
    body += name == QStringLiteral("aciklama")
                ? QStringLiteral("<textarea id=\"%1\" name=\"%1\" rows=\"4\">%2</textarea>")
                      .arg(name, value)
                : QStringLiteral("<input id=\"%1\" name=\"%1\" value=\"%2\">").arg(name, value);
  }
  body += QStringLiteral("<button type=\"submit\">Gönder</button></form>");
  return page(QStringLiteral("Velmora Otomotiv B2B İstek Formu"), body);
}

QString homePage(Store& store) {
  const QString news = store.setting(QStringLiteral("kayanyazi"));
  QString body = QStringLiteral(
      "<h2>Velmora Otomotiv B2B</h2>"
      "<p>Bayilerimiz ve servis noktalarımız için yedek parça sipariş sistemi.</p>"
      "<p><img src=\"resimgoster.ashx?id=900001\" alt=\"Velmora Otomotiv\" width=\"409\" "
      "height=\"100\"></p>");
  if (!news.trimmed().isEmpty()) body += QStringLiteral("<p>%1</p>").arg(news.toHtmlEscaped());
  body += QStringLiteral(
      "<p>Programı indirmek için: <a href=\"exe/VLMSetup.exe\">VLMSetup.exe</a></p>"
      "<p>Sipariş hattı: 0(212) 000 00 00 &middot; siparis@velmora.example</p>");
  return page(QStringLiteral("Velmora Otomotiv"), body);
}

}  // namespace

QString plainAddress(const QHostAddress& address) {
  bool ok = false;
  const quint32 v4 = address.toIPv4Address(&ok);
  return ok ? QHostAddress(v4).toString() : address.toString();
}

WebSite::WebSite(Store& store, Options options)
    : store_(store), options_(std::move(options)), http_(std::make_unique<QHttpServer>()) {
  http_->route("/", [this] { return html(homePage(store_)); });
  http_->route("/index.html", [this] { return html(homePage(store_)); });

  http_->route("/resimgoster.ashx", [this](const QHttpServerRequest& req) {
    bool ok = false;
    const int id = req.query().queryItemValue(QStringLiteral("id")).trimmed().toInt(&ok);
    const auto picture = ok ? store_.webPicture(id) : std::nullopt;
    if (!picture)
      return QHttpServerResponse("text/plain; charset=utf-8", QByteArray("Resim bulunamadı"),
                                 Status::NotFound);
    return QHttpServerResponse(picture->mime, picture->data);
  });

  http_->route("/formmailgonder.aspx", QHttpServerRequest::Method::Get,
               [](const QHttpServerRequest& req) { return html(requestForm(req.query(), {})); });
  http_->route(
      "/formmailgonder.aspx", QHttpServerRequest::Method::Post,
      [this](const QHttpServerRequest& req) {
        const QUrlQuery form(
            QString::fromUtf8(req.body()).replace(QLatin1Char('+'), QLatin1Char(' ')));
        QStringList lines;
        for (const FormField& f : kFields) {
          const QString v = form.queryItemValue(QString::fromLatin1(f.name), QUrl::FullyDecoded)
                                .trimmed()
                                .left(kMaxField);
          if (f.required && v.isEmpty())
            return html(
                requestForm(
                    form,
                    QStringLiteral("Lütfen %1 alanını doldurunuz.").arg(QString::fromUtf8(f.label)),
                    form),
                Status::BadRequest);
          lines << QString::fromUtf8(f.label) + QStringLiteral(": ") + v;
        }
        OutboxEntry e;
        e.created = QDateTime::currentDateTime();
        e.kind = QStringLiteral("istek");
        e.identity = form.queryItemValue(QStringLiteral("id"), QUrl::FullyDecoded).left(kMaxField);
        e.recipient = store_.setting(QStringLiteral("mail.to"));
        e.subject = QStringLiteral("B2B Kullanım İsteği");
        e.body = QStringLiteral("Bilgisayar ID: ") + e.identity + QStringLiteral("\r\n") +
                 lines.join(QStringLiteral("\r\n"));
        store_.addOutbox(e);
        return html(page(QStringLiteral("İsteğiniz alındı"),
                         QStringLiteral("<h2>İsteğiniz alındı</h2><p>Temsilcimiz en kısa "
                                        "sürede sizinle iletişime geçecektir. Bu pencereyi "
                                        "kapatabilirsiniz.</p>")));
      });

  auto echo = [](const QHttpServerRequest& req) {
    return QHttpServerResponse("text/plain", plainAddress(req.remoteAddress()).toLatin1());
  };
  http_->route("/ip", echo);
  http_->route("/ipecho", echo);

  http_->route("/exe/VLMSetup.exe", [this] {
    QByteArray bytes;
    if (!options_.installerPath.isEmpty()) {
      QFile f(options_.installerPath);
      if (!f.open(QIODevice::ReadOnly))
        return QHttpServerResponse("text/plain", QByteArray("Kurulum dosyası okunamadı"),
                                   Status::NotFound);
      bytes = f.readAll();
    } else {
      bytes = QByteArray("Velmora Otomotiv B2B kurulum paketi (demo yer tutucusu)\r\n");
    }
    QHttpServerResponse r("application/octet-stream", bytes);
    r.setHeader("Content-Disposition", "attachment; filename=\"VLMSetup.exe\"");
    return r;
  });
}

WebSite::~WebSite() = default;

quint16 WebSite::listen(const QHostAddress& address, quint16 port) {
  return http_->listen(address, port);
}

}  // namespace vlm::server
