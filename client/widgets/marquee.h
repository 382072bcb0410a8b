#pragma once
// A line of text that scrolls from right to left, like a news ticker. Items
// may be plain text or simple HTML (bold, colour and the like).
#include <QList>
#include <QTimer>
#include <QWidget>

class QTextDocument;

namespace vlm {

class Marquee : public QWidget {
  Q_OBJECT
 public:
  enum class ItemStyle { Plain, SimpleHtml };
  struct Item {
    QString text;
    ItemStyle style = ItemStyle::Plain;
  };

  explicit Marquee(QWidget* parent = nullptr);
  ~Marquee() override;

  void clear();
  void addItem(const QString& text, ItemStyle style = ItemStyle::Plain);
  const QList<Item>& items() const { return items_; }
  void setItemSpacing(int pixels);
  void start();
  void stop();
  bool isActive() const { return timer_.isActive(); }

 protected:
  void paintEvent(QPaintEvent*) override;
  void resizeEvent(QResizeEvent*) override;

 private:
  void layoutItems();

  QList<Item> items_;
  QList<QTextDocument*> docs_;
  QTimer timer_;
  qreal offset_ = 0;
  qreal totalWidth_ = 0;
  int spacing_ = 5;
};

}  // namespace vlm
