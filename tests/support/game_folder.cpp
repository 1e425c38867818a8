#include "tests/support/game_folder.h"

#include <QDir>
#include <QFile>
#include <string>

#include "tests/support/disk_audio_capture.h"
#include "tests/support/wave_encoder.h"

namespace game::testing {
namespace {

void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  if (file.open(QIODevice::WriteOnly)) file.write(bytes);
}

QByteArray SteadyWave(std::int16_t level, double seconds) {
  const WaveFormat format;  // the output's own format
  const auto frames = static_cast<std::size_t>(seconds * format.frequency);
  const std::string bytes =
      EncodeWave(format, std::vector<std::int16_t>(frames * format.channels, level));
  return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

}  // namespace

GameFolder::GameFolder() : path_(QString::fromStdString(dir_.Path().string())) {
  QDir(path_).mkdir("dat");
}

void GameFolder::WriteStory(const QByteArray& bytes) const {
  WriteFile(path_ + "/dat/story.txt", bytes);
}

void GameFolder::WriteFrame(int index, QColor colour, BmpEncoding encoding) const {
  DecodedBitmap frame{500, 300, {}};
  for (int i = 0; i < frame.width * frame.height; ++i) {
    frame.rgb.insert(frame.rgb.end(), {static_cast<std::uint8_t>(colour.red()),
                                       static_cast<std::uint8_t>(colour.green()),
                                       static_cast<std::uint8_t>(colour.blue())});
  }
  WriteBmpFile((path_ + "/dat/a" + QString::number(index) + ".bmp").toStdString(), frame, encoding);
}

void GameFolder::WriteFrames(QColor colour) const {
  const BmpEncoding encodings[] = {BmpEncoding::kRgb24, BmpEncoding::kPalette8,
                                   BmpEncoding::kRle8,  BmpEncoding::kRle4,
                                   BmpEncoding::kRgb32, BmpEncoding::kPalette4};
  for (int i = 0; i < 6; ++i) WriteFrame(i, colour, encodings[i]);
}

void GameFolder::WriteSounds(std::int16_t up_level, std::int16_t miss_level, double seconds) const {
  WriteFile(path_ + "/dat/up.wav", SteadyWave(up_level, seconds));
  WriteFile(path_ + "/dat/suka.wav", SteadyWave(miss_level, seconds));
}

}  // namespace game::testing
