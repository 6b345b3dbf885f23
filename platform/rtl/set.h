#pragma once
// A small set of enumeration values, as the platform's set types (component state, shift state,
// anchors, font styles).
#include <cstdint>
#include <initializer_list>

template <class E>
class TSet {
  public:
    constexpr TSet() = default;
    constexpr TSet(std::initializer_list<E> items) {
        for (E e : items) bits_ |= Bit(e);
    }
    constexpr bool Contains(E e) const { return (bits_ & Bit(e)) != 0; }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr TSet& Include(E e) {
        bits_ |= Bit(e);
        return *this;
    }
    constexpr TSet& Exclude(E e) {
        bits_ &= ~Bit(e);
        return *this;
    }
    constexpr TSet operator+(TSet o) const { return FromBits(bits_ | o.bits_); }
    constexpr TSet operator-(TSet o) const { return FromBits(bits_ & ~o.bits_); }
    constexpr TSet operator*(TSet o) const { return FromBits(bits_ & o.bits_); }
    constexpr bool operator==(const TSet&) const = default;
    constexpr std::uint32_t Bits() const { return bits_; }
    static constexpr TSet FromBits(std::uint32_t bits) {
        TSet s;
        s.bits_ = bits;
        return s;
    }

  private:
    static constexpr std::uint32_t Bit(E e) { return std::uint32_t{1} << static_cast<unsigned>(e); }
    std::uint32_t bits_ = 0;
};
