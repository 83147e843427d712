#pragma once

// Everything that can fail answers with a Result: which failure it was, the
// message the editor shows letter for letter, and the system's reason (the
// operating system's text for a failed read or write), which zelvik-cli
// prints after the message so that a user learns why. Result<T> also carries
// what was made when it succeeded; Result<> carries nothing else.

#include <QString>

#include <cassert>
#include <optional>
#include <utility>

namespace zelvik {

enum class Failure {
    None,
    CannotOpen,    // an input file could not be opened or read
    InvalidFormat, // an input file's contents were refused
    CannotCreate,  // an output file could not be written; the old one stays
    Refused,       // the input was refused before anything was read or written
    Cancelled,     // the user stopped it
};

// What every Result has, with or without a value.
struct ResultStatus {
    Failure failure = Failure::None;
    QString message; // shown as it is; empty for success and most cancellations
    QString reason;  // the system's reason, may be empty

    bool ok() const { return failure == Failure::None; }
    explicit operator bool() const { return ok(); }

    // The message and, on a line of its own, the reason: what zelvik-cli prints.
    QString describe() const {
        if (reason.isEmpty())
            return message;
        return message + QLatin1Char('\n') + reason;
    }
};

template <class T = void> class [[nodiscard]] Result;

template <> class [[nodiscard]] Result<void> : public ResultStatus {
public:
    Result() = default;
    Result(Failure failure_, QString message_, QString reason_ = {})
        : ResultStatus{failure_, std::move(message_), std::move(reason_)} {}
    // Passes on another Result's failure (or success), leaving its value behind.
    template <class U>
    Result(const Result<U>& other) // NOLINT(google-explicit-constructor)
        : ResultStatus(static_cast<const ResultStatus&>(other)) {}

    static Result success() { return {}; }
    static Result fail(Failure failure_, QString message_, QString reason_ = {}) {
        return {failure_, std::move(message_), std::move(reason_)};
    }
    static Result cancelled() { return {Failure::Cancelled, {}, {}}; }
};

template <class T> class [[nodiscard]] Result : public ResultStatus {
public:
    Result(T value) : value_(std::move(value)) {} // NOLINT(google-explicit-constructor)
    // A failed Result of any kind, passed on; it must not be a success.
    template <class U>
    Result(const Result<U>& failed) // NOLINT(google-explicit-constructor)
        : ResultStatus(static_cast<const ResultStatus&>(failed)) {
        assert(!failed.ok());
    }

    // The value; only when ok().
    T& value() & {
        assert(value_);
        return *value_;
    }
    const T& value() const& {
        assert(value_);
        return *value_;
    }
    T& operator*() & { return value(); }
    const T& operator*() const& { return value(); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }
    // Moves the value out; the Result keeps its status.
    T takeValue() {
        assert(value_);
        return std::move(*value_);
    }

private:
    std::optional<T> value_;
};

} // namespace zelvik
