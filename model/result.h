#pragma once
// Result and error types of the core. Expected failures (bad input, a radio that does not answer,
// a file that cannot be read) travel as values; each layer may add its context as the error unwinds.

#include <string>
#include <string_view>
#include <utility>
#include <variant>

namespace qx {

struct Error {
    std::string message;

    // "context: message", so the outermost caller reads first where, then why.
    [[nodiscard]] Error withContext(std::string_view context) const
    {
        return Error{std::string(context) + ": " + message};
    }
};

template <typename T>
class [[nodiscard]] Result {
public:
    Result(T value) : state_(std::in_place_index<0>, std::move(value)) {}
    Result(Error error) : state_(std::in_place_index<1>, std::move(error)) {}

    bool ok() const { return state_.index() == 0; }
    explicit operator bool() const { return ok(); }

    // Only valid when ok().
    const T& value() const& { return std::get<0>(state_); }
    T& value() & { return std::get<0>(state_); }
    T&& value() && { return std::get<0>(std::move(state_)); }

    // Only valid when !ok().
    const Error& error() const { return std::get<1>(state_); }

    // Adds context to an error; a value passes unchanged.
    Result withContext(std::string_view context) &&
    {
        if (!ok())
            return Result(error().withContext(context));
        return std::move(*this);
    }

private:
    std::variant<T, Error> state_;
};

template <>
class [[nodiscard]] Result<void> {
public:
    Result() = default;
    Result(Error error) : error_(std::move(error)), failed_(true) {}

    bool ok() const { return !failed_; }
    explicit operator bool() const { return ok(); }
    const Error& error() const { return error_; }

    Result withContext(std::string_view context) &&
    {
        if (failed_)
            return Result(error_.withContext(context));
        return Result();
    }

private:
    Error error_;
    bool failed_ = false;
};

using Status = Result<void>;

inline Status success() { return Status(); }
inline Error makeError(std::string message) { return Error{std::move(message)}; }

}  // namespace qx
