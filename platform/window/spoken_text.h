// Text that only assistive technology reads: widgets that paint nothing and let the mouse through,
// so the screen does not change, while a screen reader finds them on the accessibility bus
// (accessibility.h gives them their roles).
//
// A screen reader presents a notification each time it is shown, without the focus moving:
// Orca speaks the notification and the labels inside it, and puts those labels on the braille
// line and in its list of past notifications. So each text to be announced is a label inside a
// notification; the notification's own name stays empty, since Orca leaves out a label whose
// text its notification's name already holds.
#pragma once

#include <QString>
#include <QWidget>

namespace game {

// A label for assistive technology: its accessible name is Text().
class SpokenLabel : public QWidget {
 public:
  // A child of `notification`, covering `area` of it (where a reader's review finds the text).
  SpokenLabel(QWidget* notification, const QRect& area);

  const QString& Text() const { return text_; }

  // Sets the text and shows the label's notification anew, which makes a screen reader present
  // it; the same text again is presented again.
  void Announce(const QString& text);

 private:
  QString text_;
};

// A notification that shows nothing on the screen, holding one SpokenLabel: for what the player
// must hear although nothing on the screen says it.
class SpokenNotice : public QWidget {
 public:
  // Covers `area` of `parent`; make it before the controls it lies under.
  SpokenNotice(QWidget* parent, const QRect& area);

  const QString& Text() const { return label_->Text(); }
  void Announce(const QString& text) { label_->Announce(text); }

 private:
  SpokenLabel* label_;
};

}  // namespace game
