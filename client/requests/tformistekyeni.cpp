#include "tformistekyeni.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWebEngineView>

namespace vlm {

Tformistekyeni::Tformistekyeni(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("formistekyeni"));
  setWindowTitle(QStringLiteral("formistekyeni"));
  resize(780, 555);
  auto* ana = new QVBoxLayout(this);
  ana->setContentsMargins(0, 0, 0, 0);
  ana->setSpacing(0);
  sitem = new QWebEngineView;
  sitem->setObjectName(QStringLiteral("sitem"));
  ana->addWidget(sitem, 1);

  auto* serit = new QWidget;
  serit->setObjectName(QStringLiteral("Panel1"));
  serit->setFixedHeight(44);
  auto* h = new QHBoxLayout(serit);
  h->setContentsMargins(8, 6, 8, 6);
  Button1 = new QPushButton(QStringLiteral("Kapat"));
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setMinimumWidth(100);
  connect(Button1, &QPushButton::clicked, this, &Tformistekyeni::Button1Click);
  h->addWidget(Button1);
  h->addStretch(1);
  ana->addWidget(serit);
}

void Tformistekyeni::Button1Click() {
  close();
}

}  // namespace vlm
