#pragma once
// The visual style "Allports Red" and the tab painter that every tab control
// of every window draws its captions with.
#include <QProxyStyle>

class QStyleOptionTab;

namespace vlm {

// The tab painter: splits a caption such as "12=Sepet" and draws the title
// with the counter in red beside it.
class TTabColorControlStyleHook {
 public:
  // Registers the painter for all tab controls; the style consults it.
  static void kaydet();
  static bool kayitli();
  // Draws the label of one tab (picture, title, counter).
  static void ciz(QPainter* p, const QStyleOptionTab& tab, const QStyle* stil);
};

class AllportsRedStyle : public QProxyStyle {
  Q_OBJECT
 public:
  AllportsRedStyle();

  void polish(QPalette& pal) override;
  void drawControl(ControlElement element, const QStyleOption* opt, QPainter* p,
                   const QWidget* w = nullptr) const override;
  QSize sizeFromContents(ContentsType type, const QStyleOption* opt, const QSize& size,
                         const QWidget* w) const override;
  int pixelMetric(PixelMetric metric, const QStyleOption* opt = nullptr,
                  const QWidget* w = nullptr) const override;

  static QColor anaRenk();   // the distributor's red
  static QColor koyuRenk();  // dark red
};

// Applies a visual style by name to the application ("Allports Red").
void StilUygula(const QString& ad);

}  // namespace vlm
