#include "platform/linux/LinuxFormatter.h"

namespace dashcam {

bool LinuxFormatter::Load(std::u16string& message) {
    if (!m_desktop) {
        m_desktop.emplace(m_bus());
    }
    std::u16string desktopWhy;
    if (m_desktop->Load(desktopWhy)) {
        m_chosen = &*m_desktop;
        return true;
    }
    std::u16string directWhy;
    if (m_direct.Load(directWhy)) {
        m_chosen = &m_direct;
        return true;
    }
    m_chosen = nullptr;
    message = desktopWhy + u"\r\n" + directWhy;
    return false;
}

void LinuxFormatter::FormatEx(const FormatRequest& request, const FormatCallback& callback) {
    if (m_chosen == nullptr) {
        const unsigned char failed = 0;
        callback(kFormatDone, 0, &failed);
        return;
    }
    m_chosen->FormatEx(request, callback);
}

std::string LinuxFormatter::MountPointAfterFormat() {
    return m_chosen != nullptr ? m_chosen->MountPointAfterFormat() : std::string();
}

FormatFault LinuxFormatter::LastFault() const {
    return m_chosen != nullptr ? m_chosen->LastFault() : FormatFault::Failed;
}

bool LinuxFormatter::CardTouched() const {
    return m_chosen != nullptr && m_chosen->CardTouched();
}

std::string LinuxFormatter::LastLayout() const {
    return m_chosen != nullptr ? m_chosen->LastLayout() : std::string();
}

} // namespace dashcam
