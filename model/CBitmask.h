#pragma once

// A set of flags of enumeration E held as the bits of one int, for instance the parts of a
// project that an edit touched (CBitmask<EProjectPart>). A single flag converts to a mask,
// so flags and masks combine with | and |=.
template <class E> class CBitmask {
public:
    CBitmask() = default;
    CBitmask(E flag) : m_bits(static_cast<int>(flag)) {}
    CBitmask(const CBitmask&) = default;
    CBitmask& operator=(const CBitmask&) = default;
    virtual ~CBitmask() = default;

    static CBitmask FromBits(int bits) {
        CBitmask mask;
        mask.m_bits = bits;
        return mask;
    }

    int GetBits() const { return m_bits; }
    bool IsEmpty() const { return m_bits == 0; }
    // Whether any flag of flags is set.
    bool HasAny(const CBitmask& flags) const { return (m_bits & flags.m_bits) != 0; }
    void Clear() { m_bits = 0; }

    CBitmask& operator|=(const CBitmask& other) {
        m_bits |= other.m_bits;
        return *this;
    }
    CBitmask operator|(const CBitmask& other) const { return FromBits(m_bits | other.m_bits); }
    bool operator==(const CBitmask& other) const { return m_bits == other.m_bits; }
    bool operator!=(const CBitmask& other) const { return m_bits != other.m_bits; }

private:
    int m_bits = 0;
};
