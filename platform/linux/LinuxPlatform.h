#pragma once

#include "platform/PlatformServices.h"
#include "platform/linux/CommandMounter.h"
#include "platform/linux/IniRegistryManager.h"
#include "platform/linux/LinuxFormatter.h"
#include "platform/linux/LinuxProgramHost.h"
#include "platform/linux/LinuxVolumes.h"
#include "platform/linux/NoViewerLink.h"
#include "platform/linux/PosixFileAccess.h"
#include "platform/linux/QtPcTimeZone.h"
#include "platform/linux/QtTimeZoneSource.h"
#include "platform/linux/StderrDebugOutput.h"

namespace dashcam {

// Owns the Linux implementation of every platform service.
class LinuxPlatform {
public:
    LinuxPlatform()
        : m_services{m_debug,   m_files,  m_zone,      m_volumes,  m_registry,
                     m_program, m_viewer, m_timeZones, m_formatter} {}
    LinuxPlatform(const LinuxPlatform&) = delete;
    LinuxPlatform& operator=(const LinuxPlatform&) = delete;

    PlatformServices& Services() { return m_services; }

private:
    StderrDebugOutput m_debug;
    PosixFileAccess m_files;
    QtPcTimeZone m_zone{m_timeZones}; // names the PC zone through the catalogue's placement
    LinuxVolumes m_volumes;
    IniRegistryManager m_registry;
    LinuxProgramHost m_program;
    NoViewerLink m_viewer;
    QtTimeZoneSource m_timeZones;
    CommandMounter m_mounter;
    LinuxFormatter m_formatter{m_volumes, m_mounter};
    PlatformServices m_services;
};

} // namespace dashcam
