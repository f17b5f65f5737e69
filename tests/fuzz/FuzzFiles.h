// Writing a fuzz input to a file, for the targets whose code under test reads files.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace dualis::fuzz {

inline void WriteFile(const std::string& name, const uint8_t* data, size_t size) {
    std::FILE* f = std::fopen(name.c_str(), "wb");
    if (!f) std::abort();
    std::fwrite(data, 1, size, f);
    std::fclose(f);
}

}  // namespace dualis::fuzz
