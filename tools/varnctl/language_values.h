// The language values of the TV sound (first, second and third language of
// a programme), as the driver keeps them per source and per channel. The
// command line and the CSV file both use these values; the crossbar counts
// the same languages 0, 1, 2 (SetLanguage) and answers 1, 2, 3 (GetLanguage).
#pragma once
#include <cstdint>
#include <span>

namespace tolven::varnctl {

inline constexpr uint32_t kLanguageValues[] = {1, 2, 4};

// The crossbar's index (0-2) of a language value; -1 for any other value.
inline int32_t LanguageIndex(int64_t value) {
  for (size_t i = 0; i < std::size(kLanguageValues); ++i)
    if (kLanguageValues[i] == value) return static_cast<int32_t>(i);
  return -1;
}

// The value of the crossbar's answer to GetLanguage (1-3); 0 for any other.
inline uint32_t LanguageValueOfAnswer(int32_t answer) {
  return answer >= 1 && answer <= 3 ? kLanguageValues[answer - 1] : 0;
}

}  // namespace tolven::varnctl
