#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace dashcam {

// The user-interface language at start-up: a running companion viewer's language wins;
// otherwise the camera's menu language (the code at language_index) picks the pack; anything
// unusable, an index outside the camera's list included, gives english.
std::u16string ChooseLanguagePack(bool viewerRunning, const std::u16string& registryLanguage,
                                  const std::vector<std::u16string>& codes,
                                  std::int32_t languageIndex);

} // namespace dashcam
