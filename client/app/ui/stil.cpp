#include "stil.h"

#include "sekme.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QStyleFactory>
#include <QStyleOptionTab>
#include <QTabBar>

namespace vlm {

namespace {
bool g_sekmeBoyayici = false;
}

void TTabColorControlStyleHook::kaydet() {
  g_sekmeBoyayici = true;
}
bool TTabColorControlStyleHook::kayitli() {
  return g_sekmeBoyayici;
}

void TTabColorControlStyleHook::ciz(QPainter* p, const QStyleOptionTab& tab, const QStyle* stil) {
  const TSonuc s = SekmeBasligiCoz(tab.text);
  QRect r = stil->subElementRect(QStyle::SE_TabBarTabText, &tab, nullptr);
  if (!tab.icon.isNull()) {
    const QSize is = tab.iconSize.isValid() ? tab.iconSize : QSize(32, 32);
    const QRect ir(tab.rect.left() + 3, tab.rect.center().y() - is.height() / 2 + 1, is.width(),
                   is.height());
    const QIcon::Mode mode = (tab.state & QStyle::State_Enabled) ? QIcon::Normal : QIcon::Disabled;
    tab.icon.paint(p, ir, Qt::AlignCenter, mode);
    r = QRect(ir.right() + 2, tab.rect.top(), tab.rect.right() - ir.right() - 3, tab.rect.height());
  }
  const QColor metinRengi = tab.palette.color(QPalette::ButtonText);
  QRect metin = r.adjusted(0, 5, 0, -5);
  p->save();
  p->setPen(metinRengi);
  p->drawText(metin, Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextWordWrap, s.baslik);
  if (s.sayi > 0) {
    const QRect sayac = metin.adjusted(2, -3, -2, 3);
    const QString yazi = QLatin1Char('(') + QString::number(s.sayi) + QLatin1Char(')');
    // A smaller figure on a light plate: the red stays readable on the dark
    // tabs and leaves the title its room.
    QFont kucuk = p->font();
    kucuk.setPixelSize(std::max(9, p->fontInfo().pixelSize() - 3));
    p->setFont(kucuk);
    QRect plaka = p->fontMetrics().boundingRect(sayac, Qt::AlignRight | Qt::AlignTop, yazi);
    p->setRenderHint(QPainter::Antialiasing);
    p->setPen(Qt::NoPen);
    p->setBrush(QColor(255, 255, 255, 235));
    p->drawRoundedRect(QRectF(plaka).adjusted(-2, 0, 2, 0), 4, 4);
    p->setPen(QColor(255, 0, 0));
    p->drawText(sayac, Qt::AlignRight | Qt::AlignTop, yazi);
  }
  p->restore();
}

AllportsRedStyle::AllportsRedStyle()
    : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {
  setObjectName(QStringLiteral("Allports Red"));
}

QColor AllportsRedStyle::anaRenk() {
  return QColor(178, 18, 32);
}
QColor AllportsRedStyle::koyuRenk() {
  return QColor(112, 10, 20);
}

void AllportsRedStyle::polish(QPalette& pal) {
  pal = QPalette(QColor(236, 232, 232));
  pal.setColor(QPalette::Window, QColor(243, 240, 240));
  pal.setColor(QPalette::WindowText, QColor(34, 34, 34));
  pal.setColor(QPalette::Base, Qt::white);
  pal.setColor(QPalette::AlternateBase, QColor(239, 239, 239));
  pal.setColor(QPalette::Text, QColor(30, 30, 30));
  pal.setColor(QPalette::Button, QColor(236, 230, 230));
  pal.setColor(QPalette::ButtonText, QColor(40, 30, 30));
  pal.setColor(QPalette::Highlight, anaRenk());
  pal.setColor(QPalette::HighlightedText, Qt::white);
  pal.setColor(QPalette::ToolTipBase, QColor(255, 250, 235));
  pal.setColor(QPalette::ToolTipText, QColor(30, 30, 30));
  pal.setColor(QPalette::Link, anaRenk());
  pal.setColor(QPalette::Disabled, QPalette::Text, QColor(150, 150, 150));
  pal.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(150, 150, 150));
  pal.setColor(QPalette::Disabled, QPalette::WindowText, QColor(150, 150, 150));
}

void AllportsRedStyle::drawControl(ControlElement element, const QStyleOption* opt, QPainter* p,
                                   const QWidget* w) const {
  if (element == CE_TabBarTabShape) {
    if (const auto* tab = qstyleoption_cast<const QStyleOptionTab*>(opt)) {
      const bool secili = tab->state & State_Selected;
      const bool ustunde = tab->state & State_MouseOver;
      QRectF r = QRectF(tab->rect).adjusted(1, secili ? 0 : 3, -1, 0);
      QLinearGradient g(r.topLeft(), r.bottomLeft());
      if (secili) {
        g.setColorAt(0, QColor(214, 38, 52));
        g.setColorAt(1, anaRenk());
      } else {
        const QColor ust = ustunde ? QColor(120, 58, 64) : QColor(92, 44, 50);
        g.setColorAt(0, ust);
        g.setColorAt(1, ust.darker(125));
      }
      p->save();
      p->setRenderHint(QPainter::Antialiasing);
      p->setPen(QPen(koyuRenk(), 1));
      p->setBrush(g);
      QPainterPath path;
      path.addRoundedRect(r.adjusted(0.5, 0.5, -0.5, 6), 5, 5);
      p->setClipRect(tab->rect);
      p->drawPath(path);
      p->restore();
      return;
    }
  }
  if (element == CE_TabBarTabLabel) {
    if (const auto* tab = qstyleoption_cast<const QStyleOptionTab*>(opt)) {
      // Tab captions are white on the red and dark tabs.
      QStyleOptionTab beyaz(*tab);
      beyaz.palette.setColor(QPalette::WindowText, Qt::white);
      beyaz.palette.setColor(QPalette::ButtonText, Qt::white);
      if (TTabColorControlStyleHook::kayitli())
        TTabColorControlStyleHook::ciz(p, beyaz, this);
      else
        QProxyStyle::drawControl(element, &beyaz, p, w);
      return;
    }
  }
  QProxyStyle::drawControl(element, opt, p, w);
}

QSize AllportsRedStyle::sizeFromContents(ContentsType type, const QStyleOption* opt,
                                         const QSize& size, const QWidget* w) const {
  if (type == CT_TabBarTab && w) {
    const QVariant sabit = w->property("sekmeBoyutu");
    if (sabit.isValid()) return sabit.toSize();
  }
  return QProxyStyle::sizeFromContents(type, opt, size, w);
}

int AllportsRedStyle::pixelMetric(PixelMetric metric, const QStyleOption* opt,
                                  const QWidget* w) const {
  if (metric == PM_TabBarTabShiftVertical) return 0;
  return QProxyStyle::pixelMetric(metric, opt, w);
}

void StilUygula(const QString& ad) {
  if (ad == QLatin1String("Allports Red")) {
    auto* stil = new AllportsRedStyle;
    QApplication::setStyle(stil);
    QApplication::setPalette(stil->standardPalette());
    QPalette pal;
    stil->polish(pal);
    QApplication::setPalette(pal);
  }
}

}  // namespace vlm
