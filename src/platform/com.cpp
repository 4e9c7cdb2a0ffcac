#include "platform/com.h"

#include <vector>

namespace {

// Owns every live object. At exit the remaining objects are destroyed one at a time, newest
// first; a destructor that releases another object may shrink the list meanwhile.
struct ObjectList {
    std::vector<std::unique_ptr<IUnknown>> items;
    ~ObjectList() {
        while (!items.empty()) {
            std::unique_ptr<IUnknown> last = std::move(items.back());
            items.pop_back();
            last.reset();
        }
    }
};

ObjectList& Objects() {
    static ObjectList list;
    return list;
}

}  // namespace

DWORD IUnknown::Release() {
    if (refs_ == 0) {
        return 0;
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
