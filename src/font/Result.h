#pragma once

// Everything that can fail answers with a Result: which failure it was, the
// message the editor shows letter for letter, and the system's reason (the
// operating system's text for a failed read or write), which zelvik-cli
// prints after the message so that a user learns why.

#include <QString>

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

struct Result {
    Failure failure = Failure::None;
    QString message; // shown as it is; empty for success and most cancellations
    QString reason;  // the system's reason, may be empty

    bool ok() const { return failure == Failure::None; }
    explicit operator bool() const { return ok(); }

    static Result success() { return {}; }
    static Result fail(Failure failure, QString message, QString reason = {}) {
        return {failure, std::move(message), std::move(reason)};
    }
    static Result cancelled() { return {Failure::Cancelled, {}, {}}; }

    // The message and, on a line of its own, the reason: what zelvik-cli prints.
    QString describe() const {
        if (reason.isEmpty())
            return message;
        return message + QLatin1Char('\n') + reason;
    }
};

} // namespace zelvik
