#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace dashcam::test {

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    // The folder as a card path, ending with a separator.
    std::string CardPath() const { return m_path.string() + "/"; }
    std::string File(const std::string& name) const { return (m_path / name).string(); }

    void Write(const std::string& name, const std::vector<std::uint8_t>& bytes) const;
    void WriteText(const std::string& name, const std::string& text) const;
    std::vector<std::uint8_t> Read(const std::string& name) const;
    bool Exists(const std::string& name) const;

    static void WriteTo(const std::string& path, const std::vector<std::uint8_t>& bytes);
    static std::vector<std::uint8_t> ReadFrom(const std::string& path);

private:
    std::filesystem::path m_path;
};

} // namespace dashcam::test
