#include "platform/standins/com.h"

#include "platform/standins/dmusic.h"

#include <vector>

namespace {

// Owns every live object.
struct ObjectList {
    std::vector<std::unique_ptr<IUnknown>> items;
};

// The list lives until the process ends and is never destroyed: objects still held at exit
// refer to one another, to the mixer and to the host, and no order of destruction at exit is
// safe for all of them. They stay reachable, so nothing counts as leaked.
ObjectList& Objects() {
    static ObjectList& list = *new ObjectList;
    return list;
}

void (*releaseObserver)(IUnknown* object) = nullptr;

}  // namespace

DWORD IUnknown::Release() {
    if (refs_ == 0) {
        return 0;
    }
    if (releaseObserver) {
        releaseObserver(this);
    }
    if (--refs_ > 0) {
        return refs_;
    }
    auto& items = Objects().items;
    for (auto it = items.begin(); it != items.end(); ++it) {
        if (it->get() == this) {
            std::unique_ptr<IUnknown> dying = std::move(*it);
            items.erase(it);
            dying.reset();  // may release other objects, and so change the list
            break;
        }
    }
    return 0;
}

IUnknown* ComAdopt(std::unique_ptr<IUnknown> object) {
    IUnknown* raw = object.get();
    Objects().items.push_back(std::move(object));
    return raw;
}

int ComLiveObjects() { return static_cast<int>(Objects().items.size()); }

void ComSetReleaseObserver(void (*observer)(IUnknown* object)) { releaseObserver = observer; }

namespace {

int comStarts = 0;

}  // namespace

HRESULT CoInitialize(void*) { return comStarts++ == 0 ? S_OK : S_FALSE; }

void CoUninitialize() {
    if (comStarts > 0) --comStarts;
}

HRESULT CoCreateInstance(REFCLSID classId, IUnknown* outer, DWORD context, REFIID iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (comStarts == 0) return CO_E_NOTINITIALIZED;
    if (outer) return CLASS_E_NOAGGREGATION;
    if (!(context & CLSCTX_INPROC_SERVER)) return REGDB_E_CLASSNOTREG;
    if (classId == CLSID_DirectMusicPerformance) {
        if (!(iid == IID_IDirectMusicPerformance)) return E_NOINTERFACE;
        *object = ComMake<IDirectMusicPerformance>();
    } else if (classId == CLSID_DirectMusicLoader) {
        if (!(iid == IID_IDirectMusicLoader)) return E_NOINTERFACE;
        *object = ComMake<IDirectMusicLoader>();
    } else if (classId == CLSID_DirectMusicSegment) {
        if (!(iid == IID_IDirectMusicSegment)) return E_NOINTERFACE;
        *object = ComMake<IDirectMusicSegment>();
    } else {
        return REGDB_E_CLASSNOTREG;
    }
    return S_OK;
}

void ComReset() {
    comStarts = 0;
    releaseObserver = nullptr;
}
