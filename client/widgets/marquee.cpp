#include "marquee.h"

#include <QPainter>
#include <QTextDocument>

namespace vlm {

Marquee::Marquee(QWidget* parent) : QWidget(parent) {
  timer_.setInterval(30);
  connect(&timer_, &QTimer::timeout, this, [this] {
    if (totalWidth_ <= 0) return;
    offset_ -= 1.5;
    if (offset_ < -totalWidth_) offset_ = width();
    update();
  });
}

Marquee::~Marquee() {
  qDeleteAll(docs_);
}

void Marquee::clear() {
  items_.clear();
  layoutItems();
}

void Marquee::addItem(const QString& text, ItemStyle style) {
  items_.append({text, style});
  layoutItems();
}

void Marquee::setItemSpacing(int pixels) {
  spacing_ = pixels;
  layoutItems();
}

void Marquee::start() {
  offset_ = width();
  timer_.start();
}

void Marquee::stop() {
  timer_.stop();
}

void Marquee::resizeEvent(QResizeEvent*) {
  layoutItems();
}

void Marquee::layoutItems() {
  qDeleteAll(docs_);
  docs_.clear();
  totalWidth_ = 0;
  for (const Item& item : items_) {
    auto* doc = new QTextDocument;
    doc->setDefaultFont(font());
    doc->setDocumentMargin(0);
    QString css = QStringLiteral("color: %1;").arg(palette().color(QPalette::WindowText).name());
    doc->setDefaultStyleSheet(QStringLiteral("body{%1}").arg(css));
    if (item.style == ItemStyle::SimpleHtml)
      doc->setHtml(item.text);
    else
      doc->setPlainText(item.text);
    totalWidth_ += doc->idealWidth() + spacing_;
    docs_.append(doc);
  }
  update();
}

void Marquee::paintEvent(QPaintEvent*) {
  QPainter p(this);
  qreal x = offset_;
  for (QTextDocument* doc : docs_) {
    const qreal h = doc->size().height();
    p.save();
    p.translate(x, (height() - h) / 2.0);
    doc->drawContents(&p);
    p.restore();
    x += doc->idealWidth() + spacing_;
  }
}

}  // namespace vlm
