#pragma once
// Ownership of the form library: a component owns the components created
// through it and destroys them with itself, last created first. Every object
// gets a last call (BeforeDestruction) while it is still whole, so windows
// are destroyed while their objects can still answer messages.

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace platform {

class Component;

// An event that only names its sender.
using NotifyEvent = std::function<void(Component& sender)>;

class Component {
public:
    explicit Component(Component* owner) : owner_(owner) {}
    virtual ~Component();
    Component(const Component&) = delete;
    Component& operator=(const Component&) = delete;

    Component* Owner() const noexcept { return owner_; }
    const std::string& Name() const noexcept { return name_; }
    void SetName(std::string name) { name_ = std::move(name); }

    // The class name the way the program names it ("TButton"); forms and
    // windowed controls also use it as their window class.
    virtual std::string ClassName() const = 0;

    // Creates a component owned by this one: T(owner, args...), then its
    // AfterConstruction.
    template <typename T, typename... Args>
    T& Create(Args&&... args) {
        auto made = std::make_unique<T>(this, std::forward<Args>(args)...);
        T& result = *made;
        components_.push_back(std::move(made));
        result.AfterConstruction();
        return result;
    }

    // Destroys an owned component now. Unknown components are left alone.
    void Free(Component& component);

    // The owned component with that name, or null.
    Component* FindComponent(const std::string& name) const;

    // The owned component with that name as a T; raises InvalidCastError when
    // it is missing or of another class.
    template <typename T>
    T& Find(const std::string& name) const {
        T* found = dynamic_cast<T*>(FindComponent(name));
        if (!found) ThrowInvalidCast();
        return *found;
    }

    // Runs once the most derived constructor has finished (forms fire OnCreate).
    virtual void AfterConstruction() {}
    // Runs while the object is still whole, just before it is deleted.
    virtual void BeforeDestruction() {}

protected:
    // Destroys every owned component, last created first.
    void DestroyComponents() noexcept;

private:
    [[noreturn]] static void ThrowInvalidCast();

    Component* owner_;
    std::string name_;
    std::vector<std::unique_ptr<Component>> components_;
};

// Deletes a component after its last call; for owners outside this class.
void DestroyComponent(std::unique_ptr<Component>& component) noexcept;

}  // namespace platform
