#include "platform/window/accessibility.h"

#include <QAccessibleWidget>
#include <QStringList>
#include <algorithm>

#include "platform/graphics/unit_bmp.h"
#include "platform/qt/sjis_decoder.h"
#include "platform/window/paint_box.h"
#include "platform/window/spoken_text.h"
#include "platform/window/unit_form.h"

namespace game {
namespace {

// The picture as a screen reader reads it: a notification whose text is the page, one line per
// page line; its label child (SpokenLabel) carries the page as its name. It has no caret and no
// selection; each character's box is its line's box on the picture, where the renderer writes
// that line.
class PictureAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
 public:
  explicit PictureAccessible(PaintBox* box)
      : QAccessibleWidget(box, QAccessible::Notification), box_(*box) {}

  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    state.readOnly = true;
    state.multiLine = true;
    return state;
  }
  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }

  QString text(int start, int end) const override {
    const QString& page = box_.PageText();
    start = std::clamp(start, 0, static_cast<int>(page.size()));
    end = end < 0 ? static_cast<int>(page.size()) : std::clamp(end, start, int(page.size()));
    return page.mid(start, end - start);
  }
  int characterCount() const override { return static_cast<int>(box_.PageText().size()); }
  QRect characterRect(int offset) const override {
    const int line = static_cast<int>(box_.PageText().left(std::max(offset, 0)).count('\n'));
    return QRect(box_.mapToGlobal(LineBox(line).topLeft()), LineBox(line).size());
  }
  int offsetAtPoint(const QPoint& point) const override {
    const QPoint local = box_.mapFromGlobal(point);
    const QStringList lines = box_.PageText().split('\n');
    int offset = 0;
    for (int line = 0; line < lines.size(); offset += int(lines[line++].size()) + 1) {
      if (LineBox(line).contains(local)) return offset;
    }
    return -1;
  }
  QString attributes(int, int* start, int* end) const override {
    *start = 0;
    *end = characterCount();
    return {};
  }

  void selection(int, int* start, int* end) const override { *start = *end = 0; }
  int selectionCount() const override { return 0; }
  void addSelection(int, int) override {}
  void removeSelection(int) override {}
  void setSelection(int, int, int) override {}
  int cursorPosition() const override { return 0; }
  void setCursorPosition(int) override {}
  void scrollToSubstring(int, int) override {}

 private:
  static QRect LineBox(int line) {
    return QRect(UnitBmp::kTextX, UnitBmp::kTextY + UnitBmp::kLineStep * line,
                 UnitBmp::kWidth - UnitBmp::kTextX, UnitBmp::kLineStep);
  }

  const PaintBox& box_;
};

// A label whose name is its text.
class SpokenLabelAccessible : public QAccessibleWidget {
 public:
  explicit SpokenLabelAccessible(SpokenLabel* label)
      : QAccessibleWidget(label, QAccessible::StaticText), label_(*label) {}

  QString text(QAccessible::Text kind) const override {
    return kind == QAccessible::Name ? label_.Text() : QAccessibleWidget::text(kind);
  }

 private:
  const SpokenLabel& label_;
};

QAccessibleInterface* WindowAccessible(const QString&, QObject* object) {
  if (auto* box = dynamic_cast<PaintBox*>(object)) return new PictureAccessible(box);
  if (auto* label = dynamic_cast<SpokenLabel*>(object)) return new SpokenLabelAccessible(label);
  if (auto* notice = dynamic_cast<SpokenNotice*>(object)) {
    return new QAccessibleWidget(notice, QAccessible::Notification);
  }
  if (auto* form = dynamic_cast<TFormMain*>(object)) {
    return new QAccessibleWidget(form, QAccessible::Window);
  }
  return nullptr;
}

}  // namespace

void InstallAccessibility() { QAccessible::installFactory(&WindowAccessible); }

}  // namespace game
