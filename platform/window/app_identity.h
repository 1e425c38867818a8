// The game's title, short name and icon.
#pragma once

#include <QIcon>
#include <QImage>
#include <QString>

#include "rules/story/game_texts.h"

namespace game {

inline const QString kGameTitle = QString::fromUtf8(kGameTitleText);
inline const QString kGameShortName = QString::fromUtf8(kGameShortNameText);

// The icon is a pink star on a green disc, laid out on a 32 by 32 grid and drawn to any size:
// the window's icon at 32 pixels, the desktop's icons at every size and as SVG.
QImage GameIconImage(int size);
QString GameIconSvg();
QIcon GameIcon();

}  // namespace game
