#include "radiogroup.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vlm {

RadioGroup::RadioGroup(const QString& baslik, QWidget* parent)
    : QGroupBox(baslik, parent), grup_(new QButtonGroup(this)), yerlesim_(new QVBoxLayout(this)) {
  grup_->setExclusive(true);
  yerlesim_->setContentsMargins(10, 8, 10, 8);
  yerlesim_->setSpacing(6);
  yerlesim_->addStretch(1);
  connect(grup_, &QButtonGroup::idClicked, this, &RadioGroup::clicked);
}

void RadioGroup::clear() {
  for (QRadioButton* d : dugmeler_) {
    grup_->removeButton(d);
    delete d;
  }
  dugmeler_.clear();
  kimlikler_.clear();
}

void RadioGroup::addItem(const QString& ad, int kimlik) {
  auto* d = new QRadioButton(ad);
  d->setObjectName(QStringLiteral("secenek%1").arg(dugmeler_.size()));
  grup_->addButton(d, static_cast<int>(dugmeler_.size()));
  yerlesim_->insertWidget(yerlesim_->count() - 1, d);
  dugmeler_.append(d);
  kimlikler_.append(kimlik);
}

QString RadioGroup::itemText(int i) const {
  return i >= 0 && i < count() ? dugmeler_[i]->text() : QString();
}

int RadioGroup::itemId(int i) const {
  return i >= 0 && i < count() ? kimlikler_[i] : 0;
}

QRadioButton* RadioGroup::button(int i) const {
  return i >= 0 && i < count() ? dugmeler_[i] : nullptr;
}

int RadioGroup::itemIndex() const {
  return grup_->checkedId();
}

void RadioGroup::setItemIndex(int i) {
  if (i >= 0 && i < count()) {
    dugmeler_[i]->setChecked(true);
    return;
  }
  // An exclusive group keeps its checked button; drop the rule for a moment.
  if (QAbstractButton* d = grup_->checkedButton()) {
    grup_->setExclusive(false);
    d->setChecked(false);
    grup_->setExclusive(true);
  }
}

}  // namespace vlm
