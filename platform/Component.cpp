#include "platform/Component.h"

#include "platform/Error.h"

#include <algorithm>

namespace platform {

Component::~Component() { DestroyComponents(); }

void DestroyComponent(std::unique_ptr<Component>& component) noexcept {
    if (!component) return;
    component->BeforeDestruction();
    component.reset();
}

void Component::DestroyComponents() noexcept {
    while (!components_.empty()) {
        // Take it out first: its destruction may look the owner's list up.
        std::unique_ptr<Component> last = std::move(components_.back());
        components_.pop_back();
        DestroyComponent(last);
    }
}

void Component::Free(Component& component) {
    auto found = std::find_if(components_.begin(), components_.end(),
                              [&](const std::unique_ptr<Component>& owned) { return owned.get() == &component; });
    if (found == components_.end()) return;
    std::unique_ptr<Component> taken = std::move(*found);
    components_.erase(found);
    DestroyComponent(taken);
}

Component* Component::FindComponent(const std::string& name) const {
    for (const auto& owned : components_)
        if (owned->Name() == name) return owned.get();
    return nullptr;
}

void Component::ThrowInvalidCast() { throw InvalidCastError(); }

}  // namespace platform
