// The executable's load configuration. Its one setting that matters here: the libraries the system
// loads for the program before its first line runs (those it imports) are looked for in the system
// folder only, never beside the executable, in a download folder or on a share that users can write.
// The first line (Morvela.cpp) sets the same for the libraries loaded later.
//
// The linker keeps the record in a section of its own and does not point the header at it; the build
// does that after the link (cmake/load_config.cpp), from the section's name and the size in its first field.
#include <cstdint>

namespace {

// The fields of the system's record (IMAGE_LOAD_CONFIG_DIRECTORY32) up to the security cookie: 64
// bytes, the size every version of the system takes for a 32-bit program. The safe exception handler
// table that follows is left out, so the system checks no list of handlers.
struct LoadConfig {
  std::uint32_t size;
  std::uint32_t timeDateStamp;
  std::uint16_t majorVersion, minorVersion;
  std::uint32_t globalFlagsClear, globalFlagsSet, criticalSectionDefaultTimeout;
  std::uint32_t deCommitFreeBlockThreshold, deCommitTotalFreeThreshold, lockPrefixTable;
  std::uint32_t maximumAllocationSize, virtualMemoryThreshold, processHeapFlags, processAffinityMask;
  std::uint16_t csdVersion;
  std::uint16_t dependentLoadFlags;
  std::uint32_t editList, securityCookie;
};
static_assert(sizeof(LoadConfig) == 64);

constexpr std::uint16_t kSearchSystem32 = 0x800;  // LOAD_LIBRARY_SEARCH_SYSTEM32

}  // namespace

extern "C" __attribute__((section(".00cfg"), used)) const LoadConfig kLoadConfig = {
    sizeof(LoadConfig), 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, kSearchSystem32, 0, 0};
