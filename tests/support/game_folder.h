// A folder to start the real game in: its own dat/ with a story, six portrait frames and the two
// sounds, written by the test.
#pragma once

#include <QByteArray>
#include <QColor>
#include <QString>
#include <vector>

#include "rules/bmp/bmp_writer.h"
#include "tests/support/temp_dir.h"

namespace game::testing {

class GameFolder {
 public:
  GameFolder();  // an empty dat/

  const QString& Path() const { return path_; }
  bool Valid() const { return !path_.isEmpty(); }

  // dat/story.txt with exactly these bytes.
  void WriteStory(const QByteArray& bytes) const;
  // dat/aN.bmp: a solid 500 by 300 frame of `colour` in `encoding`.
  void WriteFrame(int index, QColor colour, BmpEncoding encoding) const;
  // Six frames of one colour in a few encodings.
  void WriteFrames(QColor colour) const;
  // dat/up.wav and dat/suka.wav: 16-bit stereo at 44100 Hz (the sound output's own format, so
  // they reach the output unchanged), each a steady level for `seconds`.
  void WriteSounds(std::int16_t up_level, std::int16_t miss_level, double seconds) const;

 private:
  TempDir dir_;
  QString path_;
};

}  // namespace game::testing
