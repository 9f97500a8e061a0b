// The file version of one build of a simulated runtime (see vyro_sim_runtime); on Windows a version
// resource carries it instead.
#include "common/FileVersionNote.h"

#if !defined(_WIN32)
VYRO_EMBED_FILE_VERSION(VYRO_SIM_VERSION_MAJOR, VYRO_SIM_VERSION_MINOR, VYRO_SIM_VERSION_BUILD,
                        VYRO_SIM_VERSION_REVISION)
#endif
