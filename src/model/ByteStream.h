#pragma once
// Bounds-checked little-endian reading and writing of binary records. A read past the end
// fails (returns false) and leaves the position where it was; nothing is ever copied from
// outside the buffer.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace varolin {

class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> data) : m_data(data) {}

    size_t Position() const { return m_pos; }
    size_t Remaining() const { return m_data.size() - m_pos; }
    bool AtEnd() const { return m_pos == m_data.size(); }

    [[nodiscard]] bool ReadByte(std::uint8_t& value) {
        if (Remaining() < 1) return false;
        value = m_data[m_pos++];
        return true;
    }
    [[nodiscard]] bool ReadWord(std::uint16_t& value) {
        if (Remaining() < 2) return false;
        value = static_cast<std::uint16_t>(m_data[m_pos] | (m_data[m_pos + 1] << 8));
        m_pos += 2;
        return true;
    }
    [[nodiscard]] bool ReadDword(std::uint32_t& value) {
        if (Remaining() < 4) return false;
        value = 0;
        for (int i = 3; i >= 0; --i) value = (value << 8) | m_data[m_pos + static_cast<size_t>(i)];
        m_pos += 4;
        return true;
    }
    // Reads `count` raw bytes; fails without allocating when fewer remain.
    [[nodiscard]] bool ReadBytes(size_t count, std::string& out) {
        if (Remaining() < count) return false;
        out.assign(reinterpret_cast<const char*>(m_data.data() + m_pos), count);
        m_pos += count;
        return true;
    }

private:
    std::span<const std::uint8_t> m_data;
    size_t m_pos = 0;
};

class ByteWriter {
public:
    void WriteByte(std::uint8_t value) { m_bytes.push_back(value); }
    void WriteWord(std::uint16_t value) {
        m_bytes.push_back(static_cast<std::uint8_t>(value));
        m_bytes.push_back(static_cast<std::uint8_t>(value >> 8));
    }
    void WriteDword(std::uint32_t value) {
        for (int i = 0; i < 4; ++i) m_bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
    void WriteBytes(const std::string& bytes) { m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end()); }

    const std::vector<std::uint8_t>& Bytes() const { return m_bytes; }
    std::vector<std::uint8_t> Take() { return std::move(m_bytes); }

private:
    std::vector<std::uint8_t> m_bytes;
};

}  // namespace varolin
