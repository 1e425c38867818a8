#include "window/accessibility.h"

#include <QAccessibleWidget>
#include <QStringList>
#include <algorithm>

#include "graphics/unit_bmp.h"
#include "qt/sjis_decoder.h"
#include "window/paint_box.h"
#include "window/unit_form.h"

namespace game {
namespace {

// The picture as a screen reader reads it: a notification whose name and text are the page, one
// line per page line. It has no caret and no selection; each character's box is its line's box on
// the picture, where the renderer writes that line.
class PictureAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
 public:
  explicit PictureAccessible(PaintBox* box)
      : QAccessibleWidget(box, QAccessible::Notification), box_(*box) {}

  QString text(QAccessible::Text kind) const override {
    return kind == QAccessible::Name ? box_.PageText() : QAccessibleWidget::text(kind);
  }
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

QAccessibleInterface* WindowAccessible(const QString&, QObject* object) {
  if (auto* box = dynamic_cast<PaintBox*>(object)) return new PictureAccessible(box);
  if (auto* form = dynamic_cast<TFormMain*>(object)) {
    return new QAccessibleWidget(form, QAccessible::Window);
  }
  return nullptr;
}

}  // namespace

QString ReadablePage(const UnitStory::PageLineViews& lines, int count,
                     const VisibleHeadOf& visible_head) {
  SjisDecoder decoder;
  QStringList decoded;
  for (int i = 0; i < std::min<int>(count, static_cast<int>(lines.size())); ++i) {
    decoded << decoder.Decode(visible_head(lines[static_cast<std::size_t>(i)]));
  }
  const QString page = decoded.join('\n');
  return page.trimmed().isEmpty() ? kEmptyPageText : page;
}

QString SpecialButtonName(int uses_left) {
  return QStringLiteral("必殺技ルクサリム（残り%1回）").arg(uses_left);
}

void InstallAccessibility() { QAccessible::installFactory(&WindowAccessible); }

}  // namespace game
