// The program's version, in one place: the executable's version record reads it, and so does
// scripts/package for the installer package ("MAJOR.MINOR.PATCH").
#define MORVELA_VERSION_MAJOR 1
#define MORVELA_VERSION_MINOR 2
#define MORVELA_VERSION_PATCH 0
