// A non-owning reference to a callable, for calls that run it before they return: unlike
// std::function it never copies the callable or allocates, which matters on the path that
// every call of the add-on takes. The callable must outlive the reference.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <type_traits>

namespace planhost {

template <typename Signature>
class FunctionRef;

template <typename Result, typename... Args>
class FunctionRef<Result(Args...)> {
public:
    FunctionRef() = default;
    FunctionRef(std::nullptr_t) {}  // NOLINT: an empty reference, as nullptr reads at calls

    template <typename Callable>
    requires(!std::is_same_v<std::remove_cvref_t<Callable>, FunctionRef> &&
             std::is_invocable_r_v<Result, Callable&, Args...>)
        FunctionRef(Callable&& callable)  // NOLINT: converts like std::function does
        : object_(const_cast<void*>(static_cast<const void*>(std::addressof(callable)))),
          call_([](void* object, Args... args) -> Result {
              return std::invoke(*static_cast<std::remove_reference_t<Callable>*>(object),
                                 std::forward<Args>(args)...);
          }) {}

    Result operator()(Args... args) const { return call_(object_, std::forward<Args>(args)...); }
    explicit operator bool() const { return call_ != nullptr; }

private:
    void* object_ = nullptr;
    Result (*call_)(void*, Args...) = nullptr;
};

}  // namespace planhost
