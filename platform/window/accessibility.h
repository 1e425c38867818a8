// What assistive technology (a screen reader, through Qt's accessibility bridge) finds in the
// window: the window is a frame; the picture is a notification whose name and read-only text are
// what shows of the page's lines (a line wider than the picture is cut where the picture cuts
// it); the special-move button's name says what it does and how many uses are left.
//
// The picture is a notification because a new page must be spoken while the focus stays on the
// button the player pressed. Screen readers present a notification each time it is shown, so
// every new page shows the picture anew (PaintBox::SetPageText); changed texts and names they
// present only for the focused control.
#pragma once

#include <QString>
#include <functional>
#include <string_view>

#include "story/unit_story.h"

namespace game {

// What the picture says when the page shows no text.
inline const QString kEmptyPageText = QStringLiteral("（文章なし）");

// The part of a page line that can show: what the picture draws of it
// (OffscreenBitmap::VisibleHead at the text's x), a view into the line.
using VisibleHeadOf = std::function<std::string_view(std::string_view line)>;

// What a sighted player can read of the page: of the first `count` lines, the heads that show,
// decoded from Shift-JIS and joined by line feeds; kEmptyPageText when they hold nothing but
// blanks. A line of any length costs about what shows of it.
QString ReadablePage(const UnitStory::PageLineViews& lines, int count,
                     const VisibleHeadOf& visible_head);

// The special-move button's accessible name: the move and how many uses are left, e.g.
// "必殺技ルクサリム（残り7回）". Its caption stays the star and the full-width digit.
QString SpecialButtonName(int uses_left);

// Registers the window's accessible interfaces with Qt. Safe to call more than once.
void InstallAccessibility();

}  // namespace game
