// The library's file version on POSIX, where the platform reads it from this note (a Windows build
// carries it in its version resource instead).
#include "VyroVersion.h"
#include "common/FileVersionNote.h"

VYRO_EMBED_FILE_VERSION(VYRO_VERSION_MAJOR, VYRO_VERSION_MINOR, VYRO_VERSION_PATCH, 0)
