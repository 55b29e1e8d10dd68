// Points a 32-bit executable's header at its load configuration: the data directory entry of the load
// configuration gets the address of the section ".00cfg" and the size that the record there names in
// its first field. GNU ld 2.40 leaves that entry empty for a 32-bit program. Run on the host after the
// link, before the executable is used; ends with a message and 1 when the file is not as expected.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::uint32_t Read32(const std::vector<char>& bytes, std::size_t at) {
  std::uint32_t value = 0;
  std::memcpy(&value, bytes.data() + at, sizeof value);
  return value;
}

void Write32(std::vector<char>& bytes, std::size_t at, std::uint32_t value) {
  std::memcpy(bytes.data() + at, &value, sizeof value);
}

int Fail(const char* why) {
  std::fprintf(stderr, "load_config: %s\n", why);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return Fail("usage: load_config EXECUTABLE");
  std::vector<char> bytes;
  {
    std::ifstream in(argv[1], std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  if (bytes.size() < 0x40 || bytes[0] != 'M' || bytes[1] != 'Z') return Fail("not an executable");
  const std::size_t pe = Read32(bytes, 0x3C);
  if (pe + 24 + 96 + 16 * 8 > bytes.size() || std::memcmp(bytes.data() + pe, "PE\0\0", 4) != 0)
    return Fail("no PE header");
  const std::size_t coff = pe + 4;
  std::uint16_t sections = 0, optionalSize = 0, magic = 0;
  std::memcpy(&sections, bytes.data() + coff + 2, 2);
  std::memcpy(&optionalSize, bytes.data() + coff + 16, 2);
  const std::size_t optional = coff + 20;
  std::memcpy(&magic, bytes.data() + optional, 2);
  if (magic != 0x10B) return Fail("not a 32-bit executable");
  const std::size_t loadConfigEntry = optional + 96 + 10 * 8;
  const std::size_t table = optional + optionalSize;
  for (std::uint16_t i = 0; i < sections; ++i) {
    const std::size_t header = table + i * 40;
    if (header + 40 > bytes.size()) return Fail("the section table runs past the file");
    if (std::strncmp(bytes.data() + header, ".00cfg", 8) != 0) continue;
    const std::uint32_t address = Read32(bytes, header + 12);
    const std::uint32_t raw = Read32(bytes, header + 20);
    if (raw + 4 > bytes.size()) return Fail("the load configuration lies past the file");
    Write32(bytes, loadConfigEntry, address);
    Write32(bytes, loadConfigEntry + 4, Read32(bytes, raw));
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return out ? 0 : Fail("the executable could not be written");
  }
  return Fail("no section .00cfg");
}
