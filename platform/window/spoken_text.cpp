#include "platform/window/spoken_text.h"

#include <QAccessible>

namespace game {
namespace {

void Unseen(QWidget& widget, const QRect& area) {
  widget.setGeometry(area);
  widget.setAttribute(Qt::WA_TransparentForMouseEvents);
  widget.show();
}

}  // namespace

SpokenLabel::SpokenLabel(QWidget* notification, const QRect& area) : QWidget(notification) {
  Unseen(*this, area);
}

void SpokenLabel::Announce(const QString& text) {
  text_ = text;
  QAccessibleEvent renamed(this, QAccessible::NameChanged);
  QAccessible::updateAccessibility(&renamed);
  QAccessibleEvent shown(parentWidget(), QAccessible::ObjectShow);
  QAccessible::updateAccessibility(&shown);
}

SpokenNotice::SpokenNotice(QWidget* parent, const QRect& area)
    : QWidget(parent), label_(new SpokenLabel(this, QRect(QPoint(0, 0), area.size()))) {
  Unseen(*this, area);
}

}  // namespace game
