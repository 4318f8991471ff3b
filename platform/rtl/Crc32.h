// CRC-32 of the reflected polynomial 0xEDB88320 by the table method, with the register kept as it
// is at the end (no final inversion): existing installations store keys computed this way.
#pragma once

#include <cstddef>
#include <cstdint>

uint32_t Crc32Update(uint32_t crc, const void* data, size_t size);

// Register initialised to 0xFFFFFFFF, no final inversion: the complement of the usual CRC-32.
inline uint32_t Crc32Register(const void* data, size_t size) {
  return Crc32Update(0xFFFFFFFFu, data, size);
}
