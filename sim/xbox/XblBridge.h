#pragma once

// How Microsoft.Xbox.Services.GDK.C.Thunks.dll reaches the Xbox services library, which lives in
// xgameruntime.dll beside the runtime whose queues, users and journal it shares: the thunks file
// links against the runtime file and forwards each export through this table, so the process has one
// state however the two files are loaded.
#include "SimExport.h"
#include "channels/xbox/XblApi.h"

extern "C" {

VYRO_SIM_EXPORT const Vyro::Xbl::XblApi* VyroSim_XblServices();

} // extern "C"
