#include "folders/RescanPacing.h"

#include <algorithm>

namespace varolin {

void RescanPacing::Changed(std::uint64_t now) {
    if (m_bChanged) return;
    m_bChanged = true;
    m_firstChange = now;
}

void RescanPacing::Started(std::uint64_t now) {
    m_bChanged = false;
    m_lastStart = now;
    m_notBefore = now + kIntervalMs;
}

void RescanPacing::Ended(std::uint64_t now) {
    const std::uint64_t took = now > m_lastStart ? now - m_lastStart : 0;
    m_notBefore = std::max(m_lastStart + kIntervalMs, now + 2 * took);
}

std::optional<std::uint64_t> RescanPacing::DueAt() const {
    if (!m_bChanged) return std::nullopt;
    return std::max(m_firstChange + kSettleMs, m_notBefore);
}

}  // namespace varolin
