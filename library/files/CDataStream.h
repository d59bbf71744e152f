#pragma once

// CDataStream: an in-memory byte buffer with a read position, through which a
// project is serialised. Writes append at the end; reads take bytes at the read
// position and advance it by the bytes actually taken, and succeed only when all
// their bytes were there. Multi-byte values are little-endian.
//
//   CDataStream out;
//   out.WriteString("Plan", true);   // 04 00 00 00 'P' 'l' 'a' 'n'
//   out.WriteDouble(40300.5);
//   CDataStream in;
//   in.SetData(out.GetData());
//   std::string name;
//   double start;
//   bool ok = in.ReadString(name) && in.ReadDouble(start);
//
// Counts read from the data are checked against the bytes that remain before any
// memory is reserved, so a damaged length cannot make a huge allocation.

#include <cstdint>
#include <string>

class CDataStream {
public:
    // ReadString's length that asks for a 4-byte length read from the stream first.
    static const int64_t kStoredLength = -1;

    CDataStream();
    virtual ~CDataStream();

    // Replaces the buffer; the read position goes back to 0.
    void SetData(const std::string& bytes);
    const std::string& GetData() const { return m_data; }
    void Rewind() { m_position = 0; }
    // Empties the buffer; the read position goes back to 0.
    void Clear();
    uint32_t GetPosition() const { return m_position; }

    void WriteBool(bool value);
    void WriteInt(int32_t value);
    void WriteUInt(uint32_t value);
    void WriteDouble(double value);
    // The bytes, preceded by their count as an unsigned 32-bit value when withLength.
    void WriteString(const std::string& text, bool withLength);
    // A zero-terminated text without its terminator; null counts as empty.
    void WriteCString(const char* text, bool withLength);
    void WriteBytes(const void* bytes, uint32_t count);

    // On a short read the value is made of the bytes that were there, the rest zero.
    bool ReadBool(bool& value);
    bool ReadInt(int32_t& value);
    bool ReadUInt(uint32_t& value);
    bool ReadDouble(double& value);
    // Copies the bytes that were there; the rest of `bytes` is left as it was.
    bool ReadBytes(void* bytes, uint32_t count);
    // Reads `length` bytes into target, or with kStoredLength a 4-byte length first.
    // A length beyond the bytes that remain (or a negative one) fails: the target
    // then holds the bytes that remained and the position is at the end.
    bool ReadString(std::string& target, int64_t length = kStoredLength);

private:
    uint32_t Remaining() const;
    // Takes up to `count` bytes at the read position; returns how many were there.
    uint32_t Take(void* bytes, uint32_t count);
    bool ReadLittleEndian(uint64_t& value, uint32_t size);
    void WriteLittleEndian(uint64_t value, uint32_t size);

    std::string m_data;
    uint32_t m_position;
};
