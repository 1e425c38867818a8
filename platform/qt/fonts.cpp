#include "platform/qt/fonts.h"

#include <QStringList>

namespace game {

QFont GothicFont(int pixel_size, bool bold) {
  QFont font;
  font.setFamilies(QStringList{QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
                               QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic"),
                               QStringLiteral("Noto Sans CJK JP"), QStringLiteral("VL PGothic"),
                               QStringLiteral("TakaoPGothic"), QStringLiteral("Sans Serif")});
  font.setPixelSize(pixel_size);
  font.setBold(bold);
  return font;
}

QFont CanvasGothicFont(int pixel_size, bool bold) {
  QFont font = GothicFont(pixel_size, bold);
  font.setHintingPreference(QFont::PreferVerticalHinting);
  return font;
}

}  // namespace game
