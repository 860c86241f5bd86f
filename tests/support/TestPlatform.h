#pragma once

#include <string>

#include "card/AppContext.h"
#include "platform/linux/IniRegistryManager.h"
#include "tests/support/CapturedDebugOutput.h"
#include "tests/support/FakeFormatter.h"
#include "tests/support/FakePcTimeZone.h"
#include "tests/support/FakeProgramHost.h"
#include "tests/support/FakeTimeZoneSource.h"
#include "tests/support/FakeViewerLink.h"
#include "tests/support/FaultyFileAccess.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestVolumes.h"

namespace dashcam::test {

// Real files, with the parts of the PC a test must control replaced: the zone, the volumes'
// removability, the program's place, the viewer, the zone catalogue, the card formatter and the
// user's answers. The
// registry stand-in reads registry.ini in the test's own folder.
struct TestPlatform {
    explicit TestPlatform(const std::string& registryLanguage = "")
        : languageWritten(Write(registryLanguage)) {}

    TempFolder home;
    bool languageWritten;
    CapturedDebugOutput debug;
    FaultyFileAccess files; // the real files unless a test makes writes fail
    FakePcTimeZone zone{-540};
    TestVolumes volumes;
    IniRegistryManager registry{home.File("registry.ini")};
    FakeProgramHost program;
    FakeViewerLink viewer;
    FakeTimeZoneSource timeZones; // empty unless the test adds zones
    ScriptedPrompt prompt;
    FakeFormatter formatter;
    PlatformServices services{debug,   files,  zone,      volumes,  registry,
                              program, viewer, timeZones, formatter};

private:
    bool Write(const std::string& language) {
        if (!language.empty()) {
            home.WriteText("registry.ini", "[HKEY_LOCAL_MACHINE\\SOFTWARE\\BREVANTIS]\nLANGUAGE=" +
                                               language + "\n");
        }
        return true;
    }
};

} // namespace dashcam::test
