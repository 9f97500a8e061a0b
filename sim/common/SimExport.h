#pragma once

// What every simulated store runtime exports besides the store's own functions.
#if defined(_WIN32)
#define VYRO_SIM_EXPORT __declspec(dllexport)
#else
#define VYRO_SIM_EXPORT __attribute__((visibility("default")))
#endif

extern "C" {

// Programs the simulator and reads what it saw; `json` is one control request, the reply is JSON
// text valid until this thread's next control call.
VYRO_SIM_EXPORT const char* VyroSim_Control(const char* json);

} // extern "C"
