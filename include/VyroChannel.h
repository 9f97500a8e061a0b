/*
 * VyroChannel: one flat C interface to the PC store the game was installed from.
 *
 * Every request takes a UTF-8 JSON parameter text (or NULL) and a result callback. The answer
 * arrives exactly once through that callback as a code and a compact JSON reply, either before
 * the call returns or later: inside VyroChannel_Tick for most stores. A NULL callback means no
 * reply is wanted; the work is still done. Call the exports from one thread at a time.
 */
#ifndef VYROCHANNEL_H
#define VYROCHANNEL_H

#if defined(_WIN32)
#  if defined(VYROCHANNEL_BUILDING)
#    define VYROCHANNEL_API __declspec(dllexport)
#  else
#    define VYROCHANNEL_API __declspec(dllimport)
#  endif
#  define VYROCHANNEL_CALL __cdecl
#else
#  if defined(VYROCHANNEL_BUILDING)
#    define VYROCHANNEL_API __attribute__((visibility("default")))
#  else
#    define VYROCHANNEL_API
#  endif
#  define VYROCHANNEL_CALL
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Receives every answer and every event: `json` is valid only during the call; copy what you keep. */
typedef void (VYROCHANNEL_CALL *ResultCallback)(int code, const char* json);

/* Receives every log line that passes the level set with VyroChannel_SetLogHandler. `line` is the
 * complete line without newline, valid only during the call. May be called from any thread. */
typedef void (VYROCHANNEL_CALL *LogHandler)(int level, const char* line);

/* Callback codes. */
enum VyroChannelCode {
    VYROCHANNEL_OK = 0,                      /* success reply */
    VYROCHANNEL_FAILED = -1,                 /* error reply */
    VYROCHANNEL_CANCELED = -6,               /* the user cancelled */
    VYROCHANNEL_GOOGLE_INIT_FAILED = -1001,  /* Play Games SDK initialisation failed */
    VYROCHANNEL_STORE_NOT_PRESENT = -1002,   /* store client/runtime missing, or it did not start the game */
    VYROCHANNEL_STORE_VERSION_MISMATCH = -1003,  /* store client/runtime version mismatch */
    VYROCHANNEL_GOOGLE_INIT_UNAVAILABLE = -1004, /* Play Games SDK initialisation failure */
    VYROCHANNEL_NO_USER = -2001,             /* the operation needs a signed-in user */
    VYROCHANNEL_ACCOUNT_NEEDS_ATTENTION = -2002 /* the Xbox account needs attention in the Xbox app */
};

/* Event types for VyroChannel_RegisterCallback; events are delivered inside VyroChannel_Tick. */
enum VyroChannelEventType {
    VYROCHANNEL_EVENT_PURCHASE_AUTHORIZATION = 0, /* Steam: in-game purchase authorised (0) or refused (-1) */
    VYROCHANNEL_EVENT_OVERLAY = 1,                /* Steam: overlay shown or hidden */
    VYROCHANNEL_EVENT_LOGIN_STATUS = 2,           /* Epic login status changed; Xbox sign-out */
    VYROCHANNEL_EVENT_SOCIAL = 3,                 /* Xbox social relationships changed */
    VYROCHANNEL_EVENT_GAME_INVITE = 4             /* Xbox game invite received */
};

/* Log levels for VyroChannel_SetLogHandler. */
enum VyroChannelLogLevel {
    VYROCHANNEL_LOG_TRACE = 0,
    VYROCHANNEL_LOG_DEBUG = 1,
    VYROCHANNEL_LOG_INFO = 2,
    VYROCHANNEL_LOG_WARNING = 3,
    VYROCHANNEL_LOG_ERROR = 4
};

/* Detects the store on first use and starts its platform. */
VYROCHANNEL_API void VYROCHANNEL_CALL VyroChannel_Load(const char* params, ResultCallback cb);
/* Stops the store platform and releases the channel; the next call detects the store again. */
VYROCHANNEL_API void VYROCHANNEL_CALL VyroChannel_Unload(const char* params, ResultCallback cb);
/* Completes or reports the store start. */
VYROCHANNEL_API void VYROCHANNEL_CALL VyroChannel_Init(const char* params, ResultCallback cb);
/* Call once per frame on the thread that should receive callbacks: pumps the store, delivers events. */
VYROCHANNEL_API void VYROCHANNEL_CALL VyroChannel_Tick(void);

/* Signs the user in. */
VYROCHANNEL_API void VYROCHANNEL_CALL VyroChannel_Login(const char* params, ResultCallback cb);
/* Hands out an identity token for the game's own servers. */
VYROCHANNEL_API void VYROCHANNEL_CALL VyroChannel_AuthToken(const char* params, ResultCallback cb);
/* Store: products with localised prices, purchase, entitlements, consumption. */
VYROCHANNEL_API void VYROCHANNEL_CALL VyroChannel_Products(const char* params, ResultCallback cb);
VYROCHANNEL_API void VYROCHANNEL_CALL VyroChannel_Checkout(const char* params, ResultCallback cb);
VYROCHANNEL_API void VYROCHANNEL_CALL VyroChannel_CheckEntitlements(const char* params, ResultCallback cb);
VYROCHANNEL_API void VYROCHANNEL_CALL VyroChannel_Consume(const char* params, ResultCallback cb);
/* Xbox services; other stores answer "Not implemented". */
VYROCHANNEL_API void VYROCHANNEL_CALL VyroChannel_Query(const char* params, ResultCallback cb);
VYROCHANNEL_API void VYROCHANNEL_CALL VyroChannel_CheckPrivilege(const char* params, ResultCallback cb);
VYROCHANNEL_API void VYROCHANNEL_CALL VyroChannel_ResolvePrivilege(const char* params, ResultCallback cb);
VYROCHANNEL_API void VYROCHANNEL_CALL VyroChannel_CheckPermission(const char* params, ResultCallback cb);
VYROCHANNEL_API void VYROCHANNEL_CALL VyroChannel_ShowTextEntry(const char* params, ResultCallback cb);
VYROCHANNEL_API void VYROCHANNEL_CALL VyroChannel_ShowProfileCard(const char* params, ResultCallback cb);
VYROCHANNEL_API void VYROCHANNEL_CALL VyroChannel_ShowMessageDialog(const char* params, ResultCallback cb);
VYROCHANNEL_API void VYROCHANNEL_CALL VyroChannel_ShowErrorDialog(const char* params, ResultCallback cb);
VYROCHANNEL_API void VYROCHANNEL_CALL VyroChannel_FriendList(const char* params, ResultCallback cb);
VYROCHANNEL_API void VYROCHANNEL_CALL VyroChannel_BlockList(const char* params, ResultCallback cb);
VYROCHANNEL_API void VYROCHANNEL_CALL VyroChannel_UserProfile(const char* params, ResultCallback cb);
VYROCHANNEL_API void VYROCHANNEL_CALL VyroChannel_Achievements(const char* params, ResultCallback cb);
VYROCHANNEL_API void VYROCHANNEL_CALL VyroChannel_Statistics(const char* params, ResultCallback cb);
VYROCHANNEL_API void VYROCHANNEL_CALL VyroChannel_Leaderboard(const char* params, ResultCallback cb);
VYROCHANNEL_API void VYROCHANNEL_CALL VyroChannel_Activity(const char* params, ResultCallback cb);
VYROCHANNEL_API void VYROCHANNEL_CALL VyroChannel_Invite(const char* params, ResultCallback cb);
VYROCHANNEL_API void VYROCHANNEL_CALL VyroChannel_RecentPlayers(const char* params, ResultCallback cb);

/* Adds a callback for an event type (several per type are allowed; all are called in order). */
VYROCHANNEL_API void VYROCHANNEL_CALL VyroChannel_RegisterCallback(int type, ResultCallback cb);
/* Removes every callback of an event type. */
VYROCHANNEL_API void VYROCHANNEL_CALL VyroChannel_UnregisterCallback(int type);
/* Installs (or, with NULL, removes) the host log handler and sets the minimum level logged at all:
 * lines below `level` are dropped; a level above 4 silences the library. Safe from any thread. */
VYROCHANNEL_API void VYROCHANNEL_CALL VyroChannel_SetLogHandler(LogHandler handler, int level);
/* Does nothing; kept for hosts that call it. */
VYROCHANNEL_API void VYROCHANNEL_CALL VyroChannel_Print(void);

/* Unity native plug-in hooks: load and unload the channel with {"source":"unity"} and no callback. */
VYROCHANNEL_API void VYROCHANNEL_CALL UnityPluginLoad(void* unityInterfaces);
VYROCHANNEL_API void VYROCHANNEL_CALL UnityPluginUnload(void);

#ifdef __cplusplus
}
#endif

#endif /* VYROCHANNEL_H */
