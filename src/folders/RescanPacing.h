#pragma once
// When a watched folder is listed again after it changed. A burst of changes gives one rescan,
// a little after the burst's first change; two rescans of one folder start at least half a
// second apart; and after a scan the folder rests at least twice as long as the scan took, so
// a big folder under heavy change cannot keep a core busy. Portable: times are milliseconds of
// a steady clock.
#include <cstdint>
#include <optional>

namespace varolin {

class RescanPacing {
public:
    static constexpr std::uint64_t kSettleMs = 250;    // changes this close to the first are one burst
    static constexpr std::uint64_t kIntervalMs = 500;  // least time from one start to the next

    // A change was seen at `now`.
    void Changed(std::uint64_t now);
    // A scan starts at `now`, for changes or on request: it sees every change made before.
    void Started(std::uint64_t now);
    // The scan started last ended at `now`.
    void Ended(std::uint64_t now);
    // When the rescan the changes call for may start; nothing while no change waits.
    std::optional<std::uint64_t> DueAt() const;

private:
    bool m_bChanged = false;
    std::uint64_t m_firstChange = 0;  // of the changes no scan has seen yet
    std::uint64_t m_lastStart = 0;
    std::uint64_t m_notBefore = 0;    // the rest the last scan asks for
};

}  // namespace varolin
