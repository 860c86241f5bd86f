#pragma once

namespace dashcam {

// Gives the skinned controls (buttons, tabs, text labels, page sliders) their accessibility
// interfaces. Call once, after the application object exists and before the first window.
void InstallSkinAccessibility();

} // namespace dashcam
