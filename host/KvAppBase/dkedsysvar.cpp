#include "dkedsysvar.h"

#include <map>
#include <string>

namespace {
struct SysVar
{
    short value = 0;
    bool readable = true;
};

std::map<std::wstring, SysVar>& sysVars()
{
    static std::map<std::wstring, SysVar> vars = {
        {L"TILEMODE", {1, true}},
        {L"LWUNITS", {1, true}},
    };
    return vars;
}

std::function<void()>& changesCallback()
{
    static std::function<void()> callback;
    return callback;
}

long long g_changesCount = 0;
}

int dkedGetVar(const wchar_t* name, resbuf* result)
{
    if (!name || !result)
        return RTERROR;
    const auto it = sysVars().find(name);
    if (it == sysVars().end() || !it->second.readable)
        return RTERROR;
    result->restype = RTSHORT;
    result->resval.rint = it->second.value;
    return RTNORM;
}

void kvSetLayerTableChanges()
{
    ++g_changesCount;
    // Copy first: the callback may replace itself.
    const std::function<void()> callback = changesCallback();
    if (callback)
        callback();
}

void kvSetSysVar(const wchar_t* name, short value)
{
    if (name)
        sysVars()[name].value = value;
}

void kvSetSysVarReadable(const wchar_t* name, bool readable)
{
    if (name)
        sysVars()[name].readable = readable;
}

void kvSetLayerTableChangesCallback(std::function<void()> callback)
{
    changesCallback() = std::move(callback);
}

long long kvLayerTableChangesCount()
{
    return g_changesCount;
}

void kvResetLayerTableChangesCount()
{
    g_changesCount = 0;
}
