// The small part of the component object model the stand-ins share: results, GUIDs, and
// reference-counted objects.
//
// Every object is made with ComMake<T>(...), which keeps it in one process-wide list, and is
// destroyed by the Release that drops its last reference. Objects still alive at exit are
// destroyed then, so nothing is lost even when a caller forgets a reference.
#pragma once

#include "platform/standins/win32.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <utility>

struct GUID {
    uint32_t data1;
    uint16_t data2;
    uint16_t data3;
    uint8_t data4[8];
};
using IID = GUID;
using CLSID = GUID;
using REFIID = const IID&;
using REFCLSID = const CLSID&;
using REFGUID = const GUID&;

inline bool operator==(const GUID& a, const GUID& b) {
    return a.data1 == b.data1 && a.data2 == b.data2 && a.data3 == b.data3 && std::equal(a.data4, a.data4 + 8, b.data4);
}

constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057u);
constexpr HRESULT E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000Eu);
constexpr HRESULT E_NOINTERFACE = static_cast<HRESULT>(0x80004002u);
constexpr HRESULT E_POINTER = static_cast<HRESULT>(0x80004003u);
constexpr bool FAILED(HRESULT hr) { return hr < 0; }
constexpr bool SUCCEEDED(HRESULT hr) { return hr >= 0; }

class IUnknown {
public:
    IUnknown() = default;
    IUnknown(const IUnknown&) = delete;
    IUnknown& operator=(const IUnknown&) = delete;
    virtual ~IUnknown() = default;

    // Adds a reference; returns the new count.
    DWORD AddRef() { return ++refs_; }
    // Drops a reference and destroys the object with its last one; returns the new count.
    DWORD Release();
    DWORD refCount() const { return refs_; }

private:
    DWORD refs_ = 1;
};

// Hands ownership of a new object to the process-wide list; the caller holds one reference.
IUnknown* ComAdopt(std::unique_ptr<IUnknown> object);

// Makes an object of type T with one reference.
template <class T, class... Args>
T* ComMake(Args&&... args) {
    auto object = std::make_unique<T>(std::forward<Args>(args)...);
    T* raw = object.get();
    ComAdopt(std::move(object));
    return raw;
}

// How many objects are alive (for leak tests).
int ComLiveObjects();
// Calls `observer` with the object at every Release of a live object, before its reference is
// dropped (for tests of the order in which things are given back); nullptr for none. ComReset
// sets none.
void ComSetReleaseObserver(void (*observer)(IUnknown* object));

// --- starting COM and making objects ---
constexpr DWORD CLSCTX_INPROC_SERVER = 0x1;
constexpr DWORD CLSCTX_INPROC_HANDLER = 0x2;
constexpr DWORD CLSCTX_INPROC = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER;
constexpr HRESULT REGDB_E_CLASSNOTREG = static_cast<HRESULT>(0x80040154u);
constexpr HRESULT CLASS_E_NOAGGREGATION = static_cast<HRESULT>(0x80040110u);
constexpr HRESULT CO_E_NOTINITIALIZED = static_cast<HRESULT>(0x800401F0u);

// Starts COM on this thread: S_OK the first time, S_FALSE when it is already started.
HRESULT CoInitialize(void* reserved);
// Ends one CoInitialize.
void CoUninitialize();
// Makes a DirectMusic performance, loader or segment (CLSCTX_INPROC) and returns the interface
// asked for.
HRESULT CoCreateInstance(REFCLSID classId, IUnknown* outer, DWORD context, REFIID iid, void** object);
// Back to COM not started (for tests and tools).
void ComReset();
