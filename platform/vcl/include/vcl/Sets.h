#pragma once
// A small set of enumeration values: font styles, grid options, shift states.

#include <initializer_list>

template <class E>
class TSet {
public:
    constexpr TSet() = default;
    constexpr TSet(std::initializer_list<E> Values)
    {
        for (E Value : Values)
            Bits |= Bit(Value);
    }

    constexpr bool Contains(E Value) const { return (Bits & Bit(Value)) != 0; }
    constexpr TSet& operator<<(E Value) { Bits |= Bit(Value); return *this; }
    constexpr TSet& operator>>(E Value) { Bits &= ~Bit(Value); return *this; }
    constexpr bool Empty() const { return Bits == 0; }
    constexpr bool operator==(const TSet& Other) const = default;

private:
    static constexpr unsigned long long Bit(E Value) { return 1ull << static_cast<unsigned>(Value); }
    unsigned long long Bits = 0;
};
