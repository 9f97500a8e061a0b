/* A tiny game: loads the store channel, starts it, signs in, unloads, printing every answer. Each request is
 * answered exactly once, before its call returns or in a later VyroChannel_Tick, which a game calls
 * every frame. */
#include <stdio.h>

#include "VyroChannel.h"

#if defined(_WIN32)
#include <windows.h>
static void WaitOneFrame(void) { Sleep(16); }
#else
#include <time.h>
static void WaitOneFrame(void)
{
    const struct timespec frame = {0, 16 * 1000 * 1000};
    nanosleep(&frame, NULL);
}
#endif

static int answers = 0;

static void VYROCHANNEL_CALL OnAnswer(int code, const char* json)
{
    printf("answer %d: %s\n", code, json);
    fflush(stdout);
    ++answers;
}

/* Sends one request and ticks for up to ten seconds of frames until it is answered. */
static int Play(void (VYROCHANNEL_CALL *request)(const char*, ResultCallback), const char* params)
{
    const int before = answers;
    request(params, OnAnswer);
    for (int frame = 0; frame < 600 && answers == before; ++frame) {
        VyroChannel_Tick();
        WaitOneFrame();
    }
    return answers > before;
}

int main(void)
{
    const int answered = Play(VyroChannel_Load, "{\"requestId\":\"load\"}") &&
                         Play(VyroChannel_Init, "{\"requestId\":\"init\"}") &&
                         Play(VyroChannel_Login, "{\"requestId\":\"login\"}") &&
                         Play(VyroChannel_Unload, "{\"requestId\":\"unload\"}");
    printf("%s\n", answered ? "every request answered" : "a request was not answered");
    return answered ? 0 : 1;
}
