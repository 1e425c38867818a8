// What the authors' tools (story_check, story_export) set up before they check a story: the
// application object for the game's fonts and pictures, and the picture's layout as the game draws
// it.
#pragma once

#include <QGuiApplication>
#include <memory>
#include <string>

#include "rules/check/story_check.h"

namespace game::check {

// The application object. It uses the screen the game would use (for its dots per inch) and runs
// off-screen when there is none or it cannot be reached. Qt's own notes (a missing runtime folder
// and the like) are dropped, so that a tool speaks through its report alone; Qt's critical and
// fatal messages still go to standard error. `name` must outlive the application.
std::unique_ptr<QGuiApplication> StartToolApplication(char* name);

// The frames the game loads, their size and where page lines begin.
PictureLayout GamePictureLayout();

}  // namespace game::check
