#include "bench/name_mix.h"

#include <array>

namespace brixel::bench {

std::uint64_t NameMix::Random() {  // xorshift64*: fast, deterministic, good enough for names
  state_ ^= state_ >> 12;
  state_ ^= state_ << 25;
  state_ ^= state_ >> 27;
  return state_ * 0x2545F4914F6CDD1Dull;
}

std::string NameMix::Next(std::uint64_t serial) {
  static constexpr std::array<const char*, 12> kWords{"track",       "Song",  "my_song",   "Live at Home",
                                                      "intro",       "песня", "Кино",      "ёлка",
                                                      "remix.final", "DEMO",  "запись_01", "Band - Title"};
  static constexpr std::array<const char*, 10> kExtensions{".mp3", ".MP3", ".Mp3",  ".wav",    ".WAV",
                                                           ".txt", ".jpg", ".flac", ".tar.gz", ""};
  const std::uint64_t r = Random();
  std::string name = kWords[r % kWords.size()];
  name += (r >> 8) % 3 == 0 ? "_" : " ";
  name += std::to_string(serial);
  if ((r >> 12) % 7 == 0) name += ".v2";
  // Audio is about half of what people keep in such folders.
  name += kExtensions[(r >> 16) % kExtensions.size()];
  return name;
}

}  // namespace brixel::bench
