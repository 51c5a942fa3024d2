// Reading a whole file named by a GBK text, for services that take either
// data in memory or the name of a file holding it (tray icons, sounds).
#pragma once

#include <cstddef>
#include <vector>

namespace rt {

// The whole file (relative names from the current directory); false when it
// cannot be opened or read, or is larger than `max_size`.
bool read_whole_file(const char* gbk_name, std::size_t max_size, std::vector<unsigned char>& bytes);

}  // namespace rt
