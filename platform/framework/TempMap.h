// The per-thread temporary objects that FromHandle makes for handles nobody
// wrapped. Not for the program's code.
#pragma once

#include <cstddef>
#include <memory>
#include <unordered_map>

namespace quorvel::framework {

// `Traits` says how to make a temporary for a handle, how to empty one and
// whether a handle still exists. A temporary never owns its handle, so it is
// emptied before it goes; handles keep being made (every paint has a new
// context), so temporaries of gone handles are also pruned once enough have
// piled up, not only at idle time.
template <class H, class T, class Traits>
class TempMap {
  public:
    TempMap() = default;
    TempMap(const TempMap&) = delete;
    TempMap& operator=(const TempMap&) = delete;
    ~TempMap() {
        for (auto& [h, temp] : m_map) Traits::Empty(*temp);
    }

    T* FromHandle(H h) {
        auto it = m_map.find(h);
        if (it != m_map.end()) return it->second.get();
        if (m_map.size() >= kPruneAt) Prune();
        return m_map.emplace(h, std::unique_ptr<T>(Traits::Make(h))).first->second.get();
    }

    // Drops the temporaries whose handle is gone.
    void Prune() {
        for (auto it = m_map.begin(); it != m_map.end();) {
            if (Traits::Alive(it->first)) {
                ++it;
                continue;
            }
            Traits::Empty(*it->second);
            it = m_map.erase(it);
        }
    }

  private:
    static constexpr std::size_t kPruneAt = 64;
    std::unordered_map<H, std::unique_ptr<T>> m_map;
};

}  // namespace quorvel::framework
