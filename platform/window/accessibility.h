// What assistive technology (a screen reader, through Qt's accessibility bridge) finds in the
// window: the window is a frame; the picture is a notification without a name whose read-only
// text is the page's lines, holding one label whose name is the page too; the special-move
// button's name says what it does and how many uses are left; under that button lies a
// notification that shows nothing on the screen, whose label says what a miss did.
//
// The picture is a notification because a new page must be spoken while the focus stays on the
// button the player pressed. Screen readers present a notification each time it is shown, so
// every new page shows the picture anew (PaintBox::SetPageText); changed texts and names they
// present only for the focused control. Orca reads a notification's labels on the braille line
// (spoken_text.h).
#pragma once

#include <QString>
#include <array>
#include <string>

#include "story/unit_story.h"

namespace game {

// What the picture says when the page shows no text.
inline const QString kEmptyPageText = QStringLiteral("（文章なし）");

using PageLineArray = std::array<std::string, UnitStory::kMaxPageLines>;

// The first `count` lines decoded from Shift-JIS, joined by line feeds; kEmptyPageText when
// they hold nothing but blanks.
QString ReadablePage(const PageLineArray& lines, int count);

// The special-move button's accessible name: the move and how many uses are left, e.g.
// "必殺技ルクサリム（残り7回）". Its caption stays the star and the full-width digit.
QString SpecialButtonName(int uses_left);

// Registers the window's accessible interfaces with Qt. Safe to call more than once.
void InstallAccessibility();

}  // namespace game
