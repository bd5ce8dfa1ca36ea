#pragma once

#include "kvappbase_export.h"

#include <functional>

// Result codes and value types of the host's command-level calls.
enum DkRtCode { RTNONE = 5000, RTNORM = 5100, RTERROR = -5001 };
enum DkRtType { RTSHORT = 5003, RTREAL = 5001, RTSTR = 5005 };

struct resbuf
{
    resbuf* rbnext = nullptr;
    short restype = RTNONE;
    union {
        double rreal;
        short rint;
        int rlong;
    } resval = {0.0};
};

// Reads a system variable; RTNORM on success.
KVAPPBASE_EXPORT int dkedGetVar(const wchar_t* name, resbuf* result);
// Tells the host that the layer table changed; the host refreshes what shows it.
KVAPPBASE_EXPORT void kvSetLayerTableChanges();

// ---- setup for hosts and tests ---------------------------------------------
// Sets an integer system variable (created when unknown). "TILEMODE" and
// "LWUNITS" start at 1.
KVAPPBASE_EXPORT void kvSetSysVar(const wchar_t* name, short value);
// An unreadable variable makes dkedGetVar fail.
KVAPPBASE_EXPORT void kvSetSysVarReadable(const wchar_t* name, bool readable);
// Called by every kvSetLayerTableChanges(); an empty function removes it.
KVAPPBASE_EXPORT void kvSetLayerTableChangesCallback(std::function<void()> callback);
KVAPPBASE_EXPORT long long kvLayerTableChangesCount();
KVAPPBASE_EXPORT void kvResetLayerTableChangesCount();
