#include "tests/support/TempFolder.h"

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <stdlib.h>

namespace dashcam::test {

TempFolder::TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "dashcam-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot make a temporary folder");
    }
    m_path = pattern;
}

TempFolder::~TempFolder() {
    std::error_code error;
    std::filesystem::remove_all(m_path, error);
}

void TempFolder::WriteTo(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

std::vector<std::uint8_t> TempFolder::ReadFrom(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void TempFolder::Write(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
    std::filesystem::create_directories((m_path / name).parent_path());
    WriteTo((m_path / name).string(), bytes);
}

void TempFolder::WriteText(const std::string& name, const std::string& text) const {
    Write(name, std::vector<std::uint8_t>(text.begin(), text.end()));
}

std::vector<std::uint8_t> TempFolder::Read(const std::string& name) const {
    return ReadFrom((m_path / name).string());
}

bool TempFolder::Exists(const std::string& name) const {
    return std::filesystem::exists(m_path / name);
}

} // namespace dashcam::test
