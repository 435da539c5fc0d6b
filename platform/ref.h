#pragma once

#include "exceptions.h"

#include <memory>

// A reference that may be nil. Using a nil Ref (->, *, Get) raises
// NilObjectException instead of touching memory, which is how the framework
// reports "no object" to the code that used it.
//
// Owning refs share the object (MakeRef, or a shared_ptr); Borrow() wraps an
// object that something else owns (a window's control, a menu item).
template <typename T> class Ref {
public:
    Ref() = default;
    Ref(std::nullptr_t) { }
    explicit Ref(std::shared_ptr<T> object)
        : object_(std::move(object))
    {
    }
    template <typename U>
    Ref(const Ref<U>& other)
        : object_(other.Shared())
    {
    }

    static Ref Borrow(T* object)
    {
        if (object == nullptr)
            return {};
        return Ref(std::shared_ptr<T>(object, [](T*) {}));
    }

    T& Get() const
    {
        if (!object_)
            throw NilObjectException();
        return *object_;
    }
    T* operator->() const { return &Get(); }
    T& operator*() const { return Get(); }

    bool IsNil() const { return object_ == nullptr; }
    explicit operator bool() const { return object_ != nullptr; }
    T* Pointer() const { return object_.get(); }
    const std::shared_ptr<T>& Shared() const { return object_; }

    friend bool operator==(const Ref& a, const Ref& b) { return a.object_ == b.object_; }

private:
    std::shared_ptr<T> object_;
};

template <typename T, typename... Args> Ref<T> MakeRef(Args&&... args)
{
    return Ref<T>(std::make_shared<T>(std::forward<Args>(args)...));
}
