// The game's title, short name and icon.
#pragma once

#include <QIcon>
#include <QImage>
#include <QString>

namespace game {

inline const QString kGameTitle = QStringLiteral("ルクサリム ～放課後の思考飛躍～");
inline const QString kGameShortName = QStringLiteral("ルクサリム");

// The icon is a pink star on a green disc, laid out on a 32 by 32 grid and drawn to any size:
// the window's icon at 32 pixels, the desktop's icons at every size and as SVG.
QImage GameIconImage(int size);
QString GameIconSvg();
QIcon GameIcon();

}  // namespace game
