#include "pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>
#include <cmath>

namespace vlm {

namespace {

const QColor kKirmizi(178, 18, 32);

QPixmap blank(int w, int h) {
  QPixmap pm(w, h);
  pm.fill(Qt::transparent);
  return pm;
}

// Draws on a 24 x 24 canvas scaled to the requested size.
template <typename F>
QPixmap drawn(int boyut, F&& f) {
  QPixmap pm = blank(boyut, boyut);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(boyut / 24.0, boyut / 24.0);
  f(p);
  return pm;
}

void disk(QPainter& p, const QColor& c) {
  QRadialGradient g(QPointF(9, 8), 14);
  g.setColorAt(0, c.lighter(135));
  g.setColorAt(1, c);
  p.setPen(QPen(c.darker(140), 1));
  p.setBrush(g);
  p.drawEllipse(QRectF(1.5, 1.5, 21, 21));
}

QPen whitePen(qreal w) {
  return QPen(Qt::white, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

}  // namespace

QString stokDurumAdi(int durum) {
  switch (durum) {
    case 0: return QStringLiteral("Yok");
    case 1: return QStringLiteral("Stok mevcut");
    case 2: return QStringLiteral("Telefon Açınız");
    case 3: return QStringLiteral("Yolda");
    case 4: return QStringLiteral("Özel Sipariş");
    case 5: return QStringLiteral("Tedarik Sürecinde");
    default: return QString::number(durum);
  }
}

QPixmap stokDurumResmi(int durum, int boyut) {
  return drawn(boyut, [durum](QPainter& p) {
    switch (durum) {
      case 1: {  // in stock: a tick
        disk(p, QColor(46, 160, 67));
        p.setPen(whitePen(2.6));
        p.drawPolyline(QPolygonF({QPointF(6.5, 12.5), QPointF(10.5, 16.5), QPointF(17.5, 8)}));
        break;
      }
      case 2: {  // call us: a handset
        disk(p, QColor(237, 137, 21));
        QPainterPath h;
        h.moveTo(7, 7);
        h.cubicTo(6, 12, 12, 18, 17, 17);
        p.setPen(whitePen(3.2));
        p.setBrush(Qt::NoBrush);
        p.drawPath(h);
        p.setPen(whitePen(4));
        p.drawPoint(QPointF(7.5, 6.5));
        p.drawPoint(QPointF(17.5, 16.5));
        break;
      }
      case 3: {  // on the way: a lorry
        disk(p, QColor(33, 113, 203));
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(5, 8, 9, 6.5));
        QPainterPath cab;
        cab.moveTo(14, 10);
        cab.lineTo(17, 10);
        cab.lineTo(19, 12.5);
        cab.lineTo(19, 14.5);
        cab.lineTo(14, 14.5);
        cab.closeSubpath();
        p.drawPath(cab);
        p.drawEllipse(QPointF(8, 16), 1.8, 1.8);
        p.drawEllipse(QPointF(16, 16), 1.8, 1.8);
        break;
      }
      case 4: {  // special order: a star
        disk(p, QColor(123, 63, 176));
        QPainterPath s;
        for (int i = 0; i < 10; ++i) {
          const qreal r = (i % 2) ? 3.2 : 7.5;
          const qreal a = -M_PI / 2 + i * M_PI / 5;
          const QPointF pt(12 + r * std::cos(a), 12.5 + r * std::sin(a));
          i == 0 ? s.moveTo(pt) : s.lineTo(pt);
        }
        s.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawPath(s);
        break;
      }
      case 5: {  // being supplied: an hourglass
        disk(p, QColor(214, 170, 0));
        QPainterPath g;
        g.moveTo(7.5, 6);
        g.lineTo(16.5, 6);
        g.lineTo(12, 12);
        g.lineTo(16.5, 18);
        g.lineTo(7.5, 18);
        g.lineTo(12, 12);
        g.closeSubpath();
        p.setPen(whitePen(1.6));
        p.setBrush(Qt::white);
        p.drawPath(g);
        break;
      }
      case 0: {  // none: a cross
        disk(p, QColor(200, 35, 45));
        p.setPen(whitePen(2.8));
        p.drawLine(QPointF(8, 8), QPointF(16, 16));
        p.drawLine(QPointF(16, 8), QPointF(8, 16));
        break;
      }
      default: {
        disk(p, QColor(140, 140, 140));
        p.setPen(Qt::white);
        QFont f = p.font();
        f.setPixelSize(15);
        f.setBold(true);
        p.setFont(f);
        p.drawText(QRectF(0, 0, 24, 24), Qt::AlignCenter, QStringLiteral("?"));
      }
    }
  });
}

static QPixmap badge(int boyut, const QColor& c, const QString& text, bool on) {
  return drawn(boyut, [&](QPainter& p) {
    const QColor fill = on ? c : QColor(215, 215, 215);
    p.setPen(QPen(fill.darker(130), 1));
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(1.5, 4.5, 21, 15), 4, 4);
    p.setPen(on ? Qt::white : QColor(150, 150, 150));
    QFont f = p.font();
    f.setPixelSize(text.size() > 1 ? 8 : 12);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRectF(1.5, 4.5, 21, 15), Qt::AlignCenter, text);
  });
}

QPixmap yeniResmi(bool yeni, int boyut) {
  return badge(boyut, QColor(46, 160, 67), QStringLiteral("YENİ"), yeni);
}

QPixmap kampanyaResmi(bool kampanyali, int boyut) {
  return badge(boyut, kKirmizi, QStringLiteral("%"), kampanyali);
}

QPixmap resimVarResmi(int boyut) {
  return drawn(boyut, [](QPainter& p) {
    p.setPen(QPen(QColor(60, 72, 88), 1.4));
    p.setBrush(QColor(235, 242, 250));
    p.drawRoundedRect(QRectF(2.5, 6, 19, 14), 2.5, 2.5);
    p.setBrush(QColor(60, 72, 88));
    p.drawRoundedRect(QRectF(8, 3.5, 8, 4), 1, 1);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(12, 13), 4.2, 4.2);
    p.setBrush(QColor(33, 113, 203));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(12, 13), 2.4, 2.4);
  });
}

QIcon sekmeResmi(int indeks, int boyut) {
  QPixmap pm = drawn(boyut, [indeks](QPainter& p) {
    p.setPen(whitePen(1.8));
    p.setBrush(Qt::NoBrush);
    switch (indeks) {
      case 0:  // stock list: lines with bullets
        for (int i = 0; i < 4; ++i) {
          const qreal y = 5 + i * 4.7;
          p.drawPoint(QPointF(4.5, y));
          p.drawLine(QPointF(8, y), QPointF(20, y));
        }
        break;
      case 1: {  // statement: a page with lines
        p.drawRoundedRect(QRectF(5, 2.5, 14, 19), 1.5, 1.5);
        for (int i = 0; i < 4; ++i) p.drawLine(QPointF(8, 7 + i * 3.5), QPointF(16, 7 + i * 3.5));
        break;
      }
      case 3: {  // previous orders: a clock
        p.drawEllipse(QRectF(3, 3, 18, 18));
        p.drawLine(QPointF(12, 12), QPointF(12, 6.5));
        p.drawLine(QPointF(12, 12), QPointF(16, 14));
        break;
      }
      case 5: {  // announcements: a megaphone
        QPainterPath m;
        m.moveTo(4, 9.5);
        m.lineTo(9, 9.5);
        m.lineTo(18, 4.5);
        m.lineTo(18, 19.5);
        m.lineTo(9, 14.5);
        m.lineTo(4, 14.5);
        m.closeSubpath();
        p.drawPath(m);
        p.drawLine(QPointF(7, 14.5), QPointF(9, 20));
        break;
      }
      case 6: {  // campaign: a tag with a percent sign
        QPainterPath t;
        t.moveTo(3, 12);
        t.lineTo(11, 3.5);
        t.lineTo(20.5, 3.5);
        t.lineTo(20.5, 13);
        t.lineTo(12, 21);
        t.closeSubpath();
        p.drawPath(t);
        p.drawEllipse(QPointF(16.5, 7.5), 1.3, 1.3);
        p.drawLine(QPointF(9, 15), QPointF(14, 10));
        break;
      }
      case 7: {  // balances: a pair of scales
        p.drawLine(QPointF(12, 4), QPointF(12, 20));
        p.drawLine(QPointF(5, 7), QPointF(19, 7));
        p.drawLine(QPointF(8, 20), QPointF(16, 20));
        p.drawArc(QRectF(2, 9, 7, 6), 180 * 16, 180 * 16);
        p.drawArc(QRectF(15, 9, 7, 6), 180 * 16, 180 * 16);
        p.drawLine(QPointF(5, 7), QPointF(2.5, 12));
        p.drawLine(QPointF(5, 7), QPointF(8.5, 12));
        p.drawLine(QPointF(19, 7), QPointF(15.5, 12));
        p.drawLine(QPointF(19, 7), QPointF(21.5, 12));
        break;
      }
      case 8: {  // cart
        QPainterPath c;
        c.moveTo(2.5, 4);
        c.lineTo(5.5, 4);
        c.lineTo(8, 15.5);
        c.lineTo(18.5, 15.5);
        c.lineTo(20.5, 7.5);
        c.lineTo(6.5, 7.5);
        p.drawPath(c);
        p.drawEllipse(QPointF(9, 19), 1.6, 1.6);
        p.drawEllipse(QPointF(17.5, 19), 1.6, 1.6);
        break;
      }
      case 10: {  // new: a burst
        QPainterPath s;
        for (int i = 0; i < 16; ++i) {
          const qreal r = (i % 2) ? 6.5 : 10;
          const qreal a = i * M_PI / 8;
          const QPointF pt(12 + r * std::cos(a), 12 + r * std::sin(a));
          i == 0 ? s.moveTo(pt) : s.lineTo(pt);
        }
        s.closeSubpath();
        p.drawPath(s);
        break;
      }
      default: p.drawEllipse(QRectF(5, 5, 14, 14));
    }
  });
  return QIcon(pm);
}

QPixmap logoResmi(const QSize& boyut) {
  QPixmap pm = blank(boyut.width(), boyut.height());
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  const qreal h = boyut.height();
  // A red shield with a white V, then the name.
  QPainterPath shield;
  shield.moveTo(h * 0.10, h * 0.12);
  shield.lineTo(h * 0.80, h * 0.12);
  shield.lineTo(h * 0.80, h * 0.55);
  shield.quadTo(h * 0.80, h * 0.80, h * 0.45, h * 0.92);
  shield.quadTo(h * 0.10, h * 0.80, h * 0.10, h * 0.55);
  shield.closeSubpath();
  QLinearGradient g(0, 0, 0, h);
  g.setColorAt(0, QColor(214, 40, 52));
  g.setColorAt(1, QColor(130, 10, 22));
  p.setPen(QPen(Qt::white, h * 0.03));
  p.setBrush(g);
  p.drawPath(shield);
  p.setPen(QPen(Qt::white, h * 0.09, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPolyline(QPolygonF(
      {QPointF(h * 0.26, h * 0.30), QPointF(h * 0.45, h * 0.70), QPointF(h * 0.64, h * 0.30)}));
  QFont f(QStringLiteral("DejaVu Sans"));
  f.setBold(true);
  f.setPixelSize(int(h * 0.34));
  p.setFont(f);
  p.setPen(QColor(150, 12, 26));
  p.drawText(QRectF(h * 0.95, h * 0.12, boyut.width() - h, h * 0.45),
             Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("VELMORA"));
  f.setBold(false);
  f.setPixelSize(int(h * 0.17));
  f.setLetterSpacing(QFont::AbsoluteSpacing, h * 0.02);
  p.setFont(f);
  p.setPen(QColor(70, 70, 70));
  p.drawText(QRectF(h * 0.97, h * 0.56, boyut.width() - h, h * 0.3),
             Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("OTOMOTİV  B2B"));
  return pm;
}

QPixmap menuResmi(int boyut) {
  return drawn(boyut, [](QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(kKirmizi);
    p.drawRoundedRect(QRectF(1, 1, 22, 22), 5, 5);
    p.setPen(whitePen(2.2));
    for (int i = 0; i < 3; ++i)
      p.drawLine(QPointF(6.5, 7.5 + i * 4.5), QPointF(17.5, 7.5 + i * 4.5));
  });
}

QPixmap buyutecResmi(int boyut) {
  return drawn(boyut, [](QPainter& p) {
    p.setPen(QPen(QColor(70, 70, 70), 2.4, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(QColor(230, 240, 250));
    p.drawEllipse(QRectF(3, 3, 12, 12));
    p.setPen(QPen(kKirmizi, 3.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(14, 14), QPointF(20.5, 20.5));
  });
}

QPixmap araResmi(int boyut) {
  return drawn(boyut, [](QPainter& p) {
    p.setPen(whitePen(2.2));
    p.drawEllipse(QRectF(4, 4, 11, 11));
    p.drawLine(QPointF(13.5, 13.5), QPointF(19.5, 19.5));
  });
}

QPixmap temizleResmi(int boyut) {
  return drawn(boyut, [](QPainter& p) {
    p.setPen(whitePen(2.4));
    p.drawLine(QPointF(6, 6), QPointF(18, 18));
    p.drawLine(QPointF(18, 6), QPointF(6, 18));
  });
}

}  // namespace vlm
