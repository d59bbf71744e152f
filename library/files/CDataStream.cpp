#include "library/files/CDataStream.h"

#include <cstring>

CDataStream::CDataStream() : m_position(0) {}

CDataStream::~CDataStream() = default;

void CDataStream::SetData(const std::string& bytes) {
    m_data = bytes;
    m_position = 0;
}

void CDataStream::Clear() {
    m_data.clear();
    m_position = 0;
}

void CDataStream::WriteBool(bool value) {
    WriteLittleEndian(value ? 1 : 0, 1);
}

void CDataStream::WriteInt(int32_t value) {
    WriteLittleEndian(static_cast<uint32_t>(value), 4);
}

void CDataStream::WriteUInt(uint32_t value) {
    WriteLittleEndian(value, 4);
}

void CDataStream::WriteDouble(double value) {
    uint64_t bits;
    static_assert(sizeof(bits) == sizeof(value), "double must be IEEE 754 binary64");
    memcpy(&bits, &value, sizeof(bits));
    WriteLittleEndian(bits, 8);
}

void CDataStream::WriteString(const std::string& text, bool withLength) {
    if (withLength) {
        WriteUInt(static_cast<uint32_t>(text.size()));
    }
    m_data.append(text);
}

void CDataStream::WriteCString(const char* text, bool withLength) {
    WriteString(text ? std::string(text) : std::string(), withLength);
}

void CDataStream::WriteBytes(const void* bytes, uint32_t count) {
    if (bytes != nullptr && count > 0) {
        m_data.append(static_cast<const char*>(bytes), count);
    }
}

bool CDataStream::ReadBool(bool& value) {
    uint64_t byte;
    bool complete = ReadLittleEndian(byte, 1);
    value = byte != 0;
    return complete;
}

bool CDataStream::ReadInt(int32_t& value) {
    uint64_t bits;
    bool complete = ReadLittleEndian(bits, 4);
    value = static_cast<int32_t>(static_cast<uint32_t>(bits));
    return complete;
}

bool CDataStream::ReadUInt(uint32_t& value) {
    uint64_t bits;
    bool complete = ReadLittleEndian(bits, 4);
    value = static_cast<uint32_t>(bits);
    return complete;
}

bool CDataStream::ReadDouble(double& value) {
    uint64_t bits;
    bool complete = ReadLittleEndian(bits, 8);
    memcpy(&value, &bits, sizeof(value));
    return complete;
}

bool CDataStream::ReadBytes(void* bytes, uint32_t count) {
    if (bytes == nullptr) {
        return count == 0;
    }
    return Take(bytes, count) == count;
}

bool CDataStream::ReadString(std::string& target, int64_t length) {
    if (length == kStoredLength) {
        uint32_t stored;
        if (!ReadUInt(stored)) {
            return false;
        }
        length = stored;
    }
    const uint32_t remaining = Remaining();
    const bool complete = length >= 0 && length <= remaining;
    const uint32_t count = complete ? static_cast<uint32_t>(length) : remaining;
    target.assign(m_data, m_position, count);
    m_position += count;
    return complete;
}

uint32_t CDataStream::Remaining() const {
    if (m_position >= m_data.size()) {
        return 0;
    }
    const size_t remaining = m_data.size() - m_position;
    return remaining > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(remaining);
}

uint32_t CDataStream::Take(void* bytes, uint32_t count) {
    const uint32_t taken = count < Remaining() ? count : Remaining();
    if (taken > 0) {
        memcpy(bytes, m_data.data() + m_position, taken);
        m_position += taken;
    }
    return taken;
}

bool CDataStream::ReadLittleEndian(uint64_t& value, uint32_t size) {
    unsigned char bytes[8] = {};
    const bool complete = Take(bytes, size) == size;
    value = 0;
    for (uint32_t i = size; i > 0; --i) {
        value = (value << 8) | bytes[i - 1];
    }
    return complete;
}

void CDataStream::WriteLittleEndian(uint64_t value, uint32_t size) {
    for (uint32_t i = 0; i < size; ++i) {
        m_data.push_back(static_cast<char>(value & 0xFF));
        value >>= 8;
    }
}
