#pragma once

#include <cstdint>
#include <cstdio>
#include <regex>
#include <string>

namespace dashcam::test {

// The real tools a card image is made and inspected with: truncate, mkfs, minfo, mdir, fsck.
struct CardImageTools {
    // Runs a shell command, returning its standard output and error; exit code in `status`.
    static std::string Run(const std::string& command, int* status = nullptr) {
        std::string output;
        FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
        if (pipe == nullptr) {
            return output;
        }
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
            output.append(buffer, n);
        }
        const int code = ::pclose(pipe);
        if (status != nullptr) {
            *status = code;
        }
        return output;
    }
    static bool Present(const std::string& tools) {
        int status = 0;
        Run("for t in " + tools + "; do command -v $t || exit 1; done", &status);
        return status == 0;
    }
    // A sparse image of that size, with a file system made by the command (may be empty).
    static bool MakeImage(const std::string& path, std::uint64_t bytes, const std::string& mkfs) {
        int status = 0;
        Run("truncate -s " + std::to_string(bytes) + " '" + path + "'" +
                (mkfs.empty() ? "" : " && " + mkfs + " '" + path + "'"),
            &status);
        return status == 0;
    }
    // The cluster size in bytes that minfo reads from the image; 0 when it cannot.
    static std::uint32_t MinfoClusterBytes(const std::string& image) {
        const std::string info = Run("minfo -i '" + image + "' ::");
        std::smatch sector, cluster;
        if (!std::regex_search(info, sector, std::regex("sector size: (\\d+) bytes")) ||
            !std::regex_search(info, cluster, std::regex("cluster size: (\\d+) sectors"))) {
            return 0;
        }
        return static_cast<std::uint32_t>(std::stoul(sector[1]) * std::stoul(cluster[1]));
    }
    // fsck.fat finds no fault and gives no warning.
    static bool FsckClean(const std::string& image, std::string* said = nullptr) {
        int status = 0;
        const std::string output = Run("fsck.fat -n '" + image + "'", &status);
        if (said != nullptr) {
            *said = output;
        }
        return status == 0 && output.find("WARNING") == std::string::npos;
    }
};

} // namespace dashcam::test
