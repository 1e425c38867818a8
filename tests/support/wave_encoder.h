// Wave files in the encodings SDL2_mixer reads, for the tests and benchmarks of the sound output.
// Header only; not part of the game.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/sdl/sdl_sound_output.h"
#include "rules/binary/little_endian.h"

namespace game::testing {

enum class WaveEncoding { kPcm8, kPcm16, kPcm24, kPcm32, kFloat32, kImaAdpcm, kMsAdpcm };

struct WaveFormat {
  WaveEncoding encoding = WaveEncoding::kPcm16;
  int frequency = SdlSoundOutput::kFrequency;
  int channels = SdlSoundOutput::kChannels;
};

namespace wave_detail {

struct Layout {
  int tag;           // the format tag of the "fmt " chunk
  int bits;          // bits per sample
  int block_align;   // bytes per frame (PCM) or per block (ADPCM)
  int block_frames;  // frames per block
};

constexpr int kAdpcmBlockBytesPerChannel = 256;
// The seven predictor coefficient pairs every Microsoft ADPCM file carries.
constexpr std::int16_t kMsAdpcmCoefficients[7][2] = {{256, 0}, {512, -256}, {0, 0},     {192, 64},
                                                     {240, 0}, {460, -208}, {392, -232}};

inline Layout LayoutOf(const WaveFormat& f) {
  const int adpcm_block = kAdpcmBlockBytesPerChannel * f.channels;
  switch (f.encoding) {
    case WaveEncoding::kPcm8:
      return {1, 8, f.channels, 1};
    case WaveEncoding::kPcm16:
      return {1, 16, 2 * f.channels, 1};
    case WaveEncoding::kPcm24:
      return {1, 24, 3 * f.channels, 1};
    case WaveEncoding::kPcm32:
      return {1, 32, 4 * f.channels, 1};
    case WaveEncoding::kFloat32:
      return {3, 32, 4 * f.channels, 1};
    case WaveEncoding::kImaAdpcm:  // 4-byte header per channel, then two samples a byte
      return {0x11, 4, adpcm_block, (adpcm_block - 4 * f.channels) * 2 / f.channels + 1};
    case WaveEncoding::kMsAdpcm:  // 7-byte header per channel holding two samples
      return {2, 4, adpcm_block, (adpcm_block - 7 * f.channels) * 2 / f.channels + 2};
  }
  return {};
}

inline void PutPcmSample(std::string& out, WaveEncoding encoding, std::int16_t s) {
  const std::uint32_t scaled = static_cast<std::uint32_t>(static_cast<std::int32_t>(s) * 65536);
  switch (encoding) {
    case WaveEncoding::kPcm8:
      out += static_cast<char>((s >> 8) + 128);
      return;
    case WaveEncoding::kPcm16:
      return Put16(out, static_cast<std::uint16_t>(s));
    case WaveEncoding::kPcm24:
      return Put24(out, scaled >> 8);
    case WaveEncoding::kPcm32:
      return Put32(out, scaled);
    case WaveEncoding::kFloat32: {
      const float f = s / 32768.0f;
      std::uint32_t bits;
      std::memcpy(&bits, &f, sizeof bits);
      return Put32(out, bits);
    }
    default:
      return;
  }
}

// One ADPCM block whose every frame has the levels `frame` (one per channel): the header holds
// the level, and all-zero codes with the smallest step (IMA) or the plain "repeat" predictor
// (Microsoft) keep the decoded samples on it.
inline void PutAdpcmBlock(std::string& out, const WaveFormat& f, const std::int16_t* frame) {
  const std::size_t end = out.size() + kAdpcmBlockBytesPerChannel * f.channels;
  if (f.encoding == WaveEncoding::kImaAdpcm) {
    for (int c = 0; c < f.channels; ++c) {
      Put16(out, static_cast<std::uint16_t>(frame[c]));
      Put16(out, 0);  // step index 0, reserved byte
    }
  } else {
    for (int c = 0; c < f.channels; ++c) out += '\0';     // predictor 0: repeat
    for (int c = 0; c < f.channels; ++c) Put16(out, 16);  // step
    for (int pass = 0; pass < 2; ++pass) {                // the two first samples
      for (int c = 0; c < f.channels; ++c) Put16(out, static_cast<std::uint16_t>(frame[c]));
    }
  }
  out.resize(end, '\0');
}

}  // namespace wave_detail

// The number of frames a file made by `EncodeWave` from `frames` frames holds: ADPCM rounds up to
// whole blocks.
inline std::size_t EncodedFrames(const WaveFormat& format, std::size_t frames) {
  const std::size_t block = wave_detail::LayoutOf(format).block_frames;
  return (frames + block - 1) / block * block;
}

// The bytes of a RIFF WAVE file holding `samples` (interleaved frames, on the 16-bit scale) in
// `format`. The ADPCM encodings only hold steady levels: every frame of a block repeats the
// block's first frame.
inline std::string EncodeWave(const WaveFormat& format, const std::vector<std::int16_t>& samples) {
  using namespace wave_detail;
  const Layout layout = LayoutOf(format);
  const std::size_t frames = samples.size() / format.channels;
  const bool adpcm = layout.block_frames > 1;

  std::string fmt;
  Put16(fmt, layout.tag);
  Put16(fmt, format.channels);
  Put32(fmt, format.frequency);
  Put32(fmt, static_cast<std::uint32_t>(static_cast<std::uint64_t>(format.frequency) *
                                        layout.block_align / layout.block_frames));
  Put16(fmt, layout.block_align);
  Put16(fmt, layout.bits);
  if (format.encoding == WaveEncoding::kImaAdpcm) {
    Put16(fmt, 2);
    Put16(fmt, layout.block_frames);
  } else if (format.encoding == WaveEncoding::kMsAdpcm) {
    Put16(fmt, 4 + 4 * 7);
    Put16(fmt, layout.block_frames);
    Put16(fmt, 7);
    for (const auto& pair : kMsAdpcmCoefficients) {
      Put16(fmt, static_cast<std::uint16_t>(pair[0]));
      Put16(fmt, static_cast<std::uint16_t>(pair[1]));
    }
  }

  std::string data;
  if (adpcm) {
    for (std::size_t f = 0; f < frames; f += layout.block_frames) {
      PutAdpcmBlock(data, format, &samples[f * format.channels]);
    }
  } else {
    for (std::int16_t s : samples) PutPcmSample(data, format.encoding, s);
  }

  std::string file = "RIFF";
  Put32(file, static_cast<std::uint32_t>(4 + 8 + fmt.size() + 8 + data.size()));
  file += "WAVEfmt ";
  Put32(file, static_cast<std::uint32_t>(fmt.size()));
  file += fmt;
  file += "data";
  Put32(file, static_cast<std::uint32_t>(data.size()));
  return file + data;
}

// `frames` frames of `channels` channels all at `level`.
inline std::vector<std::int16_t> SteadyLevel(std::size_t frames, int channels, std::int16_t level) {
  return std::vector<std::int16_t>(frames * channels, level);
}

// A stereo test signal in which no sample is 0 and no two neighbouring frames are equal: the left
// channel climbs in steps of 7 from 100 (wrapping below 16100), the right one mirrors it below 0.
inline std::vector<std::int16_t> Ramp(std::size_t frames) {
  std::vector<std::int16_t> samples;
  for (std::size_t i = 0; i < frames; ++i) {
    const auto v = static_cast<std::int16_t>(100 + (i * 7) % 16000);
    samples.push_back(v);
    samples.push_back(static_cast<std::int16_t>(-v));
  }
  return samples;
}

}  // namespace game::testing
