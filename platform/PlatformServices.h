#pragma once

#include "platform/DebugOutput.h"
#include "platform/FileAccess.h"
#include "platform/Formatter.h"
#include "platform/PcTimeZone.h"
#include "platform/ProgramHost.h"
#include "platform/RegistryManager.h"
#include "platform/TimeZoneSource.h"
#include "platform/ViewerLink.h"
#include "platform/Volumes.h"

namespace dashcam {

// The operating-system services the core calls, handed around by reference.
struct PlatformServices {
    IDebugOutput& debug;
    IFileAccess& files;
    IPcTimeZone& pcTimeZone;
    IVolumes& volumes;
    CRegistryManager& registry;
    IProgramHost& program;
    IViewerLink& viewer;
    ITimeZoneSource& timeZones;
    IFormatter& formatter; // formats the memory card
};

} // namespace dashcam
