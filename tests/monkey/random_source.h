#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <random>
#include <vector>

namespace monkey {

// The random source. The engine is the standard Mersenne twister, whose
// output the standard fixes, and every draw below is a plain modulo, so a
// seed gives the same input sequence with any library.
class Random {
public:
    explicit Random(std::uint32_t seed) : m_engine(seed) {}

    unsigned Below(unsigned n) { return static_cast<unsigned>(m_engine() % n); }
    bool OneIn(unsigned n) { return Below(n) == 0; }
    int Between(int low, int high) { return low + static_cast<int>(Below(static_cast<unsigned>(high - low + 1))); }

    // An index into `weights`, drawn in proportion to them.
    unsigned Choose(std::initializer_list<unsigned> weights)
    {
        unsigned total = 0;
        for (unsigned weight : weights)
            total += weight;
        unsigned draw = Below(total);
        unsigned index = 0;
        for (unsigned weight : weights) {
            if (draw < weight)
                return index;
            draw -= weight;
            ++index;
        }
        return index - 1;
    }

    template <class T>
    const T& Pick(const std::vector<T>& items) { return items[Below(static_cast<unsigned>(items.size()))]; }

    POINT PointIn(const RECT& rect)
    {
        const int width = std::max<int>(1, rect.right - rect.left);
        const int height = std::max<int>(1, rect.bottom - rect.top);
        return {rect.left + static_cast<LONG>(Below(width)), rect.top + static_cast<LONG>(Below(height))};
    }

private:
    std::mt19937 m_engine;
};

}  // namespace monkey
