#pragma once

namespace dashcam {

// Makes the face "Tahoma" available: when the system has none, the metric-compatible Tahoma
// that Debian's fonts-wine ships is registered with the application's font database. Needs a
// QGuiApplication; returns whether Tahoma is available afterwards.
bool RegisterTahomaIfMissing();

} // namespace dashcam
