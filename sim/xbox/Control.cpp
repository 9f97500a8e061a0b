// The control entry point: one JSON request in, one JSON reply out. Every failure is a reply.
#include "ControlDispatch.h"
#include "ControlOps.h"
#include "SimExport.h"

extern "C" const char* VyroSim_Control(const char* json)
{
    return Vyro::Sim::AnswerControlRequest(json, Vyro::XboxSim::ControlOps());
}
