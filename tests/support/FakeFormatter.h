#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/Formatter.h"

namespace dashcam::test {

// Erases the card folder like a format and reports as told.
class FakeFormatter : public IFormatter {
public:
    bool Load(std::u16string& message) override {
        if (loaded) {
            loaded();
        }
        if (!available) {
            message = u"no formatter here";
        }
        return available;
    }
    void FormatEx(const FormatRequest& request, const FormatCallback& callback) override {
        requests.push_back(request);
        unsigned char byte = succeed ? 1 : 0;
        mountPoint = request.driveRoot;
        if (!unmounts) { // the card stays as it was, in use
            byte = 0;
            callback(kFormatDone, 0, &byte);
            return;
        }
        for (const auto& entry : std::filesystem::directory_iterator(request.driveRoot)) {
            std::filesystem::remove_all(entry.path());
        }
        if (erased) {
            erased();
        }
        for (int i = 0; i < structureReports; ++i) {
            callback(kFormatStructureProgress, 0, nullptr);
        }
        if (!mountsAgain) { // formatted, but its mount point is left as an empty local folder
            mountPoint.clear();
            byte = 0;
        } else if (!mountAfter.empty()) {
            mountPoint = mountAfter;
        }
        callback(kFormatDone, 0, &byte);
    }
    std::string MountPointAfterFormat() override { return mountPoint; }
    FormatFault LastFault() const override { return fault; }
    std::string LastLayout() const override { return layout; }

    bool available = true;
    bool succeed = true;
    bool unmounts = true;
    bool mountsAgain = true;
    int structureReports = 5;
    std::string mountAfter; // where the card comes back; its drive root when empty
    std::string mountPoint;
    FormatFault fault = FormatFault::None; // why the format failed, when it does
    std::string layout;                    // the layout a WrongLayout fault reports
    std::vector<FormatRequest> requests;
    std::function<void()> loaded; // runs when the procedure asks for the formatter
    std::function<void()> erased; // runs when the card has been erased
};

} // namespace dashcam::test
